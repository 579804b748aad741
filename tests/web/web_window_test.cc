#include "web/web_window.h"

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "gtest/gtest.h"
#include "pane/line_store.h"
#include "report/report_channel.h"

namespace dravelin {
namespace {

// Everything the page would receive, as one log of events.
class RecordingPage final : public PageBridge {
 public:
  void PaneLines(std::string_view bytes, std::span<const std::size_t> ends,
                 std::size_t separator) override {
    std::string event = "pane";
    std::size_t start = 0;
    for (std::size_t end : ends) {
      event += " [" + std::string(bytes.substr(start, end - start)) + "]";
      if (separator > 0 && end < bytes.size()) {
        EXPECT_EQ(bytes.substr(end, separator), "\r\n");
      }
      start = end + separator;
    }
    EXPECT_EQ(ends.back(), bytes.size()) << "the last line ends the bytes";
    events.push_back(event);
    pane_lines.AppendLines(bytes, ends, separator);
  }
  void PaneCleared() override {
    events.push_back("clear");
    pane_lines.Clear();
  }
  bool SharePaneTail(std::string_view bytes, std::vector<SharedBytes>* shared) override {
    return pane_lines.ShareTail(bytes, shared);
  }
  void StatusShown(std::string_view text) override { events.push_back("status " + std::string(text)); }
  void ItemChanged(MenuItemId item, std::string_view caption, bool enabled) override {
    events.push_back("item " + std::string(MenuItemOf(item).component) + " " +
                     std::string(caption) + (enabled ? " on" : " off"));
  }
  void FileClosed(std::string_view name) override {
    events.push_back("closed " + std::string(name));
  }
  std::string CaretLineText() override { return caret_line; }
  void DetailsShown(std::string_view title, std::span<const std::string> lines) override {
    std::string event = "details " + std::string(title);
    for (const std::string& line : lines) event += " [" + line + "]";
    events.push_back(event);
  }

  std::string caret_line;

  std::vector<std::string> events;
  LineStore pane_lines;  // the lines as the page's pane would hold them
};

// Lines, a block's ended lines (a CR inside a line is the line's own; the
// line not yet ended stays behind), statuses and clearing reach the page in
// the order they happen.
TEST(WebWindowTest, PaneLinesStatusAndClearArriveInOrder) {
  RecordingPage page;
  WebWindow window(page);
  TextBlock block;
  block.Put("b\rc");
  block.EndLine();
  block.EndLine();
  block.Put("not ended");
  window.AppendPaneLine("a");
  window.ShowStatus("Working...");
  window.AppendPaneBlock(block);
  window.AppendPaneBlock(TextBlock());  // no lines: nothing
  window.ClearPane();
  window.AppendPaneLine("");
  EXPECT_EQ(page.events, (std::vector<std::string>{"pane [a]", "status Working...",
                                                   "pane [b\rc] []", "clear", "pane []"}));
}

TEST(WebWindowTest, MenuChangesCarryTheApplicationsCaptionAndState) {
  RecordingPage page;
  WebWindow window(page);
  WebReportFileSystem files(page, "/nonexistent-dravelin-dir/Compare");
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
// holding the pane lines) ends the command with that code's message.
TEST(WebWindowTest, APageFailureEndsWithItsMessage) {
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
              (std::vector<std::string>{"pane [x]", "status " + failure.status}));
  }
  RecordingPage page;
  WebWindow window(page);
  window.ReportFilesSaved(true);
  EXPECT_TRUE(page.events.empty()) << "saved files change nothing";
}

TEST(WebReportFileSystemTest, ClosedFilesAreKeptWholeUntilTakenAndNamedBelowTheReportFolder) {
  RecordingPage page;
  WebReportFileSystem files(page, "/work/Compare");
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
    for (const SharedBytes& part : file.parts) {
      EXPECT_LE(part.bytes.size(), WebReportFileSystem::kPartBytes);
      all += part.bytes;
    }
    return all;
  };
  EXPECT_EQ(closed[0].name, "Bank One.txt");
  EXPECT_EQ(joined(closed[0]), "c");
  EXPECT_EQ(closed[1].name, "compare.txt");
  EXPECT_EQ(joined(closed[1]), "ab\r\n" + big);
  EXPECT_TRUE(files.TakeClosedFiles().empty());

  // A file in a folder below the report folder keeps that folder in its
  // name, and so does one in a folder beside it; one elsewhere is named by
  // its file name.
  const std::pair<const char*, const char*> kPaths[] = {
      {"/work/Compare/New Banks/First.syx", "New Banks/First.syx"},
      {"/work/Compare/./a/../b/c.txt", "b/c.txt"},
      {"/work/New Banks/New Sounds 1.syx", "New Banks/New Sounds 1.syx"},
      {"/work/Base/../Compare2/near.txt", "Compare2/near.txt"},
      {"/work/stray.txt", "stray.txt"},
      {"/elsewhere/New Banks/x.syx", "x.syx"},
  };
  for (const auto& [path, name] : kPaths) {
    auto file = files.Create(path);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Close());
    const std::vector<ClosedReportFile> one = files.TakeClosedFiles();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].name, name) << path;
  }
}

std::string Joined(const ClosedReportFile& file) {
  std::string all;
  for (const SharedBytes& part : file.parts) all += part.bytes;
  return all;
}

// A report shown and written at once is held once: the file borrows what
// the pane holds. Whatever the pane holds, the file's bytes are the bytes
// written, and they outlive the pane's.
TEST(WebReportFileSystemTest, AReportFileBorrowsTheBytesThePaneHolds) {
  enum class Borrowed { kAll, kNone, kAllButOneFlush };
  struct Case {
    const char* name;
    bool screen_display;
    bool pane_line_between;  // a line shown but not written, mid-report
    Borrowed borrowed;
  };
  const Case kCases[] = {
      {"shown and written", true, false, Borrowed::kAll},
      {"written only", false, false, Borrowed::kNone},
      // Only the bytes flushed around the pane's own line are copied.
      {"a pane-only line between", true, true, Borrowed::kAllButOneFlush},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingPage page;
    WebWindow window(page);
    WebReportFileSystem files(page, "/work/Compare");
    ReportChannel channel(window, files, "/work");
    channel.set_screen_display(c.screen_display);
    window.AppendPaneLine("before the report");
    ASSERT_EQ(channel.OpenReportFile(ReportFileName("compare.txt")), kAllIsOk);
    std::string expected;
    // Enough lines for several flushes and several of the pane's blocks.
    for (int i = 0; i < 200'000; ++i) {
      const std::string line = "line " + std::to_string(i) + (i % 7 == 0 ? " caf\xE9" : "");
      if (i % 1000 == 0) {
        TextBlock block;
        block.Put(line);
        block.EndLine();
        block.Put("block end");
        block.EndLine();
        channel.WriteReportBlock(block);
        expected += line + "\r\nblock end\r\n";
      } else {
        channel.WriteReportLine(line);
        expected += line + "\r\n";
      }
      if (c.pane_line_between && i == 100'000) channel.WritePaneLine("shown only");
    }
    ASSERT_EQ(channel.CloseReportFile(), kAllIsOk);
    std::vector<ClosedReportFile> closed = files.TakeClosedFiles();
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(Joined(closed[0]), expected);

    // A borrowed part starts where one of the pane's lines starts.
    std::set<const char*> pane_line_starts;
    for (std::size_t i = 0; i < page.pane_lines.size(); ++i) {
      pane_line_starts.insert(page.pane_lines.Line(i).data());
    }
    std::size_t borrowed = 0;
    for (const SharedBytes& part : closed[0].parts) {
      if (pane_line_starts.contains(part.bytes.data())) borrowed += part.bytes.size();
    }
    switch (c.borrowed) {
      case Borrowed::kAll:
        EXPECT_EQ(borrowed, expected.size());
        break;
      case Borrowed::kNone:
        EXPECT_EQ(borrowed, 0u);
        break;
      case Borrowed::kAllButOneFlush:
        EXPECT_LT(borrowed, expected.size());
        EXPECT_GT(borrowed, expected.size() - (300u << 10));
        break;
    }
    window.ClearPane();
    EXPECT_EQ(Joined(closed[0]), expected) << "the file outlives the pane's lines";
  }
}

}  // namespace
}  // namespace dravelin
