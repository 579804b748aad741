#include "app/assignment_dialog.h"

namespace dravelin {

AssignmentDialog MakeAssignmentDialog(const BankSet& set, std::span<const KeyboardBank> assignment) {
  AssignmentDialog dialog;
  for (KeyboardBank bank : kKeyboardBankChoices) dialog.choices.push_back(KeyboardBankLabel(bank));
  for (std::size_t i = 0; i < set.size(); ++i) {
    dialog.banks.push_back(set[i].file_name);
    const KeyboardBank bank = i < assignment.size() ? assignment[i] : KeyboardBank::kNotOnKeyboard;
    dialog.chosen.push_back(static_cast<int>(ChoiceIndex(bank)));
  }
  return dialog;
}

std::optional<BankAssignment> AssignmentOfChoices(std::span<const int> chosen) {
  BankAssignment assignment;
  assignment.reserve(chosen.size());
  for (int index : chosen) {
    if (index < 0 || static_cast<std::size_t>(index) >= kKeyboardBankChoiceCount) {
      return std::nullopt;
    }
    assignment.push_back(kKeyboardBankChoices[static_cast<std::size_t>(index)]);
  }
  return assignment;
}

}  // namespace dravelin
