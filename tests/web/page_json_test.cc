// The JSON the core posts to the page, read back by Python's json module:
// the menu tells which items ask for the keyboard banks, and the dialog's
// texts arrive whole, whatever bytes the bank file names hold.

#include "web/page_json.h"

#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/menu_table.h"
#include "gtest/gtest.h"
#include "tests/app/recording_window.h"
#include "tests/support/batch_process.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using testing::TempDir;

// What Python makes of `json` after running `expression` on it (as `d`).
std::string PythonReads(TempDir& dir, const std::string& json, const std::string& expression) {
  const std::filesystem::path file = dir.WriteFile("page.json", json);
  const testing::BatchOutcome run = testing::RunBatchProcess(
      "/usr/bin/python3", dir.path(),
      {"-c", "import json, sys\nd = json.load(open(sys.argv[1], encoding='utf-8'))\n"
             "sys.stdout.buffer.write((" + expression + ").encode('utf-8'))",
       file.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return run.out;
}

TEST(PageJsonTest, TheMenuSaysWhichItemsAskForTheKeyboardBanks) {
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "no python3";
  TempDir dir;
  testing::RecordingWindow window;
  testing::FakeReportFiles files;
  Application app(window, dir.path(), files);
  EXPECT_EQ(PythonReads(dir, MenuJson(app),
                        "' '.join(i['component'] for i in d['items'] if i['asksAssignment'])"),
            "CreateInsDefinitionFile CreateMidnamFile CreateReabankFile");
  EXPECT_EQ(PythonReads(dir, MenuJson(app), "str(len(d['items'])) + d['title'][:8]"),
            std::to_string(kMenuItemCount) + "Dravelin");
}

TEST(PageJsonTest, TheDialogsTextsArriveWhole) {
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "no python3";
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
