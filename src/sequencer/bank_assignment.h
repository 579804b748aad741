// Which keyboard bank each Compare bank stands for: one KeyboardBank per
// bank of the set, in set order. No two banks share a keyboard bank;
// any number of them may be not on the keyboard.

#ifndef DRAVELIN_SEQUENCER_BANK_ASSIGNMENT_H_
#define DRAVELIN_SEQUENCER_BANK_ASSIGNMENT_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "banks/bank.h"
#include "sequencer/keyboard_bank.h"

namespace dravelin {

using BankAssignment = std::vector<KeyboardBank>;

// Banks in set order from User on, one keyboard bank each; the banks after
// the sixteenth are not on the keyboard.
BankAssignment DefaultAssignment(std::size_t bank_count);

// Every bank with a choice keeps it; every bank without one (nullopt) gets
// the first keyboard bank that no bank holds yet, in set order, and is not
// on the keyboard once none is left. `chosen` must hold no keyboard bank
// twice.
BankAssignment FillFreeKeyboardBanks(std::span<const std::optional<KeyboardBank>> chosen);

// The first pair of banks (i < j, j as small as it can be) that hold the
// same keyboard bank, or nullopt when no two do.
std::optional<std::pair<std::size_t, std::size_t>> FindSharedKeyboardBank(
    std::span<const KeyboardBank> assignment);

// How many banks are on the keyboard.
std::size_t CountOnKeyboard(std::span<const KeyboardBank> assignment);

// The refusal of a choice that does not give every bank a keyboard bank.
inline constexpr std::string_view kIncompleteAssignment =
    "The choice does not name a keyboard bank for every Compare bank.";

// Why `assignment` cannot be taken for `set`, as the dialog says it, or an
// empty text when it can: it must hold one keyboard bank per bank of the
// set, give no keyboard bank to two banks, and put at least one bank on
// the keyboard.
std::string AssignmentRefusal(const BankSet& set, std::span<const KeyboardBank> assignment);

// A bank given its keyboard bank by name ("Pianos.syx=Card 3").
struct KeyboardBankChoice {
  std::size_t bank;  // index in the set
  KeyboardBank keyboard_bank;
};

// The bank of `set` that `name` names: the bank whose file name it is, or
// else the one bank whose name it is. nullopt when none is, or when two
// banks have that name and neither has it as its file name.
std::optional<std::size_t> FindBankNamed(const BankSet& set, std::string_view name);

// Reads "BANK=KEYBOARD BANK" texts (the bank as FindBankNamed takes it, cut
// at the last '='; the keyboard bank as ParseKeyboardBank takes it). On
// success returns an empty text and fills `choices`; otherwise returns what
// is wrong with the first text that fails: no '=', no such bank, no such
// keyboard bank, a bank named twice, or a keyboard bank given twice.
std::string ReadKeyboardBankChoices(const BankSet& set, std::span<const std::string> texts,
                                    std::vector<KeyboardBankChoice>* choices);

// `offered` with the choices applied: each chosen bank takes its keyboard
// bank; a bank that held one of the chosen keyboard banks before gets a free
// one (FillFreeKeyboardBanks); every other bank keeps its own. The choices
// must come from ReadKeyboardBankChoices over the same set.
BankAssignment WithChoices(std::span<const KeyboardBank> offered,
                           std::span<const KeyboardBankChoice> choices);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_BANK_ASSIGNMENT_H_
