#include "web/web_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "gtest/gtest.h"

namespace dravelin {
namespace {

// Everything the page would receive, as one log of events.
class RecordingPage final : public PageBridge {
 public:
  void PaneLines(std::string_view lines, const std::vector<std::uint32_t>& ends,
                 bool ascii) override {
    std::string event = "pane " + std::to_string(lines.size()) + (ascii ? " ascii" : " high");
    for (std::uint32_t end : ends) {
      EXPECT_EQ(lines[end], '\n');
      event += " " + std::to_string(end);
    }
    EXPECT_EQ(lines.back(), '\n');
    events.push_back(event);
  }
  void PaneCleared() override { events.push_back("clear"); }
  void StatusShown(std::string_view text) override { events.push_back("status " + std::string(text)); }
  void ItemChanged(MenuItemId item, std::string_view caption, bool enabled) override {
    events.push_back("item " + std::string(MenuItemOf(item).component) + " " +
                     std::string(caption) + (enabled ? " on" : " off"));
  }
  void FileBytes(int file, std::string_view bytes) override {
    events.push_back("bytes " + std::to_string(file) + " " + std::string(bytes));
  }
  void FileClosed(int file, std::string_view name) override {
    events.push_back("closed " + std::to_string(file) + " " + std::string(name));
  }

  std::vector<std::string> events;
};

TEST(WebWindowTest, PaneLinesTravelInBatchesInOrderWithStatusAndClear) {
  RecordingPage page;
  WebWindow window(page);
  window.AppendPaneLine("ab");
  window.AppendPaneLine("");
  window.AppendPaneLine("\xE9t\xE9");
  EXPECT_TRUE(page.events.empty()) << "lines are held until a batch is full";
  window.ShowStatus("Working...");  // the lines before it arrive first
  window.AppendPaneLine("dropped");
  window.ClearPane();
  window.AppendPaneLine("x");
  window.Flush();
  window.Flush();  // nothing pending: nothing sent
  EXPECT_EQ(page.events, (std::vector<std::string>{"pane 8 high 2 3 7", "status Working...",
                                                   "clear", "pane 2 ascii 1"}));
}

TEST(WebWindowTest, AFullBatchIsHandedOverWithoutWaiting) {
  RecordingPage page;
  WebWindow window(page);
  const std::string line(1000, 'a');
  std::size_t appended = 0;
  while (page.events.empty()) {
    window.AppendPaneLine(line);
    appended += line.size() + 1;
  }
  EXPECT_GE(appended, WebWindow::kBatchBytes);
  EXPECT_LT(appended, WebWindow::kBatchBytes + line.size() + 1);
}

TEST(WebWindowTest, MenuChangesCarryTheApplicationsCaptionAndState) {
  RecordingPage page;
  WebWindow window(page);
  WebReportFileSystem files(page);
  Application application(window, "/nonexistent-dravelin-dir", files);
  window.Attach(&application);
  application.LoadBankSets();  // no Compare folder: the set items go off
  application.Click(menu::kControlScreenDisplay);
  std::vector<std::string> items;
  for (const std::string& event : page.events) {
    if (event.rfind("item ", 0) == 0) items.push_back(event);
  }
  EXPECT_NE(std::find(items.begin(), items.end(),
                      "item PrintAllSimilarities Print All Similarities off"),
            items.end());
  EXPECT_EQ(items.back(), "item ControlScreenDisplay Turn On Screen Display on");
}

TEST(WebReportFileSystemTest, FilesAreNumberedAndNamedWithoutTheirFolder) {
  RecordingPage page;
  WebReportFileSystem files(page);
  auto first = files.Create("/work/Compare/compare.txt");
  auto second = files.Create("/work/Compare/Bank One.txt");
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->Write("ab\r\n", 4));
  EXPECT_TRUE(first->Write("", 0));
  EXPECT_TRUE(second->Write("c", 1));
  EXPECT_TRUE(first->Close());
  EXPECT_TRUE(second->Close());
  EXPECT_EQ(page.events, (std::vector<std::string>{"bytes 1 ab\r\n", "bytes 2 c",
                                                   "closed 1 compare.txt",
                                                   "closed 2 Bank One.txt"}));
}

}  // namespace
}  // namespace dravelin
