// Comparing two patches by name and by their four sounds.

#ifndef DRAVELIN_COMPARE_PATCH_COMPARISON_H_
#define DRAVELIN_COMPARE_PATCH_COMPARISON_H_

#include "banks/patch.h"
#include "base/message_code.h"

namespace dravelin {

struct PatchComparison {
  bool identical = false;
  bool similar = false;
  bool sounds_identical = false;
  MessageCode name_verdict = kNamesDifferent;
  MessageCode sound_verdicts[kSoundsPerPatch][kSoundsPerPatch] = {};
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_PATCH_COMPARISON_H_
