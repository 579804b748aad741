// The whole comparison report of the real bank files, 1.8 million lines and
// more, reaches the pane: nothing is cut off. (How fast and in how much
// memory is measured by bench/window_report_bench.)

#include <gtest/gtest.h>

#include <QAction>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "gui/data_memo.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/real_banks.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

// The lines of a report file, without their CR LF.
std::vector<std::string> FileLines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

TEST(LargeReportTest, WholeRealComparisonReportIsInThePane) {
  const fs::path banks = DRAVELIN_QS_BANKS;
  if (!fs::is_directory(banks)) GTEST_SKIP() << "no real bank files at " << banks;
  // Every real bank file, linked (not copied) into one Compare folder.
  testing::TempDir dir;
  testing::GatherRealBankFiles(banks, dir.path() / "Compare", testing::Gather::kLink);
  TForm1 form(FormSettings{dir.path()});
  form.item_action(menu::kPrintAllSimilarities)->trigger();

  const std::vector<std::string> file = FileLines(dir.path() / "Compare" / "compare.txt");
  ASSERT_GT(file.size(), 1'800'000u);
  const DataMemo& memo = *form.data_memo();
  ASSERT_EQ(memo.line_count(), file.size());
  // The end of the report, its last verdict block included.
  for (std::size_t line = file.size() - 5; line < file.size(); ++line) {
    EXPECT_EQ(testing::PaneLine(memo, line).toStdString(), file[line]) << "line " << line;
  }
}

}  // namespace
}  // namespace dravelin
