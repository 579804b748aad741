// A report of a million lines must reach the pane in seconds and in a few
// hundred megabytes, and clearing it again must be quick. The test prints
// what it measured.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/menu_table.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

constexpr int kLines = 1'000'000;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A report-like line of 79 characters that differs from line to line.
std::string ReportLine(int i) {
  char line[96];
  std::snprintf(line, sizeof line,
                "\"Bank%05d [%03d:Patch %04d]\" has sounds identical to \"Other [%03d:Name]\"",
                i % 100000, i % 128, i % 10000, (i * 7) % 128);
  return line;
}

TEST(LargeReportTest, MillionLinesStayFastAndSmall) {
  testing::TempDir dir;
  testing::FakeReportFiles files;
  TForm1 form(FormSettings{dir.path(), &files});
  testing::ShowAndWait(form);
  testing::ResetPeakMemoryUse();
  const testing::MemoryUse before = testing::CurrentMemoryUse();

  const auto start = std::chrono::steady_clock::now();
  form.RunCommand([&] {
    form.ClearPane();
    for (int i = 0; i < kLines; ++i) form.AppendPaneLine(ReportLine(i));
  });
  const double append_seconds = SecondsSince(start);
  const auto paint_start = std::chrono::steady_clock::now();
  testing::ProcessEvents();
  const double paint_seconds = SecondsSince(paint_start);
  const testing::MemoryUse after = testing::CurrentMemoryUse();

  const QTextDocument* document = form.data_memo()->document();
  ASSERT_EQ(document->blockCount(), kLines);
  EXPECT_EQ(document->firstBlock().text().toStdString(), ReportLine(0));
  EXPECT_EQ(document->lastBlock().text().toStdString(), ReportLine(kLines - 1));

  const auto clear_start = std::chrono::steady_clock::now();
  form.RunCommand([&] {
    form.ClearPane();
    form.AppendPaneLine("short");
  });
  testing::ProcessEvents();
  const double clear_seconds = SecondsSince(clear_start);
  EXPECT_EQ(testing::PaneText(form), "short");

  const double resident_mb = static_cast<double>(after.resident - before.resident) / (1 << 20);
  const double peak_mb = static_cast<double>(after.peak - before.resident) / (1 << 20);
  std::printf(
      "1,000,000 pane lines: append %.2f s, first paint %.2f s, clear %.2f s; "
      "resident +%.0f MiB, peak +%.0f MiB\n",
      append_seconds, paint_seconds, clear_seconds, resident_mb, peak_mb);
  RecordProperty("append_seconds", std::to_string(append_seconds));
  RecordProperty("resident_mib", std::to_string(resident_mb));

  EXPECT_LT(append_seconds + paint_seconds, 30.0);
  EXPECT_LT(clear_seconds, 10.0);
  EXPECT_LT(peak_mb, 1024.0);
}

// Every real bank file, linked (not copied) into one Compare folder: their
// comparison is a report of well over a million lines.
TEST(LargeReportTest, RealReportBeyondThePaneLimitEndsWithANote) {
  namespace fs = std::filesystem;
  const fs::path banks = DRAVELIN_QS_BANKS;
  if (!fs::is_directory(banks)) GTEST_SKIP() << "no real bank files at " << banks;
  testing::TempDir dir;
  fs::create_directory(dir.path() / "Compare");
  for (const auto& entry : fs::recursive_directory_iterator(banks)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!entry.is_regular_file() || extension != ".syx") continue;
    std::string name = fs::relative(entry.path(), banks).string();
    std::replace(name.begin(), name.end(), '/', '_');
    fs::create_symlink(entry.path(), dir.path() / "Compare" / name);
  }
  TForm1 form(FormSettings{dir.path()});
  testing::ShowAndWait(form);
  testing::ResetPeakMemoryUse();
  const testing::MemoryUse before = testing::CurrentMemoryUse();
  const auto start = std::chrono::steady_clock::now();
  form.item_action(menu::kPrintAllSimilarities)->trigger();
  testing::ProcessEvents();
  const double seconds = SecondsSince(start);
  const testing::MemoryUse after = testing::CurrentMemoryUse();

  std::ifstream report(dir.path() / "Compare" / "compare.txt", std::ios::binary);
  const std::size_t file_lines = static_cast<std::size_t>(
      std::count(std::istreambuf_iterator<char>(report), std::istreambuf_iterator<char>(), '\n'));
  ASSERT_GT(file_lines, kPaneLineLimit);
  const QTextDocument* document = form.data_memo()->document();
  EXPECT_EQ(document->blockCount(), static_cast<int>(kPaneLineLimit) + 1);
  EXPECT_EQ(document->lastBlock().text().toStdString(),
            "*** " + std::to_string(file_lines - kPaneLineLimit) +
                " more lines are not shown: the pane holds at most 1000000 lines. ***");
  EXPECT_EQ(form.msg_label()->text().left(9), "Finished.");
  std::printf(
      "real report of %zu lines: %.2f s in the window, resident +%.0f MiB, peak +%.0f MiB\n",
      file_lines, seconds, static_cast<double>(after.resident - before.resident) / (1 << 20),
      static_cast<double>(after.peak - before.resident) / (1 << 20));
  EXPECT_LT(seconds, 60.0);
}

}  // namespace
}  // namespace dravelin
