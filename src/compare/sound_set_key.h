// The set of distinct sound blocks of a patch as a small value: its block
// numbers sorted ascending, each once, the unused places kNoBlock. Two
// patches have identical sounds (each sound of either is among the sounds of
// the other) exactly when their keys are equal, provided both keys were made
// with the same SoundBlockTable.

#ifndef DRAVELIN_COMPARE_SOUND_SET_KEY_H_
#define DRAVELIN_COMPARE_SOUND_SET_KEY_H_

#include <array>
#include <cstddef>

#include "banks/patch.h"
#include "compare/sound_block_table.h"

namespace dravelin {

// A patch's block numbers in sound slot order (slot 0 first).
using SlotBlockIds = std::array<BlockId, kSoundsPerPatch>;

using SoundSetKey = std::array<BlockId, kSoundsPerPatch>;

// Interns the four sounds of `patch` and gives their numbers in slot order.
SlotBlockIds InternSounds(SoundBlockTable& table, const Patch& patch);

// The key of a patch whose block numbers are `ids`. None of them may be
// kNoBlock.
SoundSetKey MakeSoundSetKey(const SlotBlockIds& ids);

struct SoundSetKeyHash {
  std::size_t operator()(const SoundSetKey& key) const;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_SOUND_SET_KEY_H_
