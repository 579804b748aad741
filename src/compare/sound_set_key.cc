#include "compare/sound_set_key.h"

#include <algorithm>
#include <cstdint>

namespace dravelin {

SlotBlockIds InternSounds(SoundBlockTable& table, const Patch& patch) {
  SlotBlockIds ids;
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) ids[k] = table.Intern(patch.sounds[k]);
  return ids;
}

SoundSetKey MakeSoundSetKey(const SlotBlockIds& ids) {
  SoundSetKey key = ids;
  std::sort(key.begin(), key.end());
  // Drop repeats; kNoBlock, the largest value, fills the places left over.
  const auto end = std::unique(key.begin(), key.end());
  std::fill(end, key.end(), kNoBlock);
  return key;
}

std::size_t SoundSetKeyHash::operator()(const SoundSetKey& key) const {
  std::uint64_t h = 0;
  for (BlockId id : key) h = (h ^ id) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
  return static_cast<std::size_t>(h ^ (h >> 29));
}

}  // namespace dravelin
