// The one form in which a patch appears in the comparison reports:
// "<bank name> [<program number, 3 digits at least>:<patch name>]" between
// double quotes, for example "Rock [007:Big Pad   ]".

#ifndef DRAVELIN_COMPARE_PATCH_LABEL_H_
#define DRAVELIN_COMPARE_PATCH_LABEL_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "compare/set_patches.h"

namespace dravelin {

// Appends the label of `patch` of `bank` to `out`.
void AppendPatchLabel(const Bank& bank, const Patch& patch, std::string& out);

// A label found in a line of text. The bank's name is the text between the
// label's opening double quote and " [", but a bank name may itself hold
// double quotes, so each double quote before " [" (back to the end of the
// label before) may open it: `bank_names` holds every such reading, the
// shortest first.
struct FoundPatchLabel {
  std::vector<std::string_view> bank_names;
  std::uint8_t program_number = 0;
  std::string_view name;  // kPatchNameLength characters
  // The label is followed by kBaseLabelMark: it names a Base patch.
  bool base = false;
};

// Follows the label of a Base patch where reports mark it.
inline constexpr std::string_view kBaseLabelMark = " (Base)";

// Every label in `line`, in the order they stand: each "<bank name>
// [<three digits>:<ten characters>]" between double quotes, with a program
// number of at most 255, possibly followed by kBaseLabelMark.
std::vector<FoundPatchLabel> FindPatchLabels(std::string_view line);

// The labels of every patch of a set, formatted once and kept in one block
// of text, so that a report that names each patch many times copies them.
class PatchLabels {
 public:
  explicit PatchLabels(const std::vector<SetPatch>& patches);

  // The label of the patch with this ordinal.
  std::string_view operator[](std::size_t ordinal) const {
    return std::string_view(text_).substr(starts_[ordinal],
                                          starts_[ordinal + 1] - starts_[ordinal]);
  }

 private:
  std::string text_;
  std::vector<std::size_t> starts_;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_PATCH_LABEL_H_
