#include "compare/identity_partners.h"

#include <unordered_map>

#include "compare/sound_set_key.h"

namespace dravelin {

IdentityPartners::IdentityPartners(const PatchNumbers& numbers) {
  const std::size_t count = numbers.patches.size();
  std::unordered_map<SoundSetKey, std::uint32_t, SoundSetKeyHash> groups;
  groups.reserve(count);
  group_of_.reserve(count);
  for (const NumberedPatch& patch : numbers.patches) {
    const SoundSetKey key = MakeSoundSetKey(patch.sounds);
    group_of_.push_back(
        groups.try_emplace(key, static_cast<std::uint32_t>(groups.size())).first->second);
  }
  groups_ = PostingLists(groups.size(), [&](auto add) {
    for (Ordinal ordinal = 0; ordinal < count; ++ordinal) add(group_of_[ordinal], ordinal);
  });
}

void IdentityPartners::Gather(Ordinal self, std::vector<Ordinal>& out) const {
  out.clear();
  for (Ordinal ordinal : groups_.List(group_of_[self])) {
    if (ordinal != self) out.push_back(ordinal);
  }
}

}  // namespace dravelin
