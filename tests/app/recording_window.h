// A WindowOperations that records what the program shows: pane lines, pane
// clears, status texts, which menu items it said had changed and the details
// it showed; its caret stands on the line the test gives.

#ifndef DRAVELIN_TESTS_APP_RECORDING_WINDOW_H_
#define DRAVELIN_TESTS_APP_RECORDING_WINDOW_H_

#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "app/window_operations.h"

namespace dravelin::testing {

class RecordingWindow : public WindowOperations {
 public:
  void AppendPaneLine(std::string_view line) override {
    if (pane.size() >= pane_room) throw std::bad_alloc();
    pane.emplace_back(line);
  }
  void ClearPane() override {
    pane.clear();
    ++clears;
  }
  void ShowStatus(std::string_view text) override { statuses.emplace_back(text); }
  void MenuItemChanged(MenuItemId item) override { changed_items.push_back(item); }
  std::string CaretLineText() override { return caret_line; }
  void ShowDetails(std::string_view title, std::span<const std::string> lines) override {
    details_title = std::string(title);
    details.assign(lines.begin(), lines.end());
    ++details_shown;
  }

  // The pane's lines joined, each ended by "\n".
  std::string PaneText() const {
    std::string text;
    for (const std::string& line : pane) {
      text += line;
      text += '\n';
    }
    return text;
  }
  // The last status text, or empty when none was shown.
  std::string status() const { return statuses.empty() ? std::string() : statuses.back(); }

  std::vector<std::string> pane;
  // Lines the pane has room for: one more runs out of memory, as a real
  // pane does when an allocation fails.
  std::size_t pane_room = SIZE_MAX;
  int clears = 0;
  std::vector<std::string> statuses;
  std::vector<MenuItemId> changed_items;
  // What CaretLineText answers.
  std::string caret_line;
  // What ShowDetails showed last, and how many times it was called.
  std::string details_title;
  std::vector<std::string> details;
  int details_shown = 0;
};

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_APP_RECORDING_WINDOW_H_
