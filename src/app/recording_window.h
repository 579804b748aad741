// A WindowOperations that records everything, for tests and for the batch
// program's bookkeeping.

#ifndef DRAVELIN_APP_RECORDING_WINDOW_H_
#define DRAVELIN_APP_RECORDING_WINDOW_H_

#include <array>
#include <string>
#include <vector>

#include "app/window_operations.h"

namespace dravelin {

class RecordingWindow : public WindowOperations {
 public:
  RecordingWindow();

  void AppendPaneLine(std::string_view line) override { pane.emplace_back(line); }
  void ClearPane() override {
    pane.clear();
    ++clears;
  }
  void ShowStatus(std::string_view text) override { statuses.emplace_back(text); }
  void SetItemCaption(MenuItemId item, std::string_view caption) override {
    captions[IndexOf(item)] = std::string(caption);
  }
  void SetItemEnabled(MenuItemId item, bool on) override { enabled[IndexOf(item)] = on; }

  // The pane's lines joined, each ended by "\n".
  std::string PaneText() const;
  // The last status text, or empty when none was shown.
  std::string status() const { return statuses.empty() ? std::string() : statuses.back(); }

  std::vector<std::string> pane;
  int clears = 0;
  std::vector<std::string> statuses;
  std::array<std::string, kMenuItemCount> captions;
  std::array<bool, kMenuItemCount> enabled;
};

}  // namespace dravelin

#endif  // DRAVELIN_APP_RECORDING_WINDOW_H_
