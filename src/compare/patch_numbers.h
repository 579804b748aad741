// Every patch of a set as numbers: its name's number and the numbers of its
// four sounds, so that the comparison indexes and the judging of pairs work
// on small integers instead of names and 85-byte blocks.

#ifndef DRAVELIN_COMPARE_PATCH_NUMBERS_H_
#define DRAVELIN_COMPARE_PATCH_NUMBERS_H_

#include <cstddef>
#include <vector>

#include "compare/patch_comparison.h"
#include "compare/set_patches.h"

namespace dravelin {

struct PatchNumbers {
  // By ordinal. Names are numbered from 0 in order of first appearance, and
  // so are distinct sound blocks.
  std::vector<NumberedPatch> patches;
  std::size_t name_count = 0;
  std::size_t block_count = 0;
};

PatchNumbers NumberPatches(const std::vector<SetPatch>& patches);

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_PATCH_NUMBERS_H_
