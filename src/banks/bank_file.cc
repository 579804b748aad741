#include "banks/bank_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>

#include "banks/bank_name.h"
#include "banks/effects_dump.h"
#include "banks/file_system.h"
#include "banks/program_dump.h"

namespace dravelin {
namespace {

constexpr std::size_t kEffectsNumbers = 128;

// Gives each patch the effects dump of its program number: the k-th patch
// with a number gets the k-th effects dump with that number, so that both
// layouts (all programs first, or each program followed by its effects) and
// files of several banks end to end pair alike. The messages go into the
// bank's store.
void AttachEffects(const EffectsDumpFinder& effects, Bank& bank) {
  const std::vector<EffectsDumpFinder::Found>& found = effects.found();
  if (found.empty()) return;
  // The dumps ordered by number, in stream order within a number.
  std::array<std::uint32_t, kEffectsNumbers + 1> first{};
  for (const auto& dump : found) ++first[dump.number + 1u];
  for (std::size_t n = 0; n < kEffectsNumbers; ++n) first[n + 1] += first[n];
  std::vector<std::uint32_t> by_number(found.size());
  std::array<std::uint32_t, kEffectsNumbers> next = {};
  std::copy_n(first.begin(), kEffectsNumbers, next.begin());
  for (std::uint32_t i = 0; i < found.size(); ++i) by_number[next[found[i].number]++] = i;

  std::copy_n(first.begin(), kEffectsNumbers, next.begin());
  std::size_t attached = 0;
  for (const Patch& patch : bank.patches) {
    const std::size_t n = patch.program_number;
    if (n < kEffectsNumbers && next[n] < first[n + 1]) {
      ++next[n];
      ++attached;
    }
  }
  bank.messages.reserve(bank.messages.size() + attached * kEffectsDumpSize);
  std::copy_n(first.begin(), kEffectsNumbers, next.begin());
  for (Patch& patch : bank.patches) {
    const std::size_t n = patch.program_number;
    if (n >= kEffectsNumbers || next[n] == first[n + 1]) continue;
    const auto message = effects.Message(found[by_number[next[n]++]]);
    patch.effects_message = {static_cast<std::uint32_t>(bank.messages.size()),
                             static_cast<std::uint32_t>(message.size())};
    bank.messages.insert(bank.messages.end(), message.begin(), message.end());
  }
}

MessageCode ReadDumps(ByteStream& in, Bank& bank, std::size_t* patches_left) {
  ProgramData data;
  std::vector<std::uint8_t> message;  // the dump being read, as the file holds it
  message.reserve(kProgramDumpSize + 2);
  for (;;) {
    std::uint8_t program_number = 0;
    if (FindProgramDump(in, &program_number) != kAllIsOk) return kAllIsOk;
    // The header just matched, then every byte the unpacking reads.
    message.assign({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00, program_number});
    in.BeginCapture(&message);
    const MessageCode unpacked = UnpackProgramData(in, data);
    in.EndCapture();
    if (unpacked != kAllIsOk) return kAllIsOk;
    if (*patches_left == 0) return kOutOfMemory;
    bank.patches.push_back(NewPatch(data, program_number));
    // A complete dump is given back by its data; any other is kept.
    if (!IsCompleteProgramMessage(message)) {
      bank.patches.back().odd_program_message = {static_cast<std::uint32_t>(bank.messages.size()),
                                                 static_cast<std::uint32_t>(message.size())};
      bank.messages.insert(bank.messages.end(), message.begin(), message.end());
    }
    --*patches_left;
  }
}

}  // namespace

MessageCode ReadProgramDumps(ByteStream& in, Bank& bank, std::size_t* patches_left) {
  MessageCode result;
  EffectsDumpFinder effects(kMaxPatchesPerSet);
  try {
    in.SetObserver(&effects);
    result = ReadDumps(in, bank, patches_left);
    in.SetObserver(nullptr);
    if (result == kAllIsOk) AttachEffects(effects, bank);
  } catch (const std::bad_alloc&) {
    in.DropCapture();
    in.SetObserver(nullptr);
    return kOutOfMemory;
  }
  return result;
}

MessageCode ReadBankFile(const std::filesystem::path& path, Bank& bank,
                         std::size_t* patches_left) {
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return kSyxFileOpenError;
  MessageCode result;
  try {
    const std::string path_text = PathText(path);
    bank.name = FitBankName(BankNameFromPath(path_text));
    bank.file_name = FileNameFromPath(path_text);
    ByteStream in(file);
    result = ReadProgramDumps(in, bank, patches_left);
  } catch (const std::bad_alloc&) {
    result = kOutOfMemory;
  }
  std::fclose(file);
  return result;
}

}  // namespace dravelin
