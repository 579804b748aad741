#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "report/bank_list_files.h"
#include "report/instrument_section.h"
#include "report/patch_name_list.h"
#include "report/report_channel.h"
#include "tests/support/fake_report_files.h"

namespace dravelin {
namespace {

using testing::FakeReportFiles;

struct RecordingPane : Pane {
  void AppendPaneLine(std::string_view line) override { lines.emplace_back(line); }
  void ClearPane() override { lines.clear(); }
  std::vector<std::string> lines;
};

const std::filesystem::path kRoot = "/w";
const std::string kDashes87(87, '-');

Patch MakePatch(int number, std::string name) {
  Patch patch;
  patch.program_number = static_cast<std::uint8_t>(number);
  patch.name = std::move(name);
  return patch;
}

// `count` patches named "Voice nnnn" with program numbers 0, 1, 2, ...
Bank MakeBank(std::string name, int count) {
  Bank bank{std::move(name), {}};
  for (int i = 0; i < count; ++i) {
    char patch_name[16];
    std::snprintf(patch_name, sizeof patch_name, "Voice %04d", i % 10000);
    bank.patches.push_back(MakePatch(i % 256, patch_name));
  }
  return bank;
}

// The row of a name list written straight from its printf form.
std::string Row(const Patch& left, const Patch* right) {
  char row[128];
  if (right == nullptr) {
    std::snprintf(row, sizeof row, "      %03d: %s", left.program_number, left.name.c_str());
  } else {
    std::snprintf(row, sizeof row, "      %03d: %s                              %03d: %s",
                  left.program_number, left.name.c_str(), right->program_number,
                  right->name.c_str());
  }
  return row;
}

std::string FileOf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

struct Listing {
  std::vector<std::string> pane;
  std::string file;
};

template <typename Write>
Listing Capture(const Bank& bank, Write write) {
  RecordingPane pane;
  FakeReportFiles files;
  ReportChannel channel(pane, files, kRoot);
  EXPECT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
  write(channel, bank);
  EXPECT_EQ(channel.CloseReportFile(), kAllIsOk);
  return {pane.lines, files.Contents(kRoot / "Compare" / "x.txt")};
}

TEST(PatchNameListTest, RowsAndColumnsByPatchCount) {
  struct Case {
    int patches;
    std::size_t rows;
    std::size_t two_column_rows;
  };
  const Case cases[] = {{0, 0, 0},   {1, 1, 0},     {64, 64, 0},
                        {65, 64, 1}, {128, 64, 64}, {130, 64, 64}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.patches);
    const Bank bank = MakeBank("Bank A", c.patches);
    const Listing listing = Capture(bank, WritePatchNameList);

    std::vector<std::string> lines = {"  Bank A", ""};
    std::size_t two_columns = 0;
    for (std::size_t r = 0; r < c.rows; ++r) {
      const bool right = r < c.two_column_rows;
      two_columns += right;
      lines.push_back(Row(bank.patches[r], right ? &bank.patches[64 + r] : nullptr));
    }
    EXPECT_EQ(two_columns, c.two_column_rows);
    EXPECT_EQ(listing.file, FileOf(lines));
    lines.insert(lines.begin(), kDashes87);
    EXPECT_EQ(listing.pane, lines);
  }
}

TEST(PatchNameListTest, ExactRowTexts) {
  const Bank bank = MakeBank("B", 130);
  const Listing listing = Capture(bank, WritePatchNameList);
  ASSERT_EQ(listing.pane.size(), 3u + 64u);
  EXPECT_EQ(listing.pane[0], kDashes87);
  EXPECT_EQ(listing.pane[3], "      000: Voice 0000                              064: Voice 0064");
  EXPECT_EQ(listing.pane[66], "      063: Voice 0063                              127: Voice 0127");
  EXPECT_EQ(listing.pane[66].size(), 66u);
  EXPECT_EQ(listing.pane[66].find("127"), 51u);
  EXPECT_EQ(listing.file.find("Voice 0128"), std::string::npos);
  EXPECT_EQ(listing.file.find("Voice 0129"), std::string::npos);
  EXPECT_EQ(listing.file.find('-'), std::string::npos);

  const Listing one = Capture(MakeBank("B", 2), WritePatchNameList);
  EXPECT_EQ(one.file, "  B\r\n\r\n      000: Voice 0000\r\n      001: Voice 0001\r\n");
}

// The shown number is the dump's program number, in file order, not the
// position; both listings use it.
TEST(ListingTest, ProgramNumbersAsTheDumpsCarryThem) {
  Bank bank{"Odd",
            {MakePatch(255, "Last One  "), MakePatch(0, "Zero      "), MakePatch(5, "Five      "),
             MakePatch(127, "Top Of Lo "), MakePatch(5, "Five Again")}};
  EXPECT_EQ(Capture(bank, WritePatchNameList).file,
            "  Odd\r\n\r\n"
            "      255: Last One  \r\n"
            "      000: Zero      \r\n"
            "      005: Five      \r\n"
            "      127: Top Of Lo \r\n"
            "      005: Five Again\r\n");
  EXPECT_EQ(Capture(bank, WriteInstrumentSection).file,
            "[Odd]\r\nBasedOn=Odd\r\n"
            "255=255: Last One  \r\n"
            "0=000: Zero      \r\n"
            "5=005: Five      \r\n"
            "127=127: Top Of Lo \r\n"
            "5=005: Five Again\r\n"
            "\r\n\r\n");
}

TEST(InstrumentSectionTest, EveryPatchGetsAnEntryAndPaneMatchesFile) {
  for (const int patches : {0, 1, 130}) {
    SCOPED_TRACE(patches);
    const Bank bank = MakeBank("My Bank", patches);
    const Listing listing = Capture(bank, WriteInstrumentSection);
    std::vector<std::string> lines = {"[My Bank]", "BasedOn=My Bank"};
    for (const Patch& patch : bank.patches) {
      char entry[64];
      std::snprintf(entry, sizeof entry, "%d=%03d: %s", patch.program_number, patch.program_number,
                    patch.name.c_str());
      lines.push_back(entry);
    }
    lines.insert(lines.end(), {"", ""});
    EXPECT_EQ(listing.file, FileOf(lines));
    EXPECT_EQ(listing.pane, lines);
  }
}

class BankListFilesTest : public ::testing::Test {
 protected:
  static std::filesystem::path PathOf(const char* file) { return kRoot / "Compare" / file; }
  RecordingPane pane_;
  FakeReportFiles files_;
  ReportChannel channel_{pane_, files_, kRoot};
  const BankSet set_ = {MakeBank("First", 3), MakeBank("Second", 66), MakeBank("Third", 0)};
};

TEST_F(BankListFilesTest, OneFilePerBankHoldingItsOwnListing) {
  struct Case {
    ListingKind kind;
    const char* names[3];
    void (*write)(ReportChannel&, const Bank&);
  };
  const Case cases[] = {
      {ListingKind::kPatchNameList, {"First.txt", "Second.txt", "Third.txt"}, WritePatchNameList},
      {ListingKind::kInstrumentSection,
       {"First.ins", "Second.ins", "Third.ins"},
       WriteInstrumentSection},
  };
  for (const Case& c : cases) {
    RecordingPane pane;
    FakeReportFiles files;
    ReportChannel channel(pane, files, kRoot);
    ASSERT_EQ(WriteBankListFiles(channel, set_, c.kind), kAllIsOk);
    ASSERT_EQ(files.created().size(), 3u);
    std::vector<std::string> all_pane_lines;
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(files.created()[i], PathOf(c.names[i]));
      const Listing alone = Capture(set_[i], c.write);
      EXPECT_EQ(files.Contents(PathOf(c.names[i])), alone.file);
      all_pane_lines.insert(all_pane_lines.end(), alone.pane.begin(), alone.pane.end());
    }
    EXPECT_EQ(pane.lines, all_pane_lines);
    EXPECT_EQ(files.open_files(), 0);
  }
  EXPECT_EQ(ListingFileName(set_[1], ListingKind::kPatchNameList).Shown(), "Compare\\Second.txt");
  EXPECT_EQ(ListingFileName(set_[1], ListingKind::kInstrumentSection).Shown(),
            "Compare\\Second.ins");
}

TEST_F(BankListFilesTest, OpenFailureStopsTheLoopAtThatBank) {
  files_.FailOpen(PathOf("Second.txt"));
  EXPECT_EQ(WriteBankListFiles(channel_, set_, ListingKind::kPatchNameList), kTxtFileOpenError);
  EXPECT_EQ(files_.created(), std::vector<std::filesystem::path>{PathOf("First.txt")});
  const Listing first = Capture(set_[0], WritePatchNameList);
  EXPECT_EQ(files_.Contents(PathOf("First.txt")), first.file);
  EXPECT_EQ(pane_.lines, first.pane);
  EXPECT_EQ(files_.open_files(), 0);
}

TEST_F(BankListFilesTest, WriteOrCloseFailureStopsTheLoopWithCodeSixteen) {
  for (const bool fail_close : {false, true}) {
    FakeReportFiles files;
    if (fail_close) {
      files.FailClose();
    } else {
      files.FailWritesAfter(4);
    }
    ReportChannel channel(pane_, files, kRoot);
    EXPECT_EQ(WriteBankListFiles(channel, set_, ListingKind::kInstrumentSection),
              kTxtFileWriteError);
    EXPECT_EQ(files.created(), std::vector<std::filesystem::path>{PathOf("First.ins")});
    EXPECT_EQ(files.open_files(), 0);
  }
}

TEST_F(BankListFilesTest, FileOutputOffWritesThePaneOnly) {
  channel_.set_file_output(false);
  EXPECT_EQ(WriteBankListFiles(channel_, set_, ListingKind::kPatchNameList), kAllIsOk);
  EXPECT_TRUE(files_.created().empty());
  // Three banks: 3 + 64 + 0 rows, each list opened by the dash line, the
  // name line and an empty line.
  EXPECT_EQ(pane_.lines.size(), 3u * 3u + 3u + 64u);
  EXPECT_EQ(std::count(pane_.lines.begin(), pane_.lines.end(), kDashes87), 3);
}

}  // namespace
}  // namespace dravelin
