#include "sequencer/keyboard_bank.h"

#include <string>

namespace dravelin {
namespace {

constexpr std::array<std::string_view, kKeyboardBankChoiceCount> kNames = {
    "User",   "Preset 1", "Preset 2", "Preset 3", "Preset 4", "Card 1",
    "Card 2", "Card 3",   "Card 4",   "Card 5",   "Card 6",   "Card 7",
    "Card 8", "Card 9",   "Card 10",  "Card 11",  "Not on the keyboard",
};

// Lower case without blanks, the form names are matched in.
std::string Folded(std::string_view text) {
  std::string folded;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return folded;
}

}  // namespace

std::string_view KeyboardBankName(KeyboardBank bank) { return kNames[ChoiceIndex(bank)]; }

std::string_view KeyboardBankLabel(KeyboardBank bank) {
  return bank == KeyboardBank::kPreset4 ? "Preset 4 (General MIDI)" : KeyboardBankName(bank);
}

std::optional<KeyboardBank> ParseKeyboardBank(std::string_view text) {
  const std::string folded = Folded(text);
  if (folded == "none" || folded == "-") return KeyboardBank::kNotOnKeyboard;
  for (KeyboardBank bank : kKeyboardBankChoices) {
    if (folded == Folded(KeyboardBankName(bank)) || folded == Folded(KeyboardBankLabel(bank))) {
      return bank;
    }
  }
  return std::nullopt;
}

}  // namespace dravelin
