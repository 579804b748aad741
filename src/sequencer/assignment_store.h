// Where the keyboard bank of every Compare bank is kept: the assignment the
// user confirmed last in this run, and the assignment file in Compare for
// the next run.
//
// Before an export the store offers, for the Compare set as it is loaded:
// the assignment confirmed last since the banks were read, else what the
// assignment file says (read afresh each time), else the default; banks that
// the file does not name take the free keyboard banks in order. A missing
// file gives the default without a word; a file that cannot be read and the
// lines it ignores are named in a status text.

#ifndef DRAVELIN_SEQUENCER_ASSIGNMENT_STORE_H_
#define DRAVELIN_SEQUENCER_ASSIGNMENT_STORE_H_

#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "banks/bank.h"
#include "base/message_code.h"
#include "report/report_file.h"
#include "sequencer/bank_assignment.h"

namespace dravelin {

struct AssignmentOffer {
  BankAssignment assignment;  // one keyboard bank per bank of the set
  // What was wrong with the assignment file, as the status line says it;
  // empty when nothing was.
  std::string problem;
};

class AssignmentStore {
 public:
  // The assignment file lies in Compare below `working_dir`.
  explicit AssignmentStore(std::filesystem::path working_dir);

  AssignmentOffer Offer(const BankSet& set) const;

  // Keeps `assignment` (one keyboard bank per bank of `set`, taken by
  // AssignmentRefusal) as the one to offer from now on, by file name.
  void Remember(const BankSet& set, std::span<const KeyboardBank> assignment);

  // Replaces the assignment file with the remembered assignment (nothing to
  // do when none is). Returns kAllIsOk, kTxtFileOpenError or
  // kTxtFileWriteError; a failed write leaves the file as it was.
  MessageCode Save(ReportFileSystem& files) const;

  // The banks are read afresh: forgets the remembered assignment, so that
  // the file is read again.
  void Forget() { remembered_.reset(); }

 private:
  std::filesystem::path working_dir_;
  std::optional<std::string> remembered_;  // the file's text for it
};

// The most bytes of an assignment file that are read; a longer file is not
// one this program wrote for at most 100 banks, and is ignored.
inline constexpr std::size_t kMaxAssignmentFileSize = 1 << 20;

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_ASSIGNMENT_STORE_H_
