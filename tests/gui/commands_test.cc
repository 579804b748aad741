// Menu clicks in the window run the same commands as the batch program, a
// long command is announced on screen before it works, and a screenshot of
// the window after a report.

#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/batch_process.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using testing::TempDir;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every file below `directory` with its contents.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& directory) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    files[entry.path().filename().string()] = ReadFile(entry.path());
  }
  return files;
}

// A Compare set with repeated sounds and names, and a Base set that shares
// some patches with it, so that every report has something to say.
void WriteBankSets(TempDir& dir) {
  using sysex::MakeSounds;
  sysex::SyxBuilder alpha;
  alpha.Dump(0, "Warm Pad  ", MakeSounds(1, 2, 3, 4))
      .Dump(1, "Bright Key", MakeSounds(5, 6, 7, 8))
      .Dump(2, "Warm Pad 2", MakeSounds(4, 3, 2, 1))
      .Dump(3, "Strings   ", MakeSounds(9, 10, 11, 12));
  dir.WriteFile("Compare/Alpha.syx", alpha.bytes());
  sysex::SyxBuilder gamma;
  gamma.Dump(0, "Bright Key", MakeSounds(5, 6, 7, 99))
      .Dump(1, "New Sound ", MakeSounds(13, 14, 15, 16));
  dir.WriteFile("Compare/Gamma.syx", gamma.bytes());
  sysex::SyxBuilder beta;
  beta.Dump(0, "Pad Copy  ", MakeSounds(2, 1, 4, 3))
      .Dump(1, "Other     ", MakeSounds(20, 21, 22, 23));
  dir.WriteFile("Base/Beta.syx", beta.bytes());
}

struct Command {
  MenuItemId item;
  std::vector<const char*> report_files;  // in Compare
};

TEST(CommandsTest, ClicksRunTheSameHandlersAsTheBatchProgram) {
  const Command commands[] = {
      {menu::kCreatePatchNameFiles, {"Alpha.txt", "Gamma.txt"}},
      {menu::kCreateInsFiles, {"Alpha.ins", "Gamma.ins"}},
      {menu::kPrintAllSimilarities, {"compare.txt"}},
      {menu::kPrintOnlyIdentities, {"identity.txt"}},
      {menu::kPrintUniqueOnly, {"uniqC2B.txt"}},
      {menu::kPrintIdenticalOnly, {"identC2B.txt"}},
      {menu::kCreatePatchCatalogue, {"catalogue.csv"}},
      {menu::kPrintSoundGroups, {"groups.txt"}},
      {menu::kPrintBanksWorthKeeping, {"keep.txt"}},
      {menu::kAboutDravelin, {}},
      {menu::kBackgroundInfo, {}},
      {menu::kExecutionInfo, {}},
      {menu::kHelpCompareToBase, {}},
      {menu::kHelpCollection, {}},
  };
  TempDir dir;
  WriteBankSets(dir);
  TForm1 form(FormSettings{dir.path()});
  const std::filesystem::path compare = dir.path() / "Compare";
  for (const Command& command : commands) {
    const MenuItem& item = MenuItemOf(command.item);
    SCOPED_TRACE(std::string(item.component));
    const auto before = Snapshot(compare);
    const QString status_before = form.msg_label()->text();
    form.item_action(command.item)->trigger();
    const std::string pane = testing::PaneText(form);
    const QString status = form.msg_label()->text();
    const auto after_window = Snapshot(compare);
    EXPECT_FALSE(pane.empty());

    std::map<std::string, std::string> expected_new = before;
    for (const char* name : command.report_files) {
      ASSERT_EQ(after_window.count(name), 1u) << name;
      EXPECT_FALSE(after_window.at(name).empty()) << name;
      expected_new[name] = after_window.at(name);
    }
    EXPECT_EQ(after_window, expected_new) << "no other file is written";

    const testing::BatchOutcome batch =
        testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir.path(), {std::string(item.component)});
    EXPECT_EQ(batch.exit_code, 0) << batch.err;
    EXPECT_EQ(batch.out, pane + "\n");
    if (command.report_files.empty()) {
      EXPECT_EQ(status, status_before) << "help leaves the status line alone";
    } else {
      // The batch program's last status text is the one the window shows.
      const std::string last_status = "\n" + status.toStdString() + "\n";
      ASSERT_GE(batch.err.size(), last_status.size());
      EXPECT_EQ(batch.err.substr(batch.err.size() - last_status.size()), last_status);
    }
    EXPECT_EQ(Snapshot(compare), after_window);
  }
}

TEST(CommandsTest, LongCommandIsAnnouncedOnScreenBeforeItWorks) {
  const std::pair<MenuItemId, const char*> announcements[] = {
      {menu::kCreatePatchNameFiles, "Making patch lists..."},
      {menu::kCreateInsFiles, "Making Ins file lists..."},
      {menu::kPrintAllSimilarities, "Comparing patches..."},
      {menu::kPrintOnlyIdentities, "Getting patch identities..."},
      {menu::kPrintUniqueOnly, "Comparing to Base - Finding unique patches..."},
      {menu::kPrintIdenticalOnly, "Comparing to Base - Finding identical patches..."},
      {menu::kCreatePatchCatalogue, "Making the patch catalogue..."},
      {menu::kPrintSoundGroups, "Finding sound groups..."},
      {menu::kPrintBanksWorthKeeping, "Counting the sounds each bank adds..."},
  };
  TempDir dir;
  WriteBankSets(dir);
  std::vector<QString> painted_at_open;
  TForm1* form_seen = nullptr;
  testing::PaintRecorder* recorder_seen = nullptr;
  testing::HookedReportFiles files([&](const std::filesystem::path&) {
    if (form_seen == nullptr || recorder_seen == nullptr) return;
    painted_at_open.push_back(recorder_seen->painted().empty() ? QString()
                                                               : recorder_seen->painted().back());
  });
  TForm1 form(FormSettings{dir.path(), &files});
  testing::ShowAndWait(form);
  testing::PaintRecorder recorder(form.msg_label());
  form_seen = &form;
  recorder_seen = &recorder;
  for (const auto& [item, text] : announcements) {
    SCOPED_TRACE(text);
    painted_at_open.clear();
    form.item_action(item)->trigger();
    ASSERT_FALSE(painted_at_open.empty()) << "the command opened no report file";
    // The text was painted, not merely set, when the work began.
    EXPECT_EQ(painted_at_open.front(), text);
  }
}

TEST(CommandsTest, ScreenshotAfterAReportShowsTheDesign) {
  TempDir dir;
  WriteBankSets(dir);
  TForm1 form(FormSettings{dir.path()});
  testing::ShowAndWait(form);
  form.item_action(menu::kCreatePatchNameFiles)->trigger();
  testing::ProcessEvents();

  const QImage window = form.grab().toImage();
  QDir().mkpath(QStringLiteral(DRAVELIN_GUI_ARTIFACTS));
  const QString path = QStringLiteral(DRAVELIN_GUI_ARTIFACTS "/dravelin-window.png");
  ASSERT_TRUE(window.save(path, "PNG"));
  std::printf("screenshot: %s\n", qPrintable(path));

  const QImage client = form.centralWidget()->grab().toImage();
  struct Probe {
    const char* what;
    QPoint at;
    QColor colour;
  };
  const Probe probes[] = {
      {"window background", QPoint(1, 1), Qt::black},
      {"outer frame outline", QPoint(4, 100), Qt::black},
      {"outer frame fill", QPoint(5, 100), Qt::white},
      {"pane frame", QPoint(6, 100), Qt::black},
      {"navy above the pane", QPoint(300, 7), QColor(0, 0, 128)},
      {"navy left of the label", QPoint(7, 485), QColor(0, 0, 128)},
      {"silver status line", QPoint(655, 485), QColor(192, 192, 192)},
      {"white pane", QPoint(500, 440), Qt::white},
  };
  for (const Probe& probe : probes) {
    EXPECT_EQ(client.pixelColor(probe.at).name().toStdString(), probe.colour.name().toStdString())
        << probe.what << " at " << probe.at.x() << "," << probe.at.y();
  }
  // Some dark text reached the pane.
  int dark = 0;
  for (int y = 10; y < 200; ++y) {
    for (int x = 10; x < 600; ++x) dark += client.pixelColor(x, y).lightness() < 100 ? 1 : 0;
  }
  EXPECT_GT(dark, 100);
}

}  // namespace
}  // namespace dravelin
