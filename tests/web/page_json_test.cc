// The JSON the core posts to the page, read back by Python's json module:
// the menu tells which items ask for the keyboard banks, which read the
// folders afresh and which have a shortcut, and the dialog's texts arrive whole, whatever bytes the
// bank file names hold.

#include "web/page_json.h"

#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/menu_table.h"
#include "gtest/gtest.h"
#include "tests/app/recording_window.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tests/web/python_json.h"

namespace dravelin {
namespace {

using testing::PythonReads;
using testing::TempDir;

TEST(PageJsonTest, TheMenuSaysWhichItemsAskForTheKeyboardBanksOrReadTheFolders) {
  if (!testing::HasPython()) GTEST_SKIP() << "no python3";
  TempDir dir;
  testing::RecordingWindow window;
  testing::FakeReportFiles files;
  Application app(window, dir.path(), files);
  EXPECT_EQ(PythonReads(dir, MenuJson(app),
                        "' '.join(i['component'] for i in d['items'] if i['asksAssignment'])"),
            "CreateInsDefinitionFile CreateMidnamFile CreateReabankFile");
  EXPECT_EQ(PythonReads(dir, MenuJson(app),
                        "' '.join(i['component'] for i in d['items'] if i['readsFolders'])"),
            "ReadInputFilesAgain");
  EXPECT_EQ(PythonReads(dir, MenuJson(app),
                        "' '.join(i['component'] + '=' + i['shortcut'] for i in d['items'] "
                        "if i['shortcut'] is not None)"),
            "ShowPatchDetails=F2");
  EXPECT_EQ(PythonReads(dir, MenuJson(app), "str(len(d['items'])) + d['title'][:8]"),
            std::to_string(kMenuItemCount) + "Dravelin");
}

TEST(PageJsonTest, TheDialogsTextsArriveWhole) {
  if (!testing::HasPython()) GTEST_SKIP() << "no python3";
  TempDir dir;
  AssignmentDialog dialog;
  dialog.banks = {"quote\" back\\slash.syx", "tab\tline\nend.syx", "Caf\xE9.syx",
                  "Caf\xC3\xA9.syx"};
  dialog.choices = {"User", "Preset 1"};
  dialog.chosen = {1, 0, 1, 0};
  EXPECT_EQ(PythonReads(dir, AssignmentDialogJson(dialog),
                        "'|'.join(d['banks']) + '|' + repr(d['chosen']) + '|' + "
                        "'|'.join(d['choices']) + '|' + d['title']"),
            "quote\" back\\slash.syx|tab\tline\nend.syx|Caf\xC3\xA9.syx|Caf\xC3\xA9.syx|"
            "[1, 0, 1, 0]|User|Preset 1|Keyboard Banks");
}

}  // namespace
}  // namespace dravelin
