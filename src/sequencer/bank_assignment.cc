#include "sequencer/bank_assignment.h"

#include <algorithm>
#include <array>

namespace dravelin {
namespace {

// A bank as the texts name it: its file name in quotes.
std::string Quoted(const Bank& bank) { return "'" + bank.file_name + "'"; }

}  // namespace

BankAssignment DefaultAssignment(std::size_t bank_count) {
  std::vector<std::optional<KeyboardBank>> none(bank_count);
  return FillFreeKeyboardBanks(none);
}

BankAssignment FillFreeKeyboardBanks(std::span<const std::optional<KeyboardBank>> chosen) {
  std::array<bool, kKeyboardBankCount> taken{};
  for (const std::optional<KeyboardBank>& bank : chosen) {
    if (bank && IsOnKeyboard(*bank)) taken[ChoiceIndex(*bank)] = true;
  }
  BankAssignment assignment;
  assignment.reserve(chosen.size());
  std::size_t next_free = 0;
  for (const std::optional<KeyboardBank>& bank : chosen) {
    if (bank) {
      assignment.push_back(*bank);
      continue;
    }
    while (next_free < kKeyboardBankCount && taken[next_free]) ++next_free;
    if (next_free == kKeyboardBankCount) {
      assignment.push_back(KeyboardBank::kNotOnKeyboard);
    } else {
      taken[next_free] = true;
      assignment.push_back(kKeyboardBankChoices[next_free]);
    }
  }
  return assignment;
}

std::optional<std::pair<std::size_t, std::size_t>> FindSharedKeyboardBank(
    std::span<const KeyboardBank> assignment) {
  std::array<std::size_t, kKeyboardBankCount> holder{};
  holder.fill(assignment.size());
  for (std::size_t j = 0; j < assignment.size(); ++j) {
    if (!IsOnKeyboard(assignment[j])) continue;
    std::size_t& first = holder[ChoiceIndex(assignment[j])];
    if (first != assignment.size()) return std::make_pair(first, j);
    first = j;
  }
  return std::nullopt;
}

std::size_t CountOnKeyboard(std::span<const KeyboardBank> assignment) {
  return static_cast<std::size_t>(std::count_if(assignment.begin(), assignment.end(), IsOnKeyboard));
}

std::string AssignmentRefusal(const BankSet& set, std::span<const KeyboardBank> assignment) {
  if (assignment.size() != set.size()) {
    return std::string(kIncompleteAssignment);
  }
  if (const auto shared = FindSharedKeyboardBank(assignment)) {
    return Quoted(set[shared->first]) + " and " + Quoted(set[shared->second]) + " are both on " +
           std::string(KeyboardBankName(assignment[shared->first])) +
           ": a keyboard bank holds one Compare bank only.";
  }
  if (!set.empty() && CountOnKeyboard(assignment) == 0) {
    return "No Compare bank is on the keyboard: choose a keyboard bank for at least one.";
  }
  return std::string();
}

std::optional<std::size_t> FindBankNamed(const BankSet& set, std::string_view name) {
  std::optional<std::size_t> by_name;
  int named = 0;
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (set[i].file_name == name) return i;
    if (set[i].name == name) {
      by_name = i;
      ++named;
    }
  }
  return named == 1 ? by_name : std::nullopt;
}

std::string ReadKeyboardBankChoices(const BankSet& set, std::span<const std::string> texts,
                                    std::vector<KeyboardBankChoice>* choices) {
  choices->clear();
  for (const std::string& text : texts) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos) {
      return "'" + text + "' is not BANK=KEYBOARD BANK";
    }
    const std::string_view bank_text = std::string_view(text).substr(0, equals);
    const std::string_view keyboard_text = std::string_view(text).substr(equals + 1);
    const std::optional<std::size_t> bank = FindBankNamed(set, bank_text);
    if (!bank) return "no bank '" + std::string(bank_text) + "' in Compare";
    const std::optional<KeyboardBank> keyboard_bank = ParseKeyboardBank(keyboard_text);
    if (!keyboard_bank) return "no keyboard bank '" + std::string(keyboard_text) + "'";
    for (const KeyboardBankChoice& earlier : *choices) {
      if (earlier.bank == *bank) return Quoted(set[*bank]) + " is given a keyboard bank twice";
      if (IsOnKeyboard(*keyboard_bank) && earlier.keyboard_bank == *keyboard_bank) {
        return Quoted(set[earlier.bank]) + " and " + Quoted(set[*bank]) + " are both on " +
               std::string(KeyboardBankName(*keyboard_bank));
      }
    }
    choices->push_back({*bank, *keyboard_bank});
  }
  return std::string();
}

BankAssignment WithChoices(std::span<const KeyboardBank> offered,
                           std::span<const KeyboardBankChoice> choices) {
  std::vector<std::optional<KeyboardBank>> chosen(offered.begin(), offered.end());
  for (const KeyboardBankChoice& choice : choices) {
    for (std::optional<KeyboardBank>& bank : chosen) {
      if (IsOnKeyboard(choice.keyboard_bank) && bank == choice.keyboard_bank) bank.reset();
    }
  }
  for (const KeyboardBankChoice& choice : choices) chosen[choice.bank] = choice.keyboard_bank;
  return FillFreeKeyboardBanks(chosen);
}

}  // namespace dravelin
