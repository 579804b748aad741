// How quickly the window takes input again after "Print All Similarities"
// over a large Compare folder, and how much its peak memory grows, beside
// the batch program's time for the same report.
//
//   window_report_bench [BANK_FOLDER]
//
// Every *.syx file below BANK_FOLDER (by default the real bank files beside
// the checkout) is copied into one Compare folder. The window runs on Qt's
// offscreen platform unless QT_QPA_PLATFORM says otherwise. The program
// exits 1 when the window took more than kGoalSeconds or its peak memory
// grew by more than kGoalMemoryFactor times the report's bytes.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "gui/data_memo.h"
#include "gui/main_window.h"
#include "tests/support/real_banks.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kGoalSeconds = 1.0;
constexpr double kGoalMemoryFactor = 1.5;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The peak resident memory of this process so far, in bytes.
double PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// Runs the batch program's PrintAllSimilarities in `dir`, its pane lines
// thrown away; the seconds it took, or a negative number when it failed.
double TimeBatch(const fs::path& dir) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const std::string binary = DRAVELIN_BATCH_BINARY;
  const std::string previous = fs::current_path().string();
  fs::current_path(dir);
  char command[] = "PrintAllSimilarities";
  char* argv[] = {const_cast<char*>(binary.c_str()), command, nullptr};
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  int status = -1;
  const bool ran = posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv, environ) == 0 &&
                   waitpid(pid, &status, 0) == pid;
  const double seconds = SecondsSince(start);
  fs::current_path(previous);
  posix_spawn_file_actions_destroy(&actions);
  return ran && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1.0;
}

int Run(int argc, char** argv) {
  const fs::path banks = argc > 1 ? fs::path(argv[1]) : fs::path(DRAVELIN_QS_BANKS);
  if (!fs::is_directory(banks)) {
    std::fprintf(stderr, "no bank folder at %s\n", banks.c_str());
    return 2;
  }
  testing::TempDir dir;
  const int files =
      testing::GatherRealBankFiles(banks, dir.path() / "Compare", testing::Gather::kCopy);

  const double batch_seconds = TimeBatch(dir.path());
  const fs::path report = dir.path() / "Compare" / "compare.txt";
  const auto report_bytes = static_cast<double>(fs::file_size(report));

  TForm1 form(FormSettings{dir.path()});
  form.ShowCentred();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();

  const double peak_before = PeakResidentBytes();
  const Clock::time_point start = Clock::now();
  form.item_action(menu::kPrintAllSimilarities)->trigger();
  // The report is on screen and the window handles input again once the
  // events that the command left (the pane's repaint) are handled.
  QApplication::processEvents();
  const double window_seconds = SecondsSince(start);
  const double peak_growth = PeakResidentBytes() - peak_before;

  // Once more, over the first report: the pane lets go of the old lines.
  const Clock::time_point again = Clock::now();
  form.item_action(menu::kPrintAllSimilarities)->trigger();
  QApplication::processEvents();
  const double again_seconds = SecondsSince(again);
  const double peak_growth_twice = PeakResidentBytes() - peak_before;

  // Ctrl+A, Ctrl+C: the whole pane to the clipboard.
  DataMemo& memo = *form.data_memo();
  const Clock::time_point copy_start = Clock::now();
  memo.SelectAll();
  memo.Copy();
  const double copy_seconds = SecondsSince(copy_start);
  const double peak_growth_copy = PeakResidentBytes() - peak_before;

  const double pane_bytes = static_cast<double>(memo.text().text_bytes());
  constexpr double kMiB = 1024.0 * 1024.0;
  std::printf("bank files:                     %d\n", files);
  std::printf(
      "report:                         %zu lines, %.0f bytes (%.1f MiB) in compare.txt,"
      " %.0f bytes in the pane\n",
      memo.line_count(), report_bytes, report_bytes / kMiB, pane_bytes);
  std::printf("dravelin-batch:                 %.2f s\n", batch_seconds);
  std::printf("window, click to input again:   %.2f s (goal %.1f s); a second click %.2f s\n",
              window_seconds, kGoalSeconds, again_seconds);
  std::printf(
      "window, peak memory growth:     %.1f MiB = %.2f x the report's bytes (goal %.1f x);"
      " after a second click %.1f MiB\n",
      peak_growth / kMiB, peak_growth / report_bytes, kGoalMemoryFactor, peak_growth_twice / kMiB);
  std::printf(
      "select all and copy:            %.2f s; peak memory growth since the first click"
      " %.1f MiB\n",
      copy_seconds, peak_growth_copy / kMiB);
  const bool met = window_seconds <= kGoalSeconds &&
                   peak_growth <= kGoalMemoryFactor * report_bytes && batch_seconds >= 0;
  std::printf("%s\n", met ? "goals met" : "GOALS MISSED");
  return met ? 0 : 1;
}

}  // namespace
}  // namespace dravelin

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  }
  QApplication app(argc, argv);
  dravelin::SetUpApplication(app);
  return dravelin::Run(argc, argv);
}
