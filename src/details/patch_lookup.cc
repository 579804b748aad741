#include "details/patch_lookup.h"

#include <charconv>

#include "compare/patch_label.h"

namespace dravelin {
namespace {

std::optional<NamedPatch> FindInSet(const BankSet& set, bool base, std::string_view bank_name,
                                    std::uint8_t program_number, std::string_view name) {
  for (const Bank& bank : set) {
    if (bank.name != bank_name) continue;
    for (const Patch& patch : bank.patches) {
      if (patch.program_number == program_number && patch.name == name) {
        return NamedPatch{&bank, &patch, base};
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<NamedPatch> FindLabelledPatches(std::string_view line, const BankSet& compare_set,
                                            const BankSet& base_set) {
  std::vector<NamedPatch> found;
  for (const FoundPatchLabel& label : FindPatchLabels(line)) {
    for (std::string_view bank_name : label.bank_names) {
      std::optional<NamedPatch> named;
      if (!label.base) {
        named = FindInSet(compare_set, false, bank_name, label.program_number, label.name);
      }
      if (!named) named = FindInSet(base_set, true, bank_name, label.program_number, label.name);
      if (named) {
        found.push_back(*named);
        break;
      }
    }
  }
  return found;
}

std::optional<NamedPatch> FindPatchByBankAndProgram(std::string_view text,
                                                    const BankSet& compare_set,
                                                    const BankSet& base_set, std::string* why) {
  const std::size_t colon = text.rfind(':');
  unsigned number = 0;
  if (colon == std::string_view::npos || colon == 0) {
    *why = "'" + std::string(text) + "' is not BANK:PROGRAM";
    return std::nullopt;
  }
  const std::string_view digits = text.substr(colon + 1);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      number > 255) {
    *why = "'" + std::string(digits) + "' is no program number (0 to 255)";
    return std::nullopt;
  }
  const std::string_view bank_name = text.substr(0, colon);
  for (const BankSet* set : {&compare_set, &base_set}) {
    for (const Bank& bank : *set) {
      if (bank.name != bank_name && bank.file_name != bank_name) continue;
      for (const Patch& patch : bank.patches) {
        if (patch.program_number == number) return NamedPatch{&bank, &patch, set == &base_set};
      }
    }
  }
  *why = "no bank '" + std::string(bank_name) + "' holds program " + std::to_string(number);
  return std::nullopt;
}

std::string LabelOf(const NamedPatch& named) {
  std::string label;
  AppendPatchLabel(*named.bank, *named.patch, label);
  if (named.base) label += kBaseLabelMark;
  return label;
}

}  // namespace dravelin
