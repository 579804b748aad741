#include "compare/patch_numbers.h"

#include <string_view>
#include <unordered_map>

#include "compare/sound_block_table.h"

namespace dravelin {

PatchNumbers NumberPatches(const std::vector<SetPatch>& patches) {
  PatchNumbers numbers;
  numbers.patches.reserve(patches.size());
  std::unordered_map<std::string_view, std::uint32_t> names;
  names.reserve(patches.size());
  std::vector<const SoundBlock*> sounds;
  sounds.reserve(patches.size() * kSoundsPerPatch);
  for (const SetPatch& entry : patches) {
    const Patch& patch = *entry.patch;
    NumberedPatch numbered;
    numbered.name =
        names.try_emplace(patch.name, static_cast<std::uint32_t>(names.size())).first->second;
    numbers.patches.push_back(numbered);
    for (const SoundBlock& sound : patch.sounds) sounds.push_back(&sound);
  }
  SoundBlockTable blocks(sounds.size());
  std::vector<BlockId> ids(sounds.size());
  blocks.InternMany(sounds, ids);
  for (std::size_t p = 0; p < patches.size(); ++p) {
    for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
      numbers.patches[p].sounds[k] = ids[p * kSoundsPerPatch + k];
    }
  }
  numbers.name_count = names.size();
  numbers.block_count = blocks.size();
  return numbers;
}

}  // namespace dravelin
