#include "banks/program_slot.h"

#include <span>

#include "banks/program_dump.h"

namespace dravelin {

SlotMessage AppendProgramSlot(const Bank& bank, const Patch& patch, std::uint8_t number,
                              std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> program = ProgramMessage(bank, patch);
  SlotMessage made = SlotMessage::kRenumbered;
  if (IsCompleteProgramMessage(program)) {
    program[kMessageNumberAt] = number;
  } else {
    program = PackedProgramMessage(patch, number);
    made = SlotMessage::kRebuilt;
  }
  out.insert(out.end(), program.begin(), program.end());
  const std::span<const std::uint8_t> effects = EffectsMessage(bank, patch);
  if (!effects.empty()) {
    const std::size_t at = out.size();
    out.insert(out.end(), effects.begin(), effects.end());
    out[at + kMessageNumberAt] = number;
  }
  return made;
}

}  // namespace dravelin
