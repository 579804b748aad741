// "Show Patch Details": every parameter of one patch, or of two side by
// side, as lines for a pane of their own.
//
// The lines: the patches' labels; a legend; then each part (the program's
// common part, the four sounds, the effects when the bank file holds them)
// with its fields under their edit page groups, each field's label and its
// value as the keyboard shows it, for each patch. Two patches' sounds stand
// side by side in the order that pairs them best: the order of the second
// patch's sounds that makes the fewest parameters differ (slot for slot
// where that is as good), each side named by its own slot. A field whose
// values differ is marked "*" when the difference counts as near twins
// count them (a parameter, of a sound that plays on both sides, or the
// Enable of one that plays on one side only), "~" when it does not (spare
// bits, what a switched-off sound holds); "!" follows a value past its
// documented range.

#ifndef DRAVELIN_DETAILS_PATCH_DETAILS_H_
#define DRAVELIN_DETAILS_PATCH_DETAILS_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "banks/patch.h"
#include "details/patch_lookup.h"

namespace dravelin {

inline constexpr std::string_view kPatchDetailsTitle = "Patch Details";

// The slot of the second patch's sound shown beside each slot of the
// first's: the permutation with the fewest differing parameters, the first
// such in lexicographic order (so slot for slot when that is as good).
std::array<std::size_t, kSoundsPerPatch> SideBySideSlots(const Patch& first, const Patch& second);

// The lines for `patches`: one, or the first two side by side.
std::vector<std::string> PatchDetailsLines(std::span<const NamedPatch> patches);

}  // namespace dravelin

#endif  // DRAVELIN_DETAILS_PATCH_DETAILS_H_
