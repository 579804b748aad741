// Putting a patch into a program slot of a bank file made for the keyboard:
// the messages the keyboard stores under that slot's number, taken from the
// file the patch was read from.

#ifndef DRAVELIN_BANKS_PROGRAM_SLOT_H_
#define DRAVELIN_BANKS_PROGRAM_SLOT_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "banks/bank.h"

namespace dravelin {

// Program slots of one bank on the keyboard, numbered from 0.
inline constexpr std::size_t kProgramSlots = 128;
// Where a program or effects message holds its program number.
inline constexpr std::size_t kMessageNumberAt = 6;

// How a slot's program message was made.
enum class SlotMessage : std::uint8_t {
  kRenumbered,  // the file's own dump, its program number byte changed
  kRebuilt,     // packed from the patch's data: the file's dump was damaged
};

// Appends to `out` the messages that put `patch` of `bank` into slot
// `number` (below kProgramSlots) and says how the first was made:
//   - the program message: the file's own dump (kProgramDumpSize bytes)
//     with only its program number byte changed; for a dump that is not
//     complete (IsCompleteProgramMessage: short, overlong, a payload byte of
//     80 hex or more), which no keyboard takes, a complete dump packed from
//     the patch's unpacked data, the data every report compares;
//   - then, when the file holds one for the patch, its effects message with
//     its number byte changed the same way.
// Nothing else: no mix, global or other message.
SlotMessage AppendProgramSlot(const Bank& bank, const Patch& patch, std::uint8_t number,
                              std::vector<std::uint8_t>& out);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_PROGRAM_SLOT_H_
