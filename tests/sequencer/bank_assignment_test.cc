// Which keyboard bank each Compare bank stands for: the default, free banks
// for the rest, the dialog's refusals, and choices given by name.

#include "sequencer/bank_assignment.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dravelin {
namespace {

using K = KeyboardBank;

// Banks named "a" (a.syx), "b" (b.syx), ... in set order.
BankSet BanksNamed(std::initializer_list<const char*> names) {
  BankSet set;
  for (const char* name : names) set.push_back(Bank{name, {}, std::string(name) + ".syx"});
  return set;
}

TEST(BankAssignmentTest, DefaultTakesTheKeyboardBanksInOrderAndLeavesOutTheRest) {
  const BankAssignment sixteen = DefaultAssignment(16);
  EXPECT_EQ(sixteen.front(), K::kUser);
  EXPECT_EQ(sixteen[4], K::kPreset4);
  EXPECT_EQ(sixteen.back(), K::kCard11);
  EXPECT_FALSE(FindSharedKeyboardBank(sixteen));
  const BankAssignment nineteen = DefaultAssignment(19);
  EXPECT_EQ(CountOnKeyboard(nineteen), 16u);
  EXPECT_EQ(nineteen[16], K::kNotOnKeyboard);
  EXPECT_EQ(nineteen[18], K::kNotOnKeyboard);
  EXPECT_TRUE(DefaultAssignment(0).empty());
}

TEST(BankAssignmentTest, BanksWithoutAChoiceTakeTheFreeKeyboardBanksInOrder) {
  struct Case {
    const char* name;
    std::vector<std::optional<K>> chosen;
    BankAssignment expected;
  };
  const Case cases[] = {
      {"chosen ones are skipped",
       {std::nullopt, K::kUser, std::nullopt, K::kPreset2, std::nullopt},
       {K::kPreset1, K::kUser, K::kPreset3, K::kPreset2, K::kPreset4}},
      {"not on the keyboard takes nothing",
       {K::kNotOnKeyboard, std::nullopt, K::kNotOnKeyboard},
       {K::kNotOnKeyboard, K::kUser, K::kNotOnKeyboard}},
      {"a late choice still holds its bank",
       {std::nullopt, std::nullopt, K::kUser},
       {K::kPreset1, K::kPreset2, K::kUser}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FillFreeKeyboardBanks(c.chosen), c.expected) << c.name;
  }
  // Fifteen banks chosen on Card 11 down to Preset 1: of three more, the
  // first takes User and the others find nothing free.
  std::vector<std::optional<K>> crowded(18);
  for (std::size_t i = 0; i < 15; ++i) crowded[i] = kKeyboardBankChoices[15 - i];
  const BankAssignment filled = FillFreeKeyboardBanks(crowded);
  EXPECT_EQ(filled[15], K::kUser);
  EXPECT_EQ(filled[16], K::kNotOnKeyboard);
  EXPECT_EQ(filled[17], K::kNotOnKeyboard);
}

TEST(BankAssignmentTest, RefusesSharedBanksNothingOnTheKeyboardAndAWrongCount) {
  const BankSet set = BanksNamed({"a", "b", "c"});
  struct Case {
    BankAssignment assignment;
    std::string refusal;
  };
  const Case cases[] = {
      {{K::kCard3, K::kNotOnKeyboard, K::kUser}, ""},
      {{K::kNotOnKeyboard, K::kUser, K::kNotOnKeyboard}, ""},
      {{K::kPreset1, K::kUser, K::kPreset1},
       "'a.syx' and 'c.syx' are both on Preset 1: a keyboard bank holds one Compare bank only."},
      {{K::kNotOnKeyboard, K::kNotOnKeyboard, K::kNotOnKeyboard},
       "No Compare bank is on the keyboard: choose a keyboard bank for at least one."},
      {{K::kUser, K::kPreset1}, std::string(kIncompleteAssignment)},
  };
  for (const Case& c : cases) EXPECT_EQ(AssignmentRefusal(set, c.assignment), c.refusal);
  EXPECT_EQ(AssignmentRefusal(BankSet(), BankAssignment()), "");
}

TEST(BankAssignmentTest, TheFirstSharedPairIsFoundWhereverItLies) {
  EXPECT_EQ(FindSharedKeyboardBank(BankAssignment{K::kCard1, K::kUser, K::kUser, K::kCard1}),
            std::make_pair(std::size_t{1}, std::size_t{2}));
  EXPECT_EQ(FindSharedKeyboardBank(BankAssignment{K::kCard1, K::kUser, K::kCard1}),
            std::make_pair(std::size_t{0}, std::size_t{2}));
  EXPECT_FALSE(FindSharedKeyboardBank(
      BankAssignment{K::kNotOnKeyboard, K::kNotOnKeyboard, K::kPreset3}));
}

TEST(BankAssignmentTest, KeyboardBankNamesAreReadInAnyCaseWithOrWithoutBlanks) {
  const std::pair<const char*, std::optional<K>> cases[] = {
      {"User", K::kUser},
      {"preset1", K::kPreset1},
      {"PRESET 4", K::kPreset4},
      {"Preset 4 (General MIDI)", K::kPreset4},
      {"card 11", K::kCard11},
      {"Card1", K::kCard1},
      {"Not on the keyboard", K::kNotOnKeyboard},
      {"none", K::kNotOnKeyboard},
      {"-", K::kNotOnKeyboard},
      {"Card 12", std::nullopt},
      {"Preset 0", std::nullopt},
      {"", std::nullopt},
      {"Users", std::nullopt},
  };
  for (const auto& [text, bank] : cases) EXPECT_EQ(ParseKeyboardBank(text), bank) << text;
  for (K bank : kKeyboardBankChoices) {
    EXPECT_EQ(ParseKeyboardBank(KeyboardBankName(bank)), bank);
    EXPECT_EQ(ParseKeyboardBank(KeyboardBankLabel(bank)), bank);
  }
}

TEST(BankAssignmentTest, BanksAreNamedByFileNameOrByAnUnambiguousBankName) {
  BankSet set = BanksNamed({"Pads", "Keys"});
  set.push_back(Bank{"Twin", {}, "Twin.syx"});
  set.push_back(Bank{"Twin", {}, "Twin.SYX"});
  set.push_back(Bank{"Keys.syx", {}, "Keys.syx.syx"});
  const std::pair<const char*, std::optional<std::size_t>> cases[] = {
      {"Pads.syx", 0}, {"Pads", 0},       {"Twin.SYX", 3},        {"Twin", std::nullopt},
      {"Keys.syx", 1},  // the file name wins over the bank name "Keys.syx"
      {"Keys.syx.syx", 4}, {"pads", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [name, bank] : cases) EXPECT_EQ(FindBankNamed(set, name), bank) << name;
}

TEST(BankAssignmentTest, ChoicesByNameAreReadOrTheFirstWrongOneIsNamed) {
  const BankSet set = BanksNamed({"a", "b", "c", "d=e"});
  struct Case {
    std::vector<std::string> texts;
    std::string wrong;
  };
  const Case cases[] = {
      {{"a=Card 2", "b.syx=user", "d=e=none"}, ""},
      {{"a"}, "'a' is not BANK=KEYBOARD BANK"},
      {{"x=User"}, "no bank 'x' in Compare"},
      {{"a=Card 12"}, "no keyboard bank 'Card 12'"},
      {{"a=User", "a.syx=Card 1"}, "'a.syx' is given a keyboard bank twice"},
      {{"a=User", "b=Preset 1", "c=user"}, "'a.syx' and 'c.syx' are both on User"},
      {{"a=none", "b=none"}, ""},
  };
  for (const Case& c : cases) {
    std::vector<KeyboardBankChoice> choices;
    EXPECT_EQ(ReadKeyboardBankChoices(set, c.texts, &choices), c.wrong) << c.texts.front();
    if (c.wrong.empty()) {
      EXPECT_EQ(choices.size(), c.texts.size());
    }
  }
  std::vector<KeyboardBankChoice> choices;
  ASSERT_EQ(ReadKeyboardBankChoices(set, std::vector<std::string>{"d=e=Card 3"}, &choices), "");
  EXPECT_EQ(choices.front().bank, 3u);
  EXPECT_EQ(choices.front().keyboard_bank, K::kCard3);
}

TEST(BankAssignmentTest, ChosenBanksDisplaceTheirHoldersWhoTakeFreeBanks) {
  struct Case {
    const char* name;
    BankAssignment offered;
    std::vector<KeyboardBankChoice> choices;
    BankAssignment expected;
  };
  const Case cases[] = {
      {"a swap of sorts",
       {K::kUser, K::kPreset1, K::kPreset2},
       {{2, K::kUser}},
       {K::kPreset2, K::kPreset1, K::kUser}},
      {"off the keyboard frees a bank for nobody",
       {K::kUser, K::kPreset1, K::kNotOnKeyboard},
       {{0, K::kNotOnKeyboard}},
       {K::kNotOnKeyboard, K::kPreset1, K::kNotOnKeyboard}},
      {"a bank beyond the sixteenth comes on",
       DefaultAssignment(17),
       {{16, K::kCard11}},
       [] {
         BankAssignment a = DefaultAssignment(17);
         a[15] = K::kNotOnKeyboard;  // Card 11's holder finds nothing free
         a[16] = K::kCard11;
         return a;
       }()},
  };
  for (const Case& c : cases) {
    const BankAssignment result = WithChoices(c.offered, c.choices);
    EXPECT_EQ(result, c.expected) << c.name;
    EXPECT_FALSE(FindSharedKeyboardBank(result)) << c.name;
  }
}

}  // namespace
}  // namespace dravelin
