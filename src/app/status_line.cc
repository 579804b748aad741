#include "app/status_line.h"

namespace dravelin {

void StatusLine::ShowMessageCode(int code) {
  if (code == kAllIsOk) return;
  ++codes_shown_;
  window_.ShowStatus(MessageCodeLine(code));
}

}  // namespace dravelin
