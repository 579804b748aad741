// What a front end shows before a command that asks which keyboard bank
// each Compare bank stands for (MenuItem::asks_assignment): one row per bank
// file with the keyboard bank chosen for it, out of every choice. The front
// end shows it as a small modal dialog and hands the chosen rows back
// (Application::ConfirmAssignment); all its texts come from here.

#ifndef DRAVELIN_APP_ASSIGNMENT_DIALOG_H_
#define DRAVELIN_APP_ASSIGNMENT_DIALOG_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "sequencer/bank_assignment.h"

namespace dravelin {

inline constexpr std::string_view kAssignmentDialogTitle = "Keyboard Banks";
inline constexpr std::string_view kAssignmentDialogPrompt =
    "Choose the keyboard bank that each bank file in Compare stands for. A keyboard bank "
    "holds one bank file; banks not on the keyboard are left out of the file.";
inline constexpr std::string_view kAssignmentBankColumn = "Bank file";
inline constexpr std::string_view kAssignmentKeyboardColumn = "Keyboard bank";

struct AssignmentDialog {
  // The bank files of the Compare set, in set order, as the program holds
  // their names (front ends decode them as pane lines).
  std::vector<std::string> banks;
  // Every keyboard bank a bank file can be given, in the order to list them.
  std::vector<std::string_view> choices;
  // Per bank file: the index in `choices` chosen now.
  std::vector<int> chosen;
};

AssignmentDialog MakeAssignmentDialog(const BankSet& set, std::span<const KeyboardBank> assignment);

// The assignment that the rows' choices (indexes in AssignmentDialog::choices)
// stand for, or nullopt when an index is out of range.
std::optional<BankAssignment> AssignmentOfChoices(std::span<const int> chosen);

}  // namespace dravelin

#endif  // DRAVELIN_APP_ASSIGNMENT_DIALOG_H_
