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

std::vector<FoundPatchLabel> FindPatchLabels(std::string_view line) {
  // From " [" to the closing double quote: " [", three digits, ':', the
  // name, "]\"".
  constexpr std::size_t kTail = 2 + 3 + 1 + kPatchNameLength + 2;
  std::vector<FoundPatchLabel> labels;
  std::size_t searched_from = 0;  // the end of the last label found
  for (std::size_t at = line.find(" [", searched_from); at != std::string_view::npos;
       at = line.find(" [", at + 1)) {
    if (line.size() - at < kTail) break;
    const std::string_view tail = line.substr(at, kTail);
    const auto digit = [&](std::size_t k) { return tail[k] >= '0' && tail[k] <= '9'; };
    if (!digit(2) || !digit(3) || !digit(4) || tail[5] != ':' || tail[kTail - 2] != ']' ||
        tail[kTail - 1] != '"') {
      continue;
    }
    const int number = (tail[2] - '0') * 100 + (tail[3] - '0') * 10 + (tail[4] - '0');
    if (number > 255) continue;
    FoundPatchLabel label;
    for (std::size_t quote = at; quote > searched_from;) {
      quote = line.rfind('"', quote - 1);
      if (quote == std::string_view::npos || quote < searched_from) break;
      label.bank_names.push_back(line.substr(quote + 1, at - quote - 1));
    }
    if (label.bank_names.empty()) continue;
    label.program_number = static_cast<std::uint8_t>(number);
    label.name = tail.substr(6, kPatchNameLength);
    searched_from = at + kTail;
    label.base = line.substr(searched_from).starts_with(kBaseLabelMark);
    if (label.base) searched_from += kBaseLabelMark.size();
    labels.push_back(std::move(label));
    at = searched_from - 1;
  }
  return labels;
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
