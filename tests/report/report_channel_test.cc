#include "report/report_channel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "report/report_file.h"
#include "tests/support/fake_report_files.h"

namespace dravelin {
namespace {

using testing::FakeReportFiles;

struct RecordingPane : Pane {
  void AppendPaneLine(std::string_view line) override { lines.emplace_back(line); }
  void ClearPane() override {
    lines.clear();
    ++clears;
  }
  std::vector<std::string> lines;
  int clears = 0;
};

// A report file system that keeps every chunk handed to a file.
struct ChunkRecorder : ReportFileSystem {
  struct File : ReportFile {
    explicit File(std::vector<std::string>& chunks) : chunks_(chunks) {}
    bool Write(const char* data, std::size_t size) override {
      chunks_.emplace_back(data, size);
      return true;
    }
    bool Close() override { return true; }
    std::vector<std::string>& chunks_;
  };
  std::unique_ptr<ReportFile> Create(const std::filesystem::path&) override {
    return std::make_unique<File>(chunks);
  }
  bool CreateFolder(const std::filesystem::path&) override { return true; }
  std::vector<std::string> chunks;
};

const std::filesystem::path kRoot = "/work-dir";
const std::filesystem::path kReport = kRoot / "Compare" / "x.txt";
const std::string kDashes88(88, '-');

Bank NamedBank(std::string name) { return Bank{std::move(name), {}}; }

class ReportChannelTest : public ::testing::Test {
 protected:
  RecordingPane pane_;
  FakeReportFiles files_;
  ReportChannel channel_{pane_, files_, kRoot};
};

// One report through every write operation under each setting of the two
// switches: lines reach the pane and the file exactly when their switch is on.
TEST_F(ReportChannelTest, EveryOperationUnderEverySwitchSetting) {
  const std::string file_bytes =
      "first line\r\n"
      "\r\n" +
      kDashes88 +
      "\r\n"
      "  Bank One\r\n"
      "The following sysex files were found in the 'Compare' directory:\r\n"
      "  Alpha\r\n"
      "  Beta\r\n"
      "The following sysex files were found in the 'Base' directory:\r\n"
      "block \"A\rB\nC\"\r\n"
      "\r\n";
  const std::vector<std::string> pane_lines = {
      "first line",
      "",
      "pane only",
      kDashes88,
      "  Bank One",
      "The following sysex files were found in the 'Compare' directory:",
      "  Alpha",
      "  Beta",
      "The following sysex files were found in the 'Base' directory:",
      "block \"A\rB\nC\"",
      ""};
  // A block's lines end where the block says, whatever bytes they hold; a
  // line not yet ended is not written.
  TextBlock block;
  block.Put("block \"A\rB\nC\"");
  block.EndLine();
  block.EndLine();
  block.Put("not ended");
  const BankSet two_banks = {NamedBank("Alpha"), NamedBank("Beta")};

  for (const bool screen : {true, false}) {
    for (const bool file : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "screen " << screen << ", file " << file);
      RecordingPane pane;
      FakeReportFiles files;
      ReportChannel channel(pane, files, kRoot);
      channel.set_screen_display(screen);
      channel.set_file_output(file);
      ASSERT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
      channel.WriteReportLine("first line");
      channel.WriteReportLine("");
      channel.WritePaneLine("pane only");
      channel.WriteSeparatorLine();
      channel.WriteBankNameLine(NamedBank("Bank One"));
      channel.WriteBankFileList(two_banks, "Compare");
      channel.WriteBankFileList(BankSet{}, "Base");
      channel.WriteReportBlock(block);
      EXPECT_EQ(channel.CloseReportFile(), kAllIsOk);

      EXPECT_EQ(pane.lines, screen ? pane_lines : std::vector<std::string>{});
      EXPECT_EQ(files.Created(kReport), file);
      EXPECT_EQ(files.Contents(kReport), file ? file_bytes : "");
      EXPECT_EQ(files.open_files(), 0);
    }
  }
}

TEST_F(ReportChannelTest, SwitchesStartOnAndClearingIgnoresScreenDisplay) {
  EXPECT_TRUE(channel_.screen_display());
  EXPECT_TRUE(channel_.file_output());
  pane_.lines = {"old"};
  channel_.set_screen_display(false);
  channel_.ClearReportPane();
  EXPECT_TRUE(pane_.lines.empty());
  EXPECT_EQ(pane_.clears, 1);
}

TEST_F(ReportChannelTest, ReportFileNamesAreShownWithBackslashAndLieBelowTheWorkingDirectory) {
  const ReportFileName plain("compare.txt");
  EXPECT_EQ(plain.Shown(), "Compare\\compare.txt");
  EXPECT_EQ(channel_.ReportFilePath(plain), kRoot / "Compare" / "compare.txt");
  // A backslash in the file part (a bank name can hold one) is taken whole.
  const ReportFileName odd("a\\b.ins");
  EXPECT_EQ(odd.Shown(), "Compare\\a\\b.ins");
  EXPECT_EQ(channel_.ReportFilePath(odd), kRoot / "Compare" / "a\\b.ins");
  // A file in a folder beside Compare names that folder.
  const ReportFileName beside("New Banks", "New Sounds 1.syx");
  EXPECT_EQ(beside.Shown(), "New Banks\\New Sounds 1.syx");
  EXPECT_EQ(channel_.ReportFilePath(beside), kRoot / "New Banks" / "New Sounds 1.syx");
  EXPECT_EQ(beside.FolderBelow(kRoot), kRoot / "New Banks");
  EXPECT_FALSE(beside == ReportFileName("New Sounds 1.syx"));
}

// A data file is stored whole at once, beside an open report, and never
// reaches the pane; its folder is made first. Both touch nothing with
// FileOutput off.
TEST_F(ReportChannelTest, DataFilesAndTheirFolderUnderEitherFileOutputSetting) {
  const ReportFileName data("New Banks", "a.syx");
  const std::filesystem::path data_path = kRoot / "New Banks" / "a.syx";
  const std::vector<std::uint8_t> bytes = {0xF0, 0x00, 0x0D, 0x0A, 0xF7};
  for (const bool file : {true, false}) {
    SCOPED_TRACE(file ? "file output on" : "file output off");
    RecordingPane pane;
    FakeReportFiles files;
    ReportChannel channel(pane, files, kRoot);
    channel.set_file_output(file);
    ASSERT_EQ(channel.MakeReportFolder(data), kAllIsOk);
    ASSERT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
    channel.WriteReportLine("before");
    ASSERT_EQ(channel.WriteDataFile(data, bytes), kAllIsOk);
    channel.WriteReportLine("after");
    ASSERT_EQ(channel.CloseReportFile(), kAllIsOk);
    EXPECT_EQ(pane.lines, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(files.folders(), file ? std::vector<std::filesystem::path>{kRoot / "New Banks"}
                                    : std::vector<std::filesystem::path>{});
    EXPECT_EQ(files.Contents(data_path), file ? std::string("\xF0\x00\r\n\xF7", 5) : "");
    EXPECT_EQ(files.Contents(kReport), file ? "before\r\nafter\r\n" : "");
    EXPECT_EQ(files.open_files(), 0);
  }
}

TEST_F(ReportChannelTest, DataFileAndFolderFailuresGiveTheirCodes) {
  const ReportFileName data("New Banks", "a.syx");
  const std::filesystem::path data_path = kRoot / "New Banks" / "a.syx";
  const std::vector<std::uint8_t> bytes(100, 0x41);
  struct Case {
    const char* what;
    std::function<void(FakeReportFiles&)> damage;
    MessageCode folder;
    MessageCode file;
    MessageCode report_after;  // a short report written after them
  };
  const Case cases[] = {
      {"the folder cannot be made", [](auto& f) { f.FailFolder(kRoot / "New Banks"); },
       kTxtFileWriteError, kAllIsOk, kAllIsOk},
      {"the file cannot be created", [&](auto& f) { f.FailOpen(data_path); }, kAllIsOk,
       kTxtFileOpenError, kAllIsOk},
      {"a write fails", [](auto& f) { f.FailWritesAfter(10); }, kAllIsOk, kTxtFileWriteError,
       kAllIsOk},
      {"the close fails", [](auto& f) { f.FailClose(); }, kAllIsOk, kTxtFileWriteError,
       kTxtFileWriteError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingPane pane;
    FakeReportFiles files;
    c.damage(files);
    ReportChannel channel(pane, files, kRoot);
    EXPECT_EQ(channel.MakeReportFolder(data), c.folder);
    EXPECT_EQ(channel.WriteDataFile(data, bytes), c.file);
    EXPECT_EQ(files.open_files(), 0);
    // A failed data file leaves the channel's reports alone.
    ASSERT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
    channel.WriteReportLine("line");
    EXPECT_EQ(channel.CloseReportFile(), c.report_after);
  }
}

TEST_F(ReportChannelTest, OpenFailureGivesCodeFourAndLeavesNothingOpen) {
  files_.FailOpen(kReport);
  EXPECT_EQ(channel_.OpenReportFile(ReportFileName("x.txt")), kTxtFileOpenError);
  EXPECT_EQ(files_.open_files(), 0);
  EXPECT_FALSE(files_.Created(kReport));

  // With file output off no file is tried, so nothing can fail.
  channel_.set_file_output(false);
  EXPECT_EQ(channel_.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
  EXPECT_TRUE(files_.created().empty());
}

TEST_F(ReportChannelTest, FailedWriteOrCloseEndsTheReportWithCodeSixteen) {
  struct Case {
    const char* what;
    void (*damage)(FakeReportFiles&);
  };
  const Case cases[] = {
      {"write", [](FakeReportFiles& f) { f.FailWritesAfter(5); }},
      {"close", [](FakeReportFiles& f) { f.FailClose(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingPane pane;
    FakeReportFiles files;
    c.damage(files);
    ReportChannel channel(pane, files, kRoot);
    ASSERT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
    channel.WriteReportLine("0123456789");
    EXPECT_EQ(channel.CloseReportFile(), kTxtFileWriteError);
    EXPECT_TRUE(channel.failed());
    EXPECT_EQ(files.open_files(), 0);
    EXPECT_EQ(files.closes(), 1);

    // The next report starts clean.
    ASSERT_EQ(channel.OpenReportFile(ReportFileName("y.txt")), kAllIsOk);
    EXPECT_FALSE(channel.failed());
    channel.WriteReportLine("ok");
    EXPECT_EQ(pane.lines.back(), "ok");
    // The damaged fake may fail this close too; only the clean start counts.
    static_cast<void>(channel.CloseReportFile());
  }
}

// A failure found part way through a long report stops it there: later lines
// reach neither the pane nor the file.
TEST_F(ReportChannelTest, LinesAfterAFailedWriteGoNowhere) {
  files_.FailWritesAfter(0);
  ASSERT_EQ(channel_.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
  const std::string line(998, 'x');
  int written = 0;
  while (!channel_.failed() && written < 1000) {
    channel_.WriteReportLine(line);
    ++written;
  }
  ASSERT_TRUE(channel_.failed());
  EXPECT_EQ(written, 263);  // the first chunk: 263 lines of 1000 bytes pass 256 KiB
  const std::size_t pane_lines = pane_.lines.size();
  channel_.WriteReportLine("late");
  channel_.WritePaneLine("late");
  channel_.WriteSeparatorLine();
  EXPECT_EQ(pane_.lines.size(), pane_lines);
  EXPECT_EQ(channel_.CloseReportFile(), kTxtFileWriteError);
  EXPECT_EQ(files_.open_files(), 0);
}

TEST(ReportChannelBufferTest, FileLinesAreHandedOverInLargeChunks) {
  RecordingPane pane;
  ChunkRecorder files;
  ReportChannel channel(pane, files, kRoot);
  channel.set_screen_display(false);
  ASSERT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
  std::string expected;
  for (int i = 0; i < 6000; ++i) {
    std::string line(100, static_cast<char>('a' + i % 26));
    channel.WriteReportLine(line);
    expected += line + "\r\n";
  }
  // 2571 lines of 102 bytes are the first to reach 256 KiB.
  EXPECT_EQ(files.chunks.size(), 2u);
  EXPECT_EQ(channel.CloseReportFile(), kAllIsOk);
  ASSERT_EQ(files.chunks.size(), 3u);
  EXPECT_EQ(files.chunks[0].size(), 262242u);
  EXPECT_EQ(files.chunks[1].size(), 262242u);
  EXPECT_EQ(files.chunks[2].size(), 87516u);
  EXPECT_EQ(files.chunks[0] + files.chunks[1] + files.chunks[2], expected);
  EXPECT_TRUE(pane.lines.empty());
}

// An unfinished report is dropped, not stored, when the channel goes.
TEST_F(ReportChannelTest, DestroyingTheChannelDropsAnOpenFile) {
  {
    ReportChannel channel(pane_, files_, kRoot);
    ASSERT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
    EXPECT_EQ(files_.open_files(), 1);
  }
  EXPECT_EQ(files_.open_files(), 0);
  EXPECT_EQ(files_.closes(), 0);
}

}  // namespace
}  // namespace dravelin
