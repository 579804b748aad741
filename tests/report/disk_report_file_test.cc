// Reports on the real file system: a report replaces whatever held its name
// without writing through it, a report that fails leaves that entry as it
// was and no temporary file behind, and the temporary files that runs
// killed outright left are removed by the next report, those of running
// writers never.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "banks/bank_directory.h"
#include "gtest/gtest.h"
#include "report/report_channel.h"
#include "report/report_file.h"
#include "report/report_file_name.h"
#include "report/report_file_platform.h"
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

// A folder for files beside Compare is made when missing, taken as it is
// when there, and refused when its name is taken by something else; a
// failure there is a write error, and an existing file in the folder is
// replaced whole, nothing else in it touched.
TEST_F(DiskReportTest, FolderBesideCompareIsMadeTakenOrRefused) {
  const ReportFileName data("New Banks", "a.syx");
  const std::vector<std::uint8_t> bytes = {0xF0, 0x01, 0xF7};
  ASSERT_EQ(channel_.MakeReportFolder(data), kAllIsOk);
  ASSERT_EQ(channel_.WriteDataFile(data, bytes), kAllIsOk);
  EXPECT_EQ(dir_.ReadFile("New Banks/a.syx"), "\xF0\x01\xF7");
  dir_.WriteFile("New Banks/mine.txt", kOutside);
  dir_.WriteFile("New Banks/a.syx", kEarlier);
  ASSERT_EQ(channel_.MakeReportFolder(data), kAllIsOk);
  ASSERT_EQ(channel_.WriteDataFile(data, bytes), kAllIsOk);
  EXPECT_EQ(dir_.ReadFile("New Banks/a.syx"), "\xF0\x01\xF7");
  EXPECT_EQ(dir_.ReadFile("New Banks/mine.txt"), kOutside);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path() / "New Banks"),
                          fs::directory_iterator()),
            2);

  // A link to a folder serves; a file, a dangling link or a missing parent
  // does not.
  const fs::path elsewhere = dir_.MakeDir("Elsewhere");
  fs::create_symlink(elsewhere, dir_.path() / "Linked");
  EXPECT_EQ(channel_.MakeReportFolder(ReportFileName("Linked", "a.syx")), kAllIsOk);
  dir_.WriteFile("Taken", kOutside);
  fs::create_symlink("nowhere", dir_.path() / "Dangling");
  for (const char* folder : {"Taken", "Dangling", "Missing/Below"}) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(channel_.MakeReportFolder(ReportFileName(folder, "a.syx")), kTxtFileWriteError);
  }
  EXPECT_EQ(dir_.ReadFile("Taken"), kOutside);
  EXPECT_FALSE(fs::exists(dir_.path() / "Missing"));
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


// A program writing a report in a child process: it creates the report
// through the real file system, writes part of it, and waits until it is
// told to finish or is killed.
class ChildWriter {
 public:
  ChildWriter(const fs::path& report, DiskReportFileSystem::Hiding hiding) {
    int ready[2];
    if (::pipe(ready) != 0 || ::pipe(go_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(go_[1]);
      DiskReportFileSystem files(hiding);
      std::unique_ptr<ReportFile> file = files.Create(report);
      if (file == nullptr || !file->Write("part of a report\r\n", 18)) ::_exit(100);
      if (::write(ready[1], "r", 1) != 1) ::_exit(101);
      char go = 0;
      if (::read(go_[0], &go, 1) != 1) ::_exit(102);
      ::_exit(file->Write("the rest\r\n", 10) && file->Close() ? 0 : 103);
    }
    ::close(ready[1]);
    ::close(go_[0]);
    char byte = 0;
    started_ = pid_ > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
  }
  ~ChildWriter() {
    if (pid_ > 0) Kill();
    ::close(go_[1]);
  }

  bool started() const { return started_; }

  // SIGKILL: no clean-up runs.
  void Kill() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  // The child's exit code once it has finished its report (0: stored).
  int Finish() {
    if (::write(go_[1], "g", 1) != 1) return -1;
    int status = 0;
    const bool exited = ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status);
    pid_ = -1;
    return exited ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int go_[2] = {-1, -1};
  bool started_ = false;
};

// A run killed outright leaves its hidden temporary file (where no unnamed
// file hid the report); the next run's first report removes it, and never
// the file of a writer that still runs, which then stores its report.
TEST_F(DiskReportTest, NextReportRemovesKilledWritersFilesAndKeepsLiveOnes) {
  dir_.WriteFile("Compare/x.txt", kEarlier);
  ChildWriter killed(InCompare("x.txt"), DiskReportFileSystem::Hiding::kHiddenName);
  ChildWriter live(InCompare("y.txt"), DiskReportFileSystem::Hiding::kHiddenName);
  ASSERT_TRUE(killed.started() && live.started());
  killed.Kill();
  ASSERT_EQ(CompareEntries().size(), 3u);

  ASSERT_EQ(WriteReport("z.txt", "another report"), kAllIsOk);
  std::set<std::string> names = CompareEntries();
  EXPECT_EQ(names.erase("x.txt") + names.erase("z.txt"), 2u);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names.begin()->rfind(".y.txt.", 0), 0u) << *names.begin();

  EXPECT_EQ(live.Finish(), 0);
  EXPECT_EQ(CompareEntries(), (std::set<std::string>{"x.txt", "y.txt", "z.txt"}));
  EXPECT_EQ(dir_.ReadFile("Compare/x.txt"), kEarlier);
  EXPECT_EQ(dir_.ReadFile("Compare/y.txt"), "part of a report\r\nthe rest\r\n");
}

// The same on a vfat file system, which has no unnamed files, as a USB stick
// has it. Needs mkfs.vfat and fusefat, and FUSE in this machine.
TEST_F(DiskReportTest, OnVfatTheNextReportRemovesAKilledWritersFile) {
  const fs::path image = dir_.path() / "stick.img";
  const fs::path mount = dir_.MakeDir("stick");
  const std::string make_and_mount =
      "truncate -s 8M '" + image.string() + "' && mkfs.vfat '" + image.string() +
      "' > /dev/null 2>&1 && fusefat -o rw+ '" + image.string() + "' '" + mount.string() +
      "' > /dev/null 2>&1";
  if (std::system(make_and_mount.c_str()) != 0) {
    GTEST_SKIP() << "no vfat image could be mounted (mkfs.vfat, fusefat, /dev/fuse)";
  }
  struct Unmount {
    std::string command;
    ~Unmount() { EXPECT_EQ(std::system(command.c_str()), 0) << command; }
  } unmount{"fusermount -u '" + mount.string() + "'"};

  const fs::path compare = mount / "Compare";
  fs::create_directory(compare);
  const auto entries = [&] {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(compare)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  };
  {
    ChildWriter killed(compare / "x.txt", DiskReportFileSystem::Hiding::kUnnamedWhereSupported);
    ASSERT_TRUE(killed.started());
    killed.Kill();
  }
  ASSERT_EQ(entries().size(), 1u);
  EXPECT_EQ(entries().begin()->front(), '.');

  ReportChannel channel(pane_, files_, mount);
  ASSERT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
  channel.WriteReportLine("whole");
  ASSERT_EQ(channel.CloseReportFile(), kAllIsOk);
  EXPECT_EQ(entries(), std::set<std::string>{"x.txt"});
}

// Only regular files of the temporary form whose writer has ended are
// removed; anything else in the folder stays, whatever its name.
TEST_F(DiskReportTest, SweepRemovesOnlyTemporaryFilesOfEndedWriters) {
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
  const auto temporary = [](const std::string& report, long writer) {
    return "." + report + "." + std::to_string(writer) + ".k3x9q0.tmp";
  };
  const std::string stale[] = {temporary("x.txt", ended), temporary("compare.txt", ended)};
  const std::string kept[] = {
      temporary("x.txt", ::getppid()),  // a process that runs
      temporary("x.txt", ::getpid()),   // this one
      "x.txt." + std::to_string(ended) + ".k3x9q0.tmp",  // not hidden
      "." + std::string("x.txt.") + std::to_string(ended) + ".k3x9q0",  // an older form
      "bank.syx",
  };
  for (const std::string& name : stale) dir_.WriteFile("Compare/" + name, "stale");
  for (const std::string& name : kept) dir_.WriteFile("Compare/" + name, "kept");
  const std::string folder = temporary("d.txt", ended);
  dir_.WriteFile("Compare/" + folder + "/inside.txt", "kept");
  const std::string link = temporary("l.txt", ended);
  const fs::path outside = dir_.WriteFile("Outside/keep.txt", kOutside);
  fs::create_symlink(outside, InCompare(link));

  ASSERT_EQ(WriteReport("r.txt", "report"), kAllIsOk);
  std::set<std::string> expected(std::begin(kept), std::end(kept));
  expected.insert({folder, link, "r.txt"});
  EXPECT_EQ(CompareEntries(), expected);
  EXPECT_EQ(dir_.ReadFile("Compare/" + folder + "/inside.txt"), "kept");
  EXPECT_EQ(dir_.ReadFile("Outside/keep.txt"), kOutside);
}

// The system's calls, with names found taken a number of times and writes
// that take a few bytes at a time.
class ScriptedPlatform final : public ReportFilePlatform {
 public:
  int names_taken = 0;
  std::size_t write_chunk = std::numeric_limits<std::size_t>::max();

  Descriptor OpenUnnamed(const fs::path& directory) override {
    return system_.OpenUnnamed(directory);
  }
  Outcome CreateNew(const fs::path& path, Descriptor* file) override {
    return NameTaken() ? Outcome::kNameTaken : system_.CreateNew(path, file);
  }
  Outcome NameUnnamed(Descriptor file, const fs::path& path) override {
    return NameTaken() ? Outcome::kNameTaken : system_.NameUnnamed(file, path);
  }
  std::size_t WriteSome(Descriptor file, const char* data, std::size_t size) override {
    return system_.WriteSome(file, data, std::min(size, write_chunk));
  }
  bool Close(Descriptor file) override { return system_.Close(file); }
  bool Replace(const fs::path& from, const fs::path& to) override {
    return system_.Replace(from, to);
  }
  bool Remove(const fs::path& path) override { return system_.Remove(path); }
  int RemoveIfEnded(const fs::path& path) override { return system_.RemoveIfEnded(path); }
  void Forget(int token) override { system_.Forget(token); }
  std::uint64_t ProcessId() override { return system_.ProcessId(); }
  bool ProcessRuns(std::uint64_t id) override { return system_.ProcessRuns(id); }

 private:
  bool NameTaken() { return names_taken > 0 && --names_taken >= 0; }

  ReportFilePlatform& system_ = SystemReportFilePlatform();
};

// A temporary name found taken is tried again with another, up to the
// limit; a write that takes part of its bytes goes on with the rest.
TEST_F(DiskReportTest, TakenNamesAreRetriedUpToTheLimitAndShortWritesGoOn) {
  using Hiding = DiskReportFileSystem::Hiding;
  const std::string report(1000, 'r');
  for (Hiding hiding : {Hiding::kUnnamedWhereSupported, Hiding::kHiddenName}) {
    for (int taken : {kTemporaryNameAttempts - 1, kTemporaryNameAttempts}) {
      SCOPED_TRACE(std::string(hiding == Hiding::kHiddenName ? "hidden name, " : "unnamed, ") +
                   std::to_string(taken) + " names taken");
      dir_.WriteFile("Compare/x.txt", kEarlier);
      ScriptedPlatform platform;
      platform.names_taken = taken;
      platform.write_chunk = 7;
      DiskReportFileSystem files(hiding, platform);
      std::unique_ptr<ReportFile> file = files.Create(InCompare("x.txt"));
      const bool stored =
          file != nullptr && file->Write(report.data(), report.size()) && file->Close();
      EXPECT_EQ(stored, taken < kTemporaryNameAttempts);
      EXPECT_EQ(dir_.ReadFile("Compare/x.txt"), stored ? report : kEarlier);
      EXPECT_EQ(CompareEntries(), std::set<std::string>{"x.txt"});
    }
  }
}

}  // namespace
}  // namespace dravelin
