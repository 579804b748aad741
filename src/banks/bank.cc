#include "banks/bank.h"

#include "banks/program_dump.h"
#include "banks/seven_bit.h"

namespace dravelin {
namespace {

std::span<const std::uint8_t> Stored(const Bank& bank, StoredBytes bytes) {
  if (bytes.size == 0) return {};
  return std::span<const std::uint8_t>(bank.messages).subspan(bytes.offset, bytes.size);
}

}  // namespace

std::vector<std::uint8_t> ProgramMessage(const Bank& bank, const Patch& patch) {
  const std::span<const std::uint8_t> odd = Stored(bank, patch.odd_program_message);
  if (!odd.empty()) return {odd.begin(), odd.end()};
  return PackedProgramMessage(patch, patch.program_number);
}

std::vector<std::uint8_t> PackedProgramMessage(const Patch& patch, std::uint8_t program_number) {
  std::vector<std::uint8_t> message = {0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00, program_number};
  message.resize(kProgramDumpSize - 1);
  PackSevenBitData(UnpackedProgram(patch), std::span(message).subspan(7));
  message.push_back(0xF7);
  return message;
}

std::span<const std::uint8_t> EffectsMessage(const Bank& bank, const Patch& patch) {
  return Stored(bank, patch.effects_message);
}

std::size_t CountPatches(const BankSet& set) {
  std::size_t count = 0;
  for (const Bank& bank : set) count += bank.patches.size();
  return count;
}

void FreeBankSet(BankSet& set) {
  // Swap with an empty vector so that the memory is returned, not kept as
  // capacity until the next load.
  BankSet().swap(set);
}

}  // namespace dravelin
