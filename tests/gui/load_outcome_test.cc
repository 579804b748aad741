// The menu's enabled states and the status line after every outcome of
// loading the two bank sets, at start-up and on reload.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "app/application.h"
#include "app/menu_table.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using testing::TempDir;

constexpr const char* kBothRead =
    "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" directories.";
constexpr const char* kCompareRead =
    "Finished reading in all the sysex files in the \"Compare\" directory.";

void WriteBank(TempDir& dir, const char* relative, int patches, std::uint32_t seed) {
  dir.WriteFile(relative, sysex::BankOfDistinctPatches(patches, seed));
}

// Checks the six set-dependent items and that every other item is enabled.
void ExpectItemStates(TForm1& form, bool compare_items, bool base_items) {
  for (MenuItemId item : kMenuItemIds) {
    bool expected = true;
    if (MenuItemOf(item).needs == ItemNeeds::kCompareSet) expected = compare_items;
    if (MenuItemOf(item).needs == ItemNeeds::kBothSets) expected = base_items;
    EXPECT_EQ(form.item_action(item)->isEnabled(), expected) << MenuItemOf(item).component;
  }
}

struct Outcome {
  const char* name;
  std::function<void(TempDir&)> setup;
  bool needs_unprivileged;  // relies on file permissions being enforced
  bool compare_items;
  bool base_items;
  const char* status;
};

void PrintTo(const Outcome& outcome, std::ostream* out) { *out << outcome.name; }

class LoadOutcomeTest : public ::testing::TestWithParam<Outcome> {};

TEST_P(LoadOutcomeTest, StartUpSetsItemsAndStatus) {
  const Outcome& outcome = GetParam();
  if (outcome.needs_unprivileged && geteuid() == 0) {
    GTEST_SKIP() << "file permissions do not stop the superuser";
  }
  TempDir dir;
  outcome.setup(dir);
  testing::FakeReportFiles files;
  TForm1 form(FormSettings{dir.path(), &files});
  ExpectItemStates(form, outcome.compare_items, outcome.base_items);
  EXPECT_EQ(form.msg_label()->text().toStdString(), outcome.status);
  // Without a Compare patch the pane says where bank files go; otherwise
  // it is left empty.
  if (outcome.compare_items) {
    EXPECT_EQ(testing::PaneText(form), "");
  } else {
    const std::string compare = (dir.path() / "Compare").string();
    const std::string base = (dir.path() / "Base").string();
    EXPECT_EQ(testing::PaneText(form),
              "Copy your sysex bank files (*.syx) into " + compare +
                  "\n(and the banks already on your keyboard into " + base +
                  "),\nthen choose \"Read Input Sysex Files Again\" in the \"General Control\" "
                  "menu.");
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllOutcomes, LoadOutcomeTest,
    ::testing::Values(Outcome{"CompareMissing", [](TempDir&) {}, false, false, false,
                              "Message: ' No bank files were found!'"},
                      Outcome{"CompareWithoutBankFiles",
                              [](TempDir& d) { d.WriteFile("Compare/notes.txt", "x"); }, false,
                              false, false, "Message: ' No bank files were found!'"},
                      Outcome{"CompareHoldsNoPatch",
                              [](TempDir& d) { d.WriteFile("Compare/Empty.syx", "no dump here"); },
                              false, false, false, ""},
                      Outcome{"BothLoaded",
                              [](TempDir& d) {
                                WriteBank(d, "Compare/Alpha.syx", 3, 10);
                                WriteBank(d, "Base/Beta.syx", 2, 50);
                              },
                              false, true, true, kBothRead},
                      Outcome{"BaseMissing",
                              [](TempDir& d) { WriteBank(d, "Compare/Alpha.syx", 3, 10); }, false,
                              true, false, kCompareRead},
                      Outcome{"BaseWithoutBankFiles",
                              [](TempDir& d) {
                                WriteBank(d, "Compare/Alpha.syx", 3, 10);
                                d.MakeDir("Base");
                              },
                              false, true, false, kCompareRead},
                      Outcome{"BaseHoldsNoPatch",
                              [](TempDir& d) {
                                WriteBank(d, "Compare/Alpha.syx", 3, 10);
                                d.WriteFile("Base/Empty.syx", "no dump here");
                              },
                              false, true, false, ""},
                      Outcome{"BaseUnreadable",
                              [](TempDir& d) {
                                WriteBank(d, "Compare/Alpha.syx", 3, 10);
                                const auto file = d.WriteFile("Base/Locked.syx", "");
                                std::filesystem::permissions(file, std::filesystem::perms::none);
                              },
                              true, true, false, "Message: ' *.syx File Open Error!'"}),
    [](const ::testing::TestParamInfo<Outcome>& param_info) {
      return std::string(param_info.param.name);
    });

TEST(ReloadTest, UnopenableCompareFileDisablesEverySetItem) {
  TempDir dir;
  WriteBank(dir, "Compare/Alpha.syx", 3, 10);
  WriteBank(dir, "Base/Beta.syx", 2, 50);
  testing::FakeReportFiles files;
  TForm1 form(FormSettings{dir.path(), &files});
  ExpectItemStates(form, true, true);
  if (!dir.MakeUnreadableFile("Compare/Alpha.syx")) GTEST_SKIP() << "no unreadable file here";
  form.item_action(menu::kReadInputFilesAgain)->trigger();
  ExpectItemStates(form, false, false);
  EXPECT_EQ(form.msg_label()->text(), "Message: ' *.syx File Open Error!'");
  EXPECT_TRUE(form.application().base_set().empty());
}

TEST(ReloadTest, NewBaseFilesEnableBaseItemsAndPaneAndCaptionsStay) {
  TempDir dir;
  WriteBank(dir, "Compare/Alpha.syx", 3, 10);
  testing::FakeReportFiles files;
  TForm1 form(FormSettings{dir.path(), &files});
  ExpectItemStates(form, true, false);

  form.Click(menu::kAboutDravelin);
  form.Click(menu::kControlScreenDisplay);
  const std::string pane = testing::PaneText(form);
  WriteBank(dir, "Base/Beta.syx", 2, 50);
  form.item_action(menu::kReadInputFilesAgain)->trigger();

  ExpectItemStates(form, true, true);
  EXPECT_EQ(form.msg_label()->text(), kBothRead);
  EXPECT_EQ(testing::PaneText(form), pane);
  EXPECT_EQ(form.item_action(menu::kControlScreenDisplay)->iconText(), "Turn On Screen Display");
  EXPECT_EQ(form.item_action(menu::kControlFileOutput)->iconText(), "Turn Off File Output");
}

}  // namespace
}  // namespace dravelin
