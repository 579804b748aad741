// The one form in which a patch appears in the comparison reports:
// "<bank name> [<program number, 3 digits at least>:<patch name>]" between
// double quotes, for example "Rock [007:Big Pad   ]".

#ifndef DRAVELIN_COMPARE_PATCH_LABEL_H_
#define DRAVELIN_COMPARE_PATCH_LABEL_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "compare/set_patches.h"

namespace dravelin {

// Appends the label of `patch` of `bank` to `out`.
void AppendPatchLabel(const Bank& bank, const Patch& patch, std::string& out);

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
