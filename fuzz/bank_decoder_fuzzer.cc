// Feeds arbitrary bytes to the program dump decoder as the contents of one
// bank file. Beyond the sanitizers' checks, every decoded bank must keep the
// invariants the reports rely on.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "banks/bank.h"
#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "base/message_code.h"

namespace dravelin {
namespace {

// Small enough that inputs full of tiny dumps reach it.
constexpr std::size_t kPatchBudget = 256;
// The shortest dump: F0, five header bytes, the program number and F7.
constexpr std::size_t kShortestDump = 8;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

int DecodeOneInput(const std::uint8_t* data, std::size_t size) {
  ByteStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  Bank bank;
  std::size_t left = kPatchBudget;
  const MessageCode code = ReadProgramDumps(in, bank, &left);

  Check(code == kAllIsOk || code == kOutOfMemory);
  Check(bank.patches.size() + left == kPatchBudget);
  Check(code == kAllIsOk || left == 0);
  Check(bank.patches.size() * kShortestDump <= size);
  for (const Patch& patch : bank.patches) {
    Check(patch.name.size() == kPatchNameLength);
    for (char c : patch.name) Check(c >= ' ' && c <= '~');
  }
  // The stream is read to its end unless the budget stopped the read.
  if (code == kAllIsOk) Check(in.Get() == ByteStream::kEnd);
  return 0;
}

}  // namespace
}  // namespace dravelin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return dravelin::DecodeOneInput(data, size);
}
