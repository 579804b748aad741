#include "compare/patch_label.h"

#include <algorithm>

namespace dravelin {

void AppendPatchLabel(const Bank& bank, const Patch& patch, std::string& out) {
  // The program number is one byte, so three digits always suffice.
  const unsigned number = patch.program_number;
  const char digits[3] = {static_cast<char>('0' + number / 100),
                          static_cast<char>('0' + number / 10 % 10),
                          static_cast<char>('0' + number % 10)};
  out += '"';
  out += bank.name;
  out += " [";
  out.append(digits, 3);
  out += ':';
  out += patch.name;
  out += "]\"";
}

PatchLabels::PatchLabels(const std::vector<SetPatch>& patches) {
  starts_.reserve(patches.size() + 1);
  for (const SetPatch& entry : patches) {
    starts_.push_back(text_.size());
    AppendPatchLabel(*entry.bank, *entry.patch, text_);
  }
  starts_.push_back(text_.size());
}

}  // namespace dravelin
