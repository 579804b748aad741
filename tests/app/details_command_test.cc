// "Show Patch Details" as the window runs it: the patches come from the
// window's line at the caret, the details go to a view of their own, and
// the pane, its report and the report files stay as they were.

#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "details/patch_details.h"
#include "details/patch_lookup.h"
#include "gtest/gtest.h"
#include "tests/app/recording_window.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::MakeSounds;
using sysex::SyxBuilder;
using testing::FakeReportFiles;
using testing::RecordingWindow;
using testing::TempDir;

constexpr std::string_view kBefore = "Reading the patches named on the line at the cursor...";
constexpr std::string_view kNoPatch =
    "The line at the cursor names no patch of the sysex files read: put the cursor on a line "
    "that names one.";

TEST(DetailsCommandTest, ShowsThePatchesOfTheCaretLineBesideThePane) {
  TempDir dir;
  dir.WriteFile("Compare/Mine.syx", SyxBuilder()
                                        .Dump(3, "Soft Pad", MakeSounds(1, 2, 3, 4))
                                        .Dump(4, "Other Pad", MakeSounds(4, 3, 2, 1))
                                        .bytes());
  // A Base bank of the same name: its label needs the Base mark.
  dir.WriteFile("Base/Mine.syx", SyxBuilder().Dump(3, "Soft Pad", MakeSounds(5, 6, 7, 8)).bytes());
  RecordingWindow window;
  FakeReportFiles files;
  Application app(window, dir.path(), files);
  app.LoadBankSets();
  ASSERT_TRUE(app.base_loaded());
  ASSERT_TRUE(app.item_enabled(menu::kShowPatchDetails));

  const NamedPatch soft{&app.compare_set()[0], &app.compare_set()[0].patches[0], false};
  const NamedPatch other{&app.compare_set()[0], &app.compare_set()[0].patches[1], false};
  const NamedPatch base{&app.base_set()[0], &app.base_set()[0].patches[0], true};
  struct Case {
    std::string caret_line;
    std::vector<NamedPatch> shown;  // empty: nothing named
    std::string finished;
  };
  const Case cases[] = {
      {"  \"Mine [003:Soft Pad  ]\"", {soft},
       "Finished. The details of \"Mine [003:Soft Pad  ]\" are shown beside the report."},
      {"\"Mine [003:Soft Pad  ]\" / \"Mine [003:Soft Pad  ]\" (Base)", {soft, base},
       "Finished. \"Mine [003:Soft Pad  ]\" and \"Mine [003:Soft Pad  ]\" (Base) are shown side "
       "by side beside the report."},
      // Three labels: the first two.
      {"\"Mine [004:Other Pad ]\" \"Mine [003:Soft Pad  ]\" \"Mine [003:Soft Pad  ]\" (Base)",
       {other, soft},
       "Finished. \"Mine [004:Other Pad ]\" and \"Mine [003:Soft Pad  ]\" are shown side by side "
       "beside the report."},
      {"\"Mine [005:Soft Pad  ]\"", {}, ""},
      {"no label here", {}, ""},
      {"", {}, ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.caret_line);
    window.pane = {"the report", test.caret_line};
    window.caret_line = test.caret_line;
    window.statuses.clear();
    window.clears = 0;
    const int shown_before = window.details_shown;
    const std::vector<std::string> details_before = window.details;
    app.Click(menu::kShowPatchDetails);
    EXPECT_EQ(window.pane, (std::vector<std::string>{"the report", test.caret_line}));
    EXPECT_EQ(window.clears, 0);
    if (test.shown.empty()) {
      EXPECT_EQ(window.statuses,
                (std::vector<std::string>{std::string(kBefore), std::string(kNoPatch)}));
      EXPECT_EQ(window.details_shown, shown_before);
      EXPECT_EQ(window.details, details_before);
    } else {
      EXPECT_EQ(window.statuses, (std::vector<std::string>{std::string(kBefore), test.finished}));
      EXPECT_EQ(window.details_shown, shown_before + 1);
      EXPECT_EQ(window.details_title, kPatchDetailsTitle);
      EXPECT_EQ(window.details, PatchDetailsLines(test.shown));
    }
  }
  EXPECT_TRUE(files.created().empty());
  EXPECT_EQ(app.status_line().codes_shown(), 0);
}

TEST(DetailsCommandTest, TheBaseSetAloneGivesCodeFive) {
  TempDir dir;
  dir.WriteFile("Base/Mine.syx", SyxBuilder().Dump(3, "Soft Pad", MakeSounds(5, 6, 7, 8)).bytes());
  RecordingWindow window;
  FakeReportFiles files;
  Application app(window, dir.path(), files);
  app.LoadBankSets();
  EXPECT_FALSE(app.item_enabled(menu::kShowPatchDetails));
  window.caret_line = "\"Mine [003:Soft Pad  ]\" (Base)";
  window.statuses.clear();
  MenuItemOf(menu::kShowPatchDetails).handler(app);
  EXPECT_EQ(window.statuses, std::vector<std::string>{"Message: ' No bank files were found!'"});
  EXPECT_EQ(window.details_shown, 0);
}

}  // namespace
}  // namespace dravelin
