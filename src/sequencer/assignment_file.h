// The file in Compare that keeps the keyboard bank of every Compare bank
// between runs: plain text that a user can read and edit. Comment lines
// begin with '#'; every other line that is not blank names one bank file
// and its keyboard bank, separated by a tab:
//
//   # ...
//   Pianos.syx<TAB>User
//   Strings.syx<TAB>Card 3
//
// A file name is written byte for byte, but for a backslash, written "\\",
// and the bytes below 0x20, 0x7F and a leading '#', written "\xHH" (two hex
// digits), so that no name can break its line or pass for a comment.
// Lines end with CR LF; LF alone is read as well.

#ifndef DRAVELIN_SEQUENCER_ASSIGNMENT_FILE_H_
#define DRAVELIN_SEQUENCER_ASSIGNMENT_FILE_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "report/report_file_name.h"
#include "sequencer/keyboard_bank.h"

namespace dravelin {

// Its name in Compare: no report of a bank has this extension, and the
// bank search passes it over.
inline constexpr std::string_view kAssignmentFileName = "QS+ Banks.slots";

inline ReportFileName AssignmentFileName() {
  return ReportFileName(std::string(kAssignmentFileName));
}

// The file's text for `assignment` (one keyboard bank per bank of `set`):
// the comment lines, then one line per bank in set order.
std::string FormatAssignmentFile(const BankSet& set, std::span<const KeyboardBank> assignment);

// What a file says about the banks of a set.
struct AssignmentFileReading {
  // Per bank of the set: the keyboard bank the file gives it, or nullopt
  // when it names none.
  std::vector<std::optional<KeyboardBank>> chosen;
  // Lines that were ignored, and what was wrong with the first of them
  // ("line 4: ..."), empty when none was.
  std::size_t ignored_lines = 0;
  std::string first_problem;
};

// Reads `text` for the banks of `set`. A line is ignored, and counted, when
// it lacks the tab or its name is badly escaped, names no bank file of the
// set, names a keyboard bank that does not exist, names a bank that an
// earlier line named, or gives a keyboard bank that an earlier line gave
// to another bank. Never fails as a whole.
AssignmentFileReading ParseAssignmentFile(std::string_view text, const BankSet& set);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_ASSIGNMENT_FILE_H_
