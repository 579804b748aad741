// The assignment file in Compare: what it says is read back for the same
// banks, whatever their file names hold, and every kind of bad line is
// ignored, counted and named, never taken.

#include "sequencer/assignment_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "sequencer/bank_assignment.h"

namespace dravelin {
namespace {

using K = KeyboardBank;

BankSet BanksWithFiles(const std::vector<std::string>& file_names) {
  BankSet set;
  for (const std::string& file : file_names) set.push_back(Bank{"bank", {}, file});
  return set;
}

TEST(AssignmentFileTest, WhatIsWrittenIsReadBackWhateverTheFileNamesHold) {
  const BankSet set = BanksWithFiles({
      "Plain.syx",
      "tab\there.syx",
      "line\nbreak\r.syx",
      "back\\slash\\x41.syx",
      "#hash.syx",
      "in#side.syx",
      " blank edges .syx",
      "Latin-1 \xE9t\xE9.syx",
      "UTF-8 \xC3\xA9t\xC3\xA9.syx",
      "del\x7F.syx",
  });
  const BankAssignment assignment = {K::kCard11, K::kUser,    K::kNotOnKeyboard, K::kPreset4,
                                     K::kCard1,  K::kPreset1, K::kCard2,         K::kCard3,
                                     K::kCard4,  K::kCard5};
  const std::string text = FormatAssignmentFile(set, assignment);
  const AssignmentFileReading reading = ParseAssignmentFile(text, set);
  EXPECT_EQ(reading.ignored_lines, 0u) << reading.first_problem;
  ASSERT_EQ(reading.chosen.size(), set.size());
  for (std::size_t i = 0; i < set.size(); ++i) {
    EXPECT_EQ(reading.chosen[i], assignment[i]) << set[i].file_name;
  }
  // One line per bank after the comment lines, each line whole.
  std::size_t lines = 0;
  std::size_t comments = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
    const std::string line = text.substr(at, end - at);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    (line.starts_with("#") ? comments : lines) += 1;
    at = end + 2;
  }
  EXPECT_GT(comments, 0u);
  EXPECT_EQ(lines, set.size());
}

TEST(AssignmentFileTest, BadLinesAreIgnoredCountedAndTheFirstIsNamed) {
  const BankSet set = BanksWithFiles({"a.syx", "b.syx", "c.syx"});
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::optional<K>> chosen;
    std::size_t ignored;
    std::string first_problem;
  };
  const Case cases[] = {
      {"a good file, LF alone and blank lines",
       "# comment\n\na.syx\tCard 3\n  \nb.syx\tnone\n",
       {K::kCard3, K::kNotOnKeyboard, std::nullopt}, 0, ""},
      {"blanks around the keyboard bank", "a.syx\t  preset 2 \r\n",
       {K::kPreset2, std::nullopt, std::nullopt}, 0, ""},
      {"no tab", "a.syx User\r\nb.syx\tUser\r\n", {std::nullopt, K::kUser, std::nullopt}, 1,
       "line 1: not a bank file name, a tab and a keyboard bank"},
      {"a broken escape", "a\\q.syx\tUser\r\n", {std::nullopt, std::nullopt, std::nullopt}, 1,
       "line 1: not a bank file name, a tab and a keyboard bank"},
      {"an unknown bank", "# x\r\nz.syx\tUser\r\n", {std::nullopt, std::nullopt, std::nullopt}, 1,
       "line 2: no bank file 'z.syx' in Compare"},
      {"an unknown keyboard bank", "a.syx\tCard 12\r\n", {std::nullopt, std::nullopt, std::nullopt},
       1, "line 1: no keyboard bank 'Card 12'"},
      {"a bank named again", "a.syx\tUser\r\na.syx\tCard 1\r\n",
       {K::kUser, std::nullopt, std::nullopt}, 1, "line 2: 'a.syx' is named again"},
      {"a keyboard bank given twice: the later line goes",
       "a.syx\tCard 1\r\nb.syx\tcard1\r\nc.syx\tnone\r\n",
       {K::kCard1, std::nullopt, K::kNotOnKeyboard}, 1,
       "line 2: Card 1 is given to another bank already"},
      {"not on the keyboard may be given to many", "a.syx\tnone\r\nb.syx\tnone\r\n",
       {K::kNotOnKeyboard, K::kNotOnKeyboard, std::nullopt}, 0, ""},
      {"several bad lines", "x\r\ny\r\na.syx\tUser\r\nz\r\n", {K::kUser, std::nullopt, std::nullopt},
       3, "line 1: not a bank file name, a tab and a keyboard bank"},
      {"bytes that are no text", std::string("\0\xFF\tUser\r\n", 9),
       {std::nullopt, std::nullopt, std::nullopt}, 1,
       std::string("line 1: no bank file '\0\xFF' in Compare", 36)},
  };
  for (const Case& c : cases) {
    const AssignmentFileReading reading = ParseAssignmentFile(c.text, set);
    EXPECT_EQ(reading.chosen, c.chosen) << c.name;
    EXPECT_EQ(reading.ignored_lines, c.ignored) << c.name;
    EXPECT_EQ(reading.first_problem, c.first_problem) << c.name;
  }
}

}  // namespace
}  // namespace dravelin
