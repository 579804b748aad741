#include "app/recording_window.h"

#include "app/menu_model.h"

namespace dravelin {

RecordingWindow::RecordingWindow() {
  enabled.fill(true);
  for (const MenuItem& item : kMenuItems) captions[IndexOf(item.id)] = item.caption;
}

std::string RecordingWindow::PaneText() const {
  std::string text;
  for (const std::string& line : pane) {
    text += line;
    text += '\n';
  }
  return text;
}

}  // namespace dravelin
