// The banks of the keyboard that a Compare bank can stand for, and how a
// sequencer selects each: the keyboard takes MIDI controller 0 alone as its
// bank select, User 0, Preset 1 to 4 as 1 to 4 (Preset 4 is the General MIDI
// bank), Card 1 to 11 as 5 to 15. A bank may also be on no keyboard bank;
// such a bank is left out of the sequencer files.

#ifndef DRAVELIN_SEQUENCER_KEYBOARD_BANK_H_
#define DRAVELIN_SEQUENCER_KEYBOARD_BANK_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dravelin {

// In the order the keyboard numbers its banks; kNotOnKeyboard last.
enum class KeyboardBank : std::uint8_t {
  kUser,
  kPreset1,
  kPreset2,
  kPreset3,
  kPreset4,
  kCard1,
  kCard2,
  kCard3,
  kCard4,
  kCard5,
  kCard6,
  kCard7,
  kCard8,
  kCard9,
  kCard10,
  kCard11,
  kNotOnKeyboard,
};

// Banks the keyboard holds: User, four presets and eleven card banks.
inline constexpr std::size_t kKeyboardBankCount = 16;
// Every choice a Compare bank has, kNotOnKeyboard included.
inline constexpr std::size_t kKeyboardBankChoiceCount = kKeyboardBankCount + 1;

// Every choice, in order: the keyboard's banks, then kNotOnKeyboard.
inline constexpr auto kKeyboardBankChoices = [] {
  std::array<KeyboardBank, kKeyboardBankChoiceCount> choices{};
  for (std::size_t i = 0; i < choices.size(); ++i) choices[i] = static_cast<KeyboardBank>(i);
  return choices;
}();

// The choice's index in kKeyboardBankChoices.
constexpr std::size_t ChoiceIndex(KeyboardBank bank) { return static_cast<std::size_t>(bank); }

constexpr bool IsOnKeyboard(KeyboardBank bank) { return bank != KeyboardBank::kNotOnKeyboard; }

// The value of controller 0 that selects `bank` (on the keyboard only).
constexpr int BankSelectValue(KeyboardBank bank) { return static_cast<int>(bank); }

// The name the user sees and writes: "User", "Preset 1" ... "Preset 4",
// "Card 1" ... "Card 11", "Not on the keyboard".
std::string_view KeyboardBankName(KeyboardBank bank);

// The name shown in a list of choices: the name, and for Preset 4 what it
// holds ("Preset 4 (General MIDI)").
std::string_view KeyboardBankLabel(KeyboardBank bank);

// The bank that `text` names, or nullopt. ASCII case and blanks are
// ignored ("preset1", "CARD 11"); "none" and "-" stand for kNotOnKeyboard,
// and the label form is taken as well.
std::optional<KeyboardBank> ParseKeyboardBank(std::string_view text);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_KEYBOARD_BANK_H_
