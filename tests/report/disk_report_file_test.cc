// Reports on the real file system: a report replaces whatever held its name
// without writing through it, and a report that fails leaves that entry as
// it was and no temporary file behind.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "banks/bank_directory.h"
#include "gtest/gtest.h"
#include "report/report_channel.h"
#include "report/report_file.h"
#include "report/report_file_name.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct NullPane : Pane {
  void AppendPaneLine(std::string_view) override {}
  void ClearPane() override {}
};

constexpr char kEarlier[] = "a whole report of an earlier run\r\n";
constexpr char kOutside[] = "a file of the user's, outside Compare\n";

class DiskReportTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_.MakeDir("Compare"); }

  MessageCode WriteReport(const std::string& file, std::string_view line) {
    const MessageCode open = channel_.OpenReportFile(ReportFileName(file));
    if (open != kAllIsOk) return open;
    channel_.WriteReportLine(line);
    return channel_.CloseReportFile();
  }

  // The names in Compare/, temporary ones included.
  std::set<std::string> CompareEntries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path() / "Compare")) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  fs::path InCompare(const std::string& name) const { return dir_.path() / "Compare" / name; }

  TempDir dir_;
  NullPane pane_;
  DiskReportFileSystem files_;
  ReportChannel channel_{pane_, files_, dir_.path()};
};

TEST_F(DiskReportTest, ExistingFileIsReplacedOrLeftAloneWithFileOutputOff) {
  dir_.WriteFile("Compare/x.txt", kEarlier);
  ASSERT_EQ(WriteReport("x.txt", "new"), kAllIsOk);
  EXPECT_EQ(dir_.ReadFile("Compare/x.txt"), "new\r\n");

  channel_.set_file_output(false);
  ASSERT_EQ(WriteReport("x.txt", "other"), kAllIsOk);
  EXPECT_EQ(dir_.ReadFile("Compare/x.txt"), "new\r\n");
  ASSERT_EQ(WriteReport("y.txt", "other"), kAllIsOk);
  EXPECT_EQ(CompareEntries(), std::set<std::string>{"x.txt"});
}

// Whatever entry holds the report's name is replaced by the report as a
// regular file; what a link pointed to is never opened.
TEST_F(DiskReportTest, EntryAtTheReportNameIsReplacedNotWrittenThrough) {
  const fs::path outside_file = dir_.WriteFile("Outside/keep.txt", kOutside);
  const fs::path outside_dir = dir_.MakeDir("Outside/folder");
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
  };
  const Case cases[] = {
      {"symlink to a file", [&](const fs::path& p) { fs::create_symlink(outside_file, p); }},
      {"hard link to a file", [&](const fs::path& p) { fs::create_hard_link(outside_file, p); }},
      {"symlink to a folder", [&](const fs::path& p) { fs::create_symlink(outside_dir, p); }},
      {"dangling symlink", [&](const fs::path& p) { fs::create_symlink("nowhere/x.txt", p); }},
      {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path report = InCompare("x.txt");
    fs::remove(report);
    c.make(report);
    ASSERT_EQ(WriteReport("x.txt", "new"), kAllIsOk);
    ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(report)));
    EXPECT_EQ(dir_.ReadFile("Compare/x.txt"), "new\r\n");
    EXPECT_EQ(CompareEntries(), std::set<std::string>{"x.txt"});
    EXPECT_EQ(dir_.ReadFile("Outside/keep.txt"), kOutside);
    EXPECT_EQ(fs::hard_link_count(outside_file), 1u);
    EXPECT_TRUE(fs::is_empty(outside_dir));
  }
}

TEST_F(DiskReportTest, FolderAtTheNameOrMissingFolderGivesCodeFour) {
  dir_.MakeDir("Compare/dir.txt");
  EXPECT_EQ(WriteReport("dir.txt", "line"), kTxtFileOpenError);
  EXPECT_TRUE(fs::is_empty(InCompare("dir.txt")));
  EXPECT_EQ(CompareEntries(), std::set<std::string>{"dir.txt"});
  fs::remove_all(dir_.path() / "Compare");
  EXPECT_EQ(WriteReport("x.txt", "line"), kTxtFileOpenError);
}

// While a report is written nothing shows under a name the bank search
// takes: no entry at all where the file system has unnamed files, a hidden
// one elsewhere. The report gets the permissions of any new file.
TEST_F(DiskReportTest, UnfinishedReportIsHiddenAndReportHasNewFilePermissions) {
  using Hiding = DiskReportFileSystem::Hiding;
  for (Hiding hiding : {Hiding::kUnnamedWhereSupported, Hiding::kHiddenName}) {
    SCOPED_TRACE(hiding == Hiding::kHiddenName ? "hidden name" : "unnamed");
    DiskReportFileSystem files(hiding);
    dir_.WriteFile("Compare/bank.syx", kEarlier);
    ::chmod(InCompare("bank.syx").c_str(), 0600);
    const mode_t old_mask = ::umask(027);
    std::unique_ptr<ReportFile> file = files.Create(InCompare("bank.syx"));
    ::umask(old_mask);
    ASSERT_NE(file, nullptr);
    std::set<std::string> names = CompareEntries();
    names.erase("bank.syx");
    if (hiding == Hiding::kHiddenName) {
      ASSERT_EQ(names.size(), 1u);
      EXPECT_EQ(names.begin()->front(), '.');
      EXPECT_FALSE(IsBankFileName(*names.begin()));
    } else {
      EXPECT_TRUE(names.empty());
    }

    ASSERT_TRUE(file->Write("new", 3));
    ASSERT_TRUE(file->Close());
    EXPECT_EQ(dir_.ReadFile("Compare/bank.syx"), "new");
    EXPECT_EQ(fs::status(InCompare("bank.syx")).permissions() & fs::perms::all,
              fs::perms(0640) & fs::perms::all);
    EXPECT_EQ(CompareEntries(), std::set<std::string>{"bank.syx"});
  }
}

// A program ended by a signal in the middle of a report leaves the earlier
// report and nothing else, however the unfinished one was hidden.
TEST_F(DiskReportTest, SignalInTheMiddleOfAReportLeavesNothingBehind) {
  using Hiding = DiskReportFileSystem::Hiding;
  dir_.WriteFile("Compare/x.txt", kEarlier);
  for (Hiding hiding : {Hiding::kUnnamedWhereSupported, Hiding::kHiddenName}) {
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
      SCOPED_TRACE(std::string(hiding == Hiding::kHiddenName ? "hidden name, " : "unnamed, ") +
                   ::strsignal(signal_number));
      const pid_t pid = ::fork();
      if (pid == 0) {
        DiskReportFileSystem files(hiding);
        std::unique_ptr<ReportFile> file = files.Create(InCompare("x.txt"));
        if (file == nullptr || !file->Write("part of a report\r\n", 18)) ::_exit(100);
        ::raise(signal_number);
        ::_exit(101);  // not reached: the signal ends the program
      }
      int status = 0;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      ASSERT_TRUE(WIFSIGNALED(status)) << "exit code " << WEXITSTATUS(status);
      EXPECT_EQ(WTERMSIG(status), signal_number);
      EXPECT_EQ(CompareEntries(), std::set<std::string>{"x.txt"});
      EXPECT_EQ(dir_.ReadFile("Compare/x.txt"), kEarlier);
    }
  }
}

// Writes a report of `lines` lines of 99 bytes through the channel in a
// child process whose files may not grow beyond `limit` bytes, and returns
// the code the report ended with, or -1 when the child did not exit.
int ReportUnderFileSizeLimit(const fs::path& working_dir, rlim_t limit, int lines) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size_limit = {limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &size_limit) != 0) ::_exit(100);
    NullPane pane;
    DiskReportFileSystem files;
    ReportChannel channel(pane, files, working_dir);
    if (channel.OpenReportFile(ReportFileName("x.txt")) != kAllIsOk) ::_exit(101);
    const std::string line(97, 'r');
    for (int i = 0; i < lines && !channel.failed(); ++i) channel.WriteReportLine(line);
    ::_exit(static_cast<int>(channel.CloseReportFile()));
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// A write that fails part way through a report (here, the file grows beyond
// the size limit after several chunks) leaves the earlier report whole.
TEST_F(DiskReportTest, FailedWriteLeavesTheEarlierReportAndNoTemporaryFile) {
  dir_.WriteFile("Compare/x.txt", kEarlier);
  EXPECT_EQ(ReportUnderFileSizeLimit(dir_.path(), 600 * 1024, 10000),
            static_cast<int>(kTxtFileWriteError));
  ASSERT_EQ(fs::file_size(InCompare("x.txt")), sizeof kEarlier - 1);
  EXPECT_EQ(dir_.ReadFile("Compare/x.txt"), kEarlier);
  EXPECT_EQ(CompareEntries(), std::set<std::string>{"x.txt"});

  // The same report within the limit is stored whole.
  EXPECT_EQ(ReportUnderFileSizeLimit(dir_.path(), 600 * 1024, 6000), static_cast<int>(kAllIsOk));
  EXPECT_EQ(fs::file_size(InCompare("x.txt")), 6000u * 99);
  EXPECT_EQ(CompareEntries(), std::set<std::string>{"x.txt"});
}

TEST_F(DiskReportTest, FailedRenameOrNoCloseLeavesTheEntryAsItWas) {
  // A folder that took the name while the report was written: the rename
  // fails and the folder stays.
  std::unique_ptr<ReportFile> file = files_.Create(InCompare("x.txt"));
  ASSERT_NE(file, nullptr);
  dir_.MakeDir("Compare/x.txt");
  ASSERT_TRUE(file->Write("new", 3));
  EXPECT_FALSE(file->Close());
  EXPECT_TRUE(fs::is_directory(InCompare("x.txt")));
  EXPECT_EQ(CompareEntries(), std::set<std::string>{"x.txt"});

  // A file destroyed without Close is discarded.
  dir_.WriteFile("Compare/y.txt", kEarlier);
  file = files_.Create(InCompare("y.txt"));
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->Write("new", 3));
  file.reset();
  EXPECT_EQ(dir_.ReadFile("Compare/y.txt"), kEarlier);
  EXPECT_EQ(CompareEntries(), (std::set<std::string>{"x.txt", "y.txt"}));
}

}  // namespace
}  // namespace dravelin
