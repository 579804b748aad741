// The sound groups whose members' effects differ: members of one group play
// identical sounds, yet their bank files may give them different effects.
//
// Members are held by their effects' parameters (spare bits never count);
// members whose bank file holds no effects dump for them take no part. A
// group is listed when its members with effects hold two or more different
// effects, and it holds a Compare patch.

#ifndef DRAVELIN_TWINS_EFFECTS_VARIANTS_H_
#define DRAVELIN_TWINS_EFFECTS_VARIANTS_H_

#include <vector>

#include "collection/sound_groups.h"

namespace dravelin {

struct EffectsVariants {
  GroupId group = 0;
  // The members with each of the group's different effects, each variant's
  // members ascending, variants in the order of their first member (so the
  // first variant holds the group's first member with effects).
  std::vector<std::vector<Ordinal>> variants;
  // The members without an effects dump, ascending.
  std::vector<Ordinal> without_effects;
};

// Every such group, in the order of group numbers.
std::vector<EffectsVariants> FindEffectsVariants(const SoundGroups& groups);

}  // namespace dravelin

#endif  // DRAVELIN_TWINS_EFFECTS_VARIANTS_H_
