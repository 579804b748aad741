#include "web/core_warm_up.h"

#include <string>
#include <string_view>
#include <vector>

#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"
#include "gtest/gtest.h"
#include "tests/support/temp_dir.h"
#include "web/web_window.h"

namespace dravelin {
namespace {

// The pane's text between clears, and the names of the closed files.
class PaneSegments final : public PageBridge {
 public:
  void PaneLines(std::string_view lines, const std::vector<std::uint32_t>&, bool) override {
    panes.back().append(lines);
  }
  void PaneCleared() override { panes.emplace_back(); }
  void StatusShown(std::string_view) override {}
  void ItemChanged(MenuItemId, std::string_view, bool) override {}
  void FileClosed(std::string_view name) override { files.emplace_back(name); }

  // The one pane that holds `header`, or an empty text.
  std::string PaneWith(std::string_view header) const {
    for (const std::string& pane : panes) {
      if (pane.find(header) != std::string::npos) return pane;
    }
    return {};
  }

  std::vector<std::string> panes{1};
  std::vector<std::string> files;
};

std::size_t Count(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

// The warm-up is only worth its start-up time if it runs every hot path of
// the reports enough to get it optimised; this guards the made-up banks
// against losing the kinds of pairs that take those paths.
TEST(CoreWarmUpTest, RunsEveryReportPathOverMadeUpBanksAndLeavesNothingBehind) {
  testing::TempDir dir;
  const auto scratch = dir.path() / "warm-up";
  PaneSegments page;
  WarmUpCore(scratch, page);

  EXPECT_FALSE(std::filesystem::exists(scratch));
  EXPECT_EQ(page.files.size(), 4u + 4u + 4u)
      << "a list and a section file per Compare bank, 4 reports";

  const std::string similarities = page.PaneWith(" is similar to ");
  EXPECT_GE(Count(similarities, "\" is IDENTICAL to \""), 20u);
  EXPECT_GE(Count(similarities, "\" has sounds IDENTICAL to \""), 20u);
  EXPECT_GE(Count(similarities, kNameDetailLine), 100u);
  EXPECT_GE(Count(similarities, "\" is similar to \""), 5000u)
      << "enough pairs for the busy code to be optimised";
  EXPECT_LE(similarities.size(), 16u << 20) << "small enough to cost start-up little";

  // Bank 1 of the Compare set is in the Base set: its 128 patches are found
  // there and no other bank's patches are missing from the unique ones.
  const std::string identical = page.PaneWith(kIdenticalHeaderLine);
  const std::string unique = page.PaneWith(kUniqueHeaderLine);
  const std::size_t found = Count(identical, "\r\n\"");
  EXPECT_GE(found, 128u);
  EXPECT_EQ(found + Count(unique, "\r\n\""), 4u * 128u);
}

}  // namespace
}  // namespace dravelin
