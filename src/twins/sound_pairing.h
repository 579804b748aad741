// How the sounds of two patches are paired to count the parameters in which
// they differ, the sounds of each patch taken as a set (slots and repeats
// play no part).
//
// Every sound either patch plays must be in at least one pair with a sound
// the other patch plays; a sound may be in several pairs. A pair costs the
// number of parameters in which its two sounds differ (0 for a sound the
// other patch plays too). A sound may instead be paired with a switched-off
// slot of the other patch, costing one (its Enable), but only one of the
// two patches may lend switched-off slots: sounds switched off on one side,
// never sounds switched off on both (which would make any two small patches
// alike). Of all such pairings the one of least cost is taken; its cost is
// the number of parameters in which the two patches differ. A patch that
// plays no sound pairs with none.

#ifndef DRAVELIN_TWINS_SOUND_PAIRING_H_
#define DRAVELIN_TWINS_SOUND_PAIRING_H_

#include <cstddef>
#include <functional>
#include <vector>

#include "twins/played_sounds.h"

namespace dravelin {

// A side's sounds in a pairing: what it plays, each once, and whether it
// has a switched-off slot to lend.
struct PairingSide {
  std::vector<PlayedId> played;  // at most kSoundsPerPatch, each once
  bool has_switched_off = false;
};

// One pair: a sound of each side, kSwitchedOff standing for a switched-off
// slot of that side.
struct SoundMatch {
  PlayedId first = kSwitchedOff;
  PlayedId second = kSwitchedOff;
};

struct Pairing {
  // The least cost, or kFar when every pairing costs more than
  // kMostDifferences (or a side plays nothing).
  int cost = kFar;
  // The pairs of that pairing that cost something, in the order of the
  // first side's sounds (a sound switched off on the first side after
  // them); empty when cost is kFar.
  std::vector<SoundMatch> matches;
};

// `distance(a, b)` gives what pairing a sound of the first side with one of
// the second costs: kFar or more where they may not pair.
using PairDistance = std::function<int(PlayedId, PlayedId)>;

Pairing PairSounds(const PairingSide& first, const PairingSide& second,
                   const PairDistance& distance);

}  // namespace dravelin

#endif  // DRAVELIN_TWINS_SOUND_PAIRING_H_
