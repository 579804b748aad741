#include "twins/effects_variants.h"

#include <cstdint>
#include <optional>
#include <span>

#include "params/effects_fields.h"
#include "params/patch_decoder.h"

namespace dravelin {
namespace {

// The effects' configuration and the value of each parameter that applies
// (0 for a spare or one that does not apply), in table order.
std::vector<std::uint32_t> EffectsKey(const EffectsData& effects) {
  const unsigned configuration = params::EffectsConfiguration(effects);
  std::vector<std::uint32_t> key = params::EffectsParameterVector(effects);
  const std::span<const params::FieldLayout> fields = params::EffectsFields(configuration);
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (fields[k].kind == params::FieldKind::kSpare) key[k] = 0;
  }
  key.push_back(configuration);
  return key;
}

}  // namespace

std::vector<EffectsVariants> FindEffectsVariants(const SoundGroups& groups) {
  std::vector<EffectsVariants> listed;
  std::vector<std::vector<std::uint32_t>> keys;
  for (GroupId group = 0; group < groups.group_count(); ++group) {
    const std::span<const Ordinal> members = groups.members(group);
    if (members.size() < 2 || !groups.HoldsComparePatch(group)) continue;
    EffectsVariants found;
    found.group = group;
    keys.clear();
    for (Ordinal member : members) {
      const SetPatch& entry = groups.patches()[member];
      const std::optional<EffectsData> effects = params::PatchEffects(*entry.bank, *entry.patch);
      if (!effects) {
        found.without_effects.push_back(member);
        continue;
      }
      std::vector<std::uint32_t> key = EffectsKey(*effects);
      std::size_t variant = 0;
      while (variant < keys.size() && keys[variant] != key) ++variant;
      if (variant == keys.size()) {
        keys.push_back(std::move(key));
        found.variants.emplace_back();
      }
      found.variants[variant].push_back(member);
    }
    if (found.variants.size() >= 2) listed.push_back(std::move(found));
  }
  return listed;
}

}  // namespace dravelin
