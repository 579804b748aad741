// The status line: the program's one channel for telling the user what it
// is doing, what it finished and what failed.

#ifndef DRAVELIN_APP_STATUS_LINE_H_
#define DRAVELIN_APP_STATUS_LINE_H_

#include <string>
#include <string_view>

#include "app/window_operations.h"
#include "base/message_code.h"
#include "report/report_file_name.h"

namespace dravelin {

class StatusLine {
 public:
  explicit StatusLine(WindowOperations& window) : window_(window) {}

  // Replaces the text on the status line.
  void ShowStatus(std::string_view text) { window_.ShowStatus(text); }

  // Shows "Message: '<text of code>'"; kAllIsOk shows nothing and leaves the
  // line as it was. Codes outside the table show their empty text.
  void ShowMessageCode(MessageCode code);

  // Ends a command: its finished text when its work gave kAllIsOk, the
  // message of the code that stopped it otherwise.
  void ShowCommandOutcome(MessageCode code, std::string_view finished) {
    if (code == kAllIsOk) {
      ShowStatus(finished);
    } else {
      ShowMessageCode(code);
    }
  }

  // How many non-zero codes have been shown since the start.
  int codes_shown() const { return codes_shown_; }

 private:
  WindowOperations& window_;
  int codes_shown_ = 0;
};

// A text that names a report file: `lead`, the file as the user sees it
// ("Compare\\x.txt"), then `tail`.
std::string TextNamingFile(std::string_view lead, const ReportFileName& file,
                           std::string_view tail);

}  // namespace dravelin

#endif  // DRAVELIN_APP_STATUS_LINE_H_
