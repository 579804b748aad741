#include "banks/bank.h"

namespace dravelin {
namespace {

std::span<const std::uint8_t> Stored(const Bank& bank, StoredBytes bytes) {
  if (bytes.size == 0) return {};
  return std::span<const std::uint8_t>(bank.messages).subspan(bytes.offset, bytes.size);
}

}  // namespace

std::span<const std::uint8_t> ProgramMessage(const Bank& bank, const Patch& patch) {
  return Stored(bank, patch.program_message);
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
