#include "app/status_line.h"

namespace dravelin {

void StatusLine::ShowMessageCode(MessageCode code) {
  if (code == kAllIsOk) return;
  ++codes_shown_;
  window_.ShowStatus(MessageCodeLine(code));
}

std::string TextNamingFile(std::string_view lead, const ReportFileName& file,
                           std::string_view tail) {
  std::string text(lead);
  text += file.Shown();
  text += tail;
  return text;
}

}  // namespace dravelin
