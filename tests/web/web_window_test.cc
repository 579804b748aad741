#include "web/web_window.h"

#include <algorithm>
#include <new>
#include <span>
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
  void PaneLines(std::string_view lines, std::span<const std::size_t> ends) override {
    if (full) throw std::bad_alloc();
    std::string event = "pane " + std::to_string(lines.size());
    for (std::size_t end : ends) {
      EXPECT_EQ(lines.substr(end, 2), "\r\n");
      event += " " + std::to_string(end);
    }
    EXPECT_EQ(lines.substr(lines.size() - 2), "\r\n");
    events.push_back(event);
    bytes.append(lines);
  }
  void PaneCleared() override { events.push_back("clear"); }
  void StatusShown(std::string_view text) override { events.push_back("status " + std::string(text)); }
  void ItemChanged(MenuItemId item, std::string_view caption, bool enabled) override {
    events.push_back("item " + std::string(MenuItemOf(item).component) + " " +
                     std::string(caption) + (enabled ? " on" : " off"));
  }
  void FileClosed(std::string_view name) override {
    events.push_back("closed " + std::string(name));
  }

  std::vector<std::string> events;
  std::string bytes;  // every pane batch's bytes, in order
  bool full = false;  // the pane has run out of memory
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
  EXPECT_EQ(page.events, (std::vector<std::string>{"pane 11 2 4 9", "status Working...",
                                                   "clear", "pane 3 1"}));
}

// A full pane's failure reaches the command (which ends with code 2); the
// lines it could not take are not offered again with the next batch.
TEST(WebWindowTest, LinesThePaneCouldNotTakeAreDropped) {
  RecordingPage page;
  WebWindow window(page);
  window.AppendPaneLine("lost");
  page.full = true;
  EXPECT_THROW(window.Flush(), std::bad_alloc);
  page.full = false;
  window.Flush();
  EXPECT_TRUE(page.events.empty());
  window.AppendPaneLine("next");
  window.Flush();
  EXPECT_EQ(page.events, (std::vector<std::string>{"pane 6 4"}));
}

TEST(WebWindowTest, ABlocksEndedLinesJoinThePendingLinesAsTheyStand) {
  RecordingPage page;
  WebWindow window(page);
  TextBlock block;
  block.Put("b\rc");  // a CR inside a line is the line's own
  block.EndLine();
  block.EndLine();
  block.Put("not ended");
  window.AppendPaneLine("a");
  window.AppendPaneBlock(block);
  window.AppendPaneBlock(TextBlock());  // no lines: nothing
  window.AppendPaneLine("d");
  window.Flush();
  EXPECT_EQ(page.events, (std::vector<std::string>{"pane 13 1 6 8 11"}));
  EXPECT_EQ(page.bytes, "a\r\nb\rc\r\n\r\nd\r\n");
}

TEST(WebWindowTest, AFullBatchIsHandedOverWithoutWaiting) {
  for (const bool blocks : {false, true}) {
    SCOPED_TRACE(blocks ? "blocks" : "lines");
    RecordingPage page;
    WebWindow window(page);
    const std::string line(1000, 'a');
    TextBlock block;
    for (int i = 0; i < 100; ++i) {
      block.Put(line);
      block.EndLine();
    }
    const std::size_t step = blocks ? block.size() : line.size() + 2;
    std::size_t appended = 0;
    while (page.events.empty()) {
      if (blocks) {
        window.AppendPaneBlock(block);
      } else {
        window.AppendPaneLine(line);
      }
      appended += step;
    }
    EXPECT_EQ(page.bytes.size(), appended) << "the batch holds everything appended";
    EXPECT_GE(appended, WebWindow::kBatchBytes);
    EXPECT_LT(appended, WebWindow::kBatchBytes + step);
  }
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

// What fails on the page after the core's part (writing the report files,
// holding the pane lines) ends the command with that code's message, after
// the lines still pending.
TEST(WebWindowTest, APageFailureEndsWithItsMessageAfterThePendingLines) {
  struct Failure {
    const char* name;
    void (*report)(WebWindow&);
    std::string status;
  };
  const Failure failures[] = {
      {"a failed save", [](WebWindow& w) { w.ReportFilesSaved(false); },
       "Message: ' *.txt File Write Error!'"},
      {"a full pane", [](WebWindow& w) { w.ReportPaneOutOfMemory(); },
       "Message: ' Out Of Memory! Exit immediately!'"},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.name);
    RecordingPage page;
    WebWindow window(page);
    window.AppendPaneLine("x");
    failure.report(window);
    EXPECT_EQ(page.events,
              (std::vector<std::string>{"pane 3 1", "status " + failure.status}));
  }
  RecordingPage page;
  WebWindow window(page);
  window.ReportFilesSaved(true);
  EXPECT_TRUE(page.events.empty()) << "saved files change nothing";
}

TEST(WebReportFileSystemTest, ClosedFilesAreKeptWholeUntilTakenAndNamedWithoutTheirFolder) {
  RecordingPage page;
  WebReportFileSystem files(page);
  auto first = files.Create("/work/Compare/compare.txt");
  auto second = files.Create("/work/Compare/Bank One.txt");
  ASSERT_NE(first, nullptr);
  // More than one piece: the pieces join into the bytes written.
  const std::string big(WebReportFileSystem::kPartBytes + 5, 'x');
  EXPECT_TRUE(first->Write("ab\r\n", 4));
  EXPECT_TRUE(first->Write("", 0));
  EXPECT_TRUE(first->Write(big.data(), big.size()));
  EXPECT_TRUE(second->Write("c", 1));
  EXPECT_TRUE(second->Close());
  EXPECT_TRUE(first->Close());
  EXPECT_EQ(page.events, (std::vector<std::string>{"closed Bank One.txt", "closed compare.txt"}));

  const std::vector<ClosedReportFile> closed = files.TakeClosedFiles();
  ASSERT_EQ(closed.size(), 2u);
  auto joined = [](const ClosedReportFile& file) {
    std::string all;
    for (const std::string& part : file.parts) {
      EXPECT_LE(part.size(), WebReportFileSystem::kPartBytes);
      all += part;
    }
    return all;
  };
  EXPECT_EQ(closed[0].name, "Bank One.txt");
  EXPECT_EQ(joined(closed[0]), "c");
  EXPECT_EQ(closed[1].name, "compare.txt");
  EXPECT_EQ(joined(closed[1]), "ab\r\n" + big);
  EXPECT_TRUE(files.TakeClosedFiles().empty());
}

}  // namespace
}  // namespace dravelin
