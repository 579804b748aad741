// The three reports over a whole collection, line by line, on a small set
// whose groups are known; and how they fail.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "collection/banks_worth_keeping.h"
#include "collection/patch_catalogue.h"
#include "collection/sound_groups_report.h"
#include "tests/compare/report_fixture.h"

namespace dravelin {
namespace {

using sysex::MakeSounds;
using testing::CrlfLines;
using testing::kDashes;
using testing::MakeBank;
using testing::MakePatch;
using testing::ReportFixture;

// Mine 003, 004 and 010 hold sounds 1-4 in other orders and so does Factory
// 001 in Base; Mine 127 shares a name and a sound with them but not all
// sounds; "Same" holds copies of Mine's last two patches; Factory 000 has
// three of the sounds, one of them twice, and stands alone.
BankSet CompareSet() {
  Bank mine = MakeBank("Mine", {MakePatch("Soft Pad  ", 3, MakeSounds(1, 2, 3, 4)),
                                MakePatch("Soft Pad  ", 4, MakeSounds(4, 3, 2, 1)),
                                MakePatch("Warm Pad  ", 10, MakeSounds(2, 1, 3, 4)),
                                MakePatch("Soft Pad  ", 127, MakeSounds(1, 50, 51, 52)),
                                MakePatch("Lonely    ", 0, MakeSounds(60, 61, 62, 60))});
  mine.file_name = "Mine.syx";
  Bank same = MakeBank("Same", {mine.patches[3], mine.patches[4]});
  same.file_name = "Same.SYX";
  Bank quoted = MakeBank("a,\"b\";c", {MakePatch("=Pad, \"x\" ", 7, MakeSounds(70, 71, 72, 73))});
  quoted.file_name = "a,\"b\";c.syx";
  return {mine, same, quoted};
}

BankSet BaseSet() {
  Bank factory = MakeBank("Factory", {MakePatch("Factory   ", 0, MakeSounds(4, 4, 3, 2)),
                                      MakePatch("Also      ", 1, MakeSounds(3, 4, 2, 1))});
  factory.file_name = "Factory.syx";
  return {factory};
}

const std::vector<std::string_view> kBothFileLists = {
    "The following sysex files were found in the 'Compare' directory:",
    "  Mine",
    "  Same",
    "  a,\"b\";c",
    "The following sysex files were found in the 'Base' directory:",
    "  Factory",
};

std::string Lines(std::vector<std::string_view> head,
                  std::initializer_list<std::string_view> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  std::string text;
  for (std::string_view line : head) {
    text += line;
    text += "\r\n";
  }
  return text;
}

TEST(SoundGroupsReportTest, SummaryThenEveryGroupOfTwoOrMoreInOrderOfItsFirstPatch) {
  ReportFixture f;
  ASSERT_EQ(WriteSoundGroupsReport(f.channel, CompareSet(), BaseSet()), kAllIsOk);
  EXPECT_EQ(
      f.File(kSoundGroupsReportFile),
      Lines(kBothFileLists,
            {kDashes,
             "Sound Groups:",
             "Patches whose sounds are identical (the same sound blocks, in any slots and any",
             "number of times; names and program numbers play no part) form one sound group.",
             "  Patches:                10 in 4 banks ('Compare' 8 in 3, 'Base' 2 in 1)",
             "  Distinct sounds:        5",
             "  Groups of two or more:  3, holding 8 patches",
             "  Largest group:          group 1, 4 patches",
             "Groups are numbered in the order of their first patch: the 'Compare' banks in the",
             "order they were read, then the 'Base' banks, each bank's patches in file order.",
             "Each group lists its patches in that order, 'Base' patches marked (Base).",
             "A patch whose sounds no other patch has is a group of one: it has a number (the",
             "catalogue shows it) but is not listed here.",
             kDashes,
             "Group 1: 4 patches in 2 banks, 3 names",
             "  Names: \"Soft Pad  \", \"Warm Pad  \", \"Also      \"",
             "  \"Mine [003:Soft Pad  ]\"",
             "  \"Mine [004:Soft Pad  ]\"",
             "  \"Mine [010:Warm Pad  ]\"",
             "  \"Factory [001:Also      ]\" (Base)",
             "",
             "Group 2: 2 patches in 2 banks, 1 name",
             "  Names: \"Soft Pad  \"",
             "  \"Mine [127:Soft Pad  ]\"",
             "  \"Same [127:Soft Pad  ]\"",
             "",
             "Group 3: 2 patches in 2 banks, 1 name",
             "  Names: \"Lonely    \"",
             "  \"Mine [000:Lonely    ]\"",
             "  \"Same [000:Lonely    ]\"",
             ""}));
  EXPECT_EQ(f.PaneAsFile(), f.File(kSoundGroupsReportFile));
}

TEST(SoundGroupsReportTest, NamesWrapAndAMissingBaseIsNotMentioned) {
  // Nine names of one sound: more than one line holds.
  std::vector<Patch> patches;
  for (char c = 'A'; c <= 'I'; ++c) {
    patches.push_back(MakePatch(std::string(10, c), 0, MakeSounds(1, 2, 3, 4)));
  }
  patches.push_back(MakePatch("Alone     ", 1, MakeSounds(5, 6, 7, 8)));
  ReportFixture f;
  ASSERT_EQ(WriteSoundGroupsReport(f.channel, {MakeBank("Nine", patches)}, {}), kAllIsOk);
  const std::string file = f.File(kSoundGroupsReportFile);
  EXPECT_EQ(file.find("'Base'"), std::string::npos);
  EXPECT_NE(file.find("\r\n  Patches:                10 in 1 bank\r\n"
                      "  Distinct sounds:        2\r\n"
                      "  Groups of two or more:  1, holding 9 patches\r\n"
                      "  Largest group:          group 1, 9 patches\r\n"),
            std::string::npos);
  EXPECT_NE(file.find("Group 1: 9 patches in 1 bank, 9 names\r\n"
                      "  Names: \"AAAAAAAAAA\", \"BBBBBBBBBB\", \"CCCCCCCCCC\", \"DDDDDDDDDD\", "
                      "\"EEEEEEEEEE\",\r\n"
                      "         \"FFFFFFFFFF\", \"GGGGGGGGGG\", \"HHHHHHHHHH\", \"IIIIIIIIII\"\r\n"
                      "  \"Nine [000:AAAAAAAAAA]\"\r\n"),
            std::string::npos)
      << file;

  ReportFixture none;
  ASSERT_EQ(
      WriteSoundGroupsReport(none.channel, {MakeBank("Two", {patches[0], patches.back()})}, {}),
      kAllIsOk);
  const std::string lonely = none.File(kSoundGroupsReportFile);
  EXPECT_NE(lonely.find("  Groups of two or more:  0, holding 0 patches\r\n"
                        "  Largest group:          none; no two patches have identical sounds\r\n"),
            std::string::npos);
  EXPECT_EQ(lonely.substr(lonely.size() - 90), kDashes + "\r\n") << "no group follows";
}

TEST(BanksWorthKeepingReportTest, OneRowPerBankMostAddedFirst) {
  ReportFixture f;
  ASSERT_EQ(WriteBanksWorthKeepingReport(f.channel, CompareSet(), BaseSet()), kAllIsOk);
  EXPECT_EQ(
      f.File(kBanksWorthKeepingReportFile),
      Lines(kBothFileLists,
            {kDashes,
             "Banks Worth Keeping:",
             "A sound is the set of sound blocks a patch plays: patches whose sounds are identical",
             "hold one sound, whatever their names and slots. For each 'Compare' bank the table",
             "counts:",
             "  Patches:      its patches",
             "  Sounds:       its distinct sounds",
             "  Only here:    its sounds that no other 'Compare' bank holds",
             "  Not in Base:  of those, the sounds that no 'Base' patch holds either",
             "A bank adds the sounds counted under 'Not in Base'.",
             "Two copies of one file are two banks: neither adds a sound that the other holds.",
             "Banks are sorted by the sounds they add, most first, then in the order they were",
             "read; a bank that adds nothing is marked \"adds nothing\".",
             kDashes,
             "Bank     Patches  Sounds  Only here  Not in Base",
             "a,\"b\";c        1       1          1            1",
             "Mine           5       3          1            0  adds nothing",
             "Same           2       2          0            0  adds nothing",
             kDashes,
             "Banks that add nothing: 2 of 3"}));

  // Without Base the column goes, and Mine's own sound is what it adds.
  ReportFixture alone;
  ASSERT_EQ(WriteBanksWorthKeepingReport(alone.channel, CompareSet(), {}), kAllIsOk);
  const std::string file = alone.File(kBanksWorthKeepingReportFile);
  EXPECT_NE(file.find("A bank adds the sounds counted under 'Only here'.\r\n"), std::string::npos);
  EXPECT_NE(file.find("Bank     Patches  Sounds  Only here\r\n"
                      "Mine           5       3          1\r\n"
                      "a,\"b\";c        1       1          1\r\n"
                      "Same           2       2          0  adds nothing\r\n"),
            std::string::npos)
      << file;
}

TEST(BanksWorthKeepingReportTest, BankColumnIsAsWideAsTheLongestNameShows) {
  // "Café" in UTF-8 shows four characters in five bytes; "Caf\xE9" in the
  // Windows code page four in four.
  ReportFixture f;
  ASSERT_EQ(WriteBanksWorthKeepingReport(
                f.channel,
                {MakeBank("Caf\xC3\xA9 Latte", {MakePatch("A", 0, MakeSounds(1, 2, 3, 4))}),
                 MakeBank("Caf\xE9", {MakePatch("B", 0, MakeSounds(5, 6, 7, 8))})},
                {}),
            kAllIsOk);
  EXPECT_NE(f.File(kBanksWorthKeepingReportFile)
                .find("Bank        Patches  Sounds  Only here\r\n"
                      "Caf\xC3\xA9 Latte        1       1          1\r\n"
                      "Caf\xE9              1       1          1\r\n"),
            std::string::npos);
}

TEST(PatchCatalogueTest, OneQuotedRowPerPatchOfBothSets) {
  ReportFixture f;
  ASSERT_EQ(WritePatchCatalogue(f.channel, CompareSet(), BaseSet()), kAllIsOk);
  EXPECT_EQ(
      f.File(kPatchCatalogueFile),
      CrlfLines({"\xEF\xBB\xBFSet,File,Bank,Program,Name,Sound group,Patches in group,"
                 "Banks holding group,Similar patches",
                 "Compare,\"Mine.syx\",\"Mine\",3,\"Soft Pad  \",1,4,2,6",
                 "Compare,\"Mine.syx\",\"Mine\",4,\"Soft Pad  \",1,4,2,6",
                 "Compare,\"Mine.syx\",\"Mine\",10,\"Warm Pad  \",1,4,2,6",
                 "Compare,\"Mine.syx\",\"Mine\",127,\"Soft Pad  \",2,2,2,5",
                 "Compare,\"Mine.syx\",\"Mine\",0,\"Lonely    \",3,2,2,1",
                 "Compare,\"Same.SYX\",\"Same\",127,\"Soft Pad  \",2,2,2,5",
                 "Compare,\"Same.SYX\",\"Same\",0,\"Lonely    \",3,2,2,1",
                 "Compare,\"a,\"\"b\"\";c.syx\",\"a,\"\"b\"\";c\",7,\"=Pad, \"\"x\"\" \",4,1,1,0",
                 "Base,\"Factory.syx\",\"Factory\",0,\"Factory   \",5,1,1,4",
                 "Base,\"Factory.syx\",\"Factory\",1,\"Also      \",1,4,2,6"}));
  EXPECT_EQ(f.PaneAsFile(), f.File(kPatchCatalogueFile)) << "the pane shows what the file holds";
}

TEST(PatchCatalogueTest, NamesReadAsUtf8OrTheWindowsCodePageAndNeverBreakARow) {
  Bank latin = MakeBank("Caf\xE9 \x80", {MakePatch("Piano     ", 1, MakeSounds(1, 2, 3, 4))});
  // A line break in the file name would break the row.
  latin.file_name = "Caf\xE9 \x80\n.syx";
  Bank utf8 = MakeBank("Kl\xC3\xA4nge", {MakePatch("Piano     ", 2, MakeSounds(5, 6, 7, 8))});
  utf8.file_name = "Kl\xC3\xA4nge.syx";
  ReportFixture f;
  ASSERT_EQ(WritePatchCatalogue(f.channel, {latin, utf8}, {}), kAllIsOk);
  const std::string file = f.File(kPatchCatalogueFile);
  EXPECT_NE(
      file.find("\r\nCompare,\"Caf\xC3\xA9 \xE2\x82\xAC_.syx\",\"Caf\xC3\xA9 \xE2\x82\xAC\","
                "1,\"Piano     \",1,1,1,1\r\n"
                "Compare,\"Kl\xC3\xA4nge.syx\",\"Kl\xC3\xA4nge\",2,\"Piano     \",2,1,1,1\r\n"),
      std::string::npos)
      << file;
}

// Each writer, with the name of its file.
struct Writer {
  std::string_view file;
  std::function<MessageCode(ReportChannel&)> write;
};

std::vector<Writer> Writers() {
  return {
      {kSoundGroupsReportFile,
       [](ReportChannel& c) { return WriteSoundGroupsReport(c, CompareSet(), BaseSet()); }},
      {kBanksWorthKeepingReportFile,
       [](ReportChannel& c) { return WriteBanksWorthKeepingReport(c, CompareSet(), BaseSet()); }},
      {kPatchCatalogueFile,
       [](ReportChannel& c) { return WritePatchCatalogue(c, CompareSet(), BaseSet()); }},
  };
}

TEST(CollectionReportsTest, FailuresToOpenOrWriteEndTheReportWithTheirCode) {
  for (const Writer& writer : Writers()) {
    SCOPED_TRACE(std::string(writer.file));
    ReportFixture healthy;
    ASSERT_EQ(writer.write(healthy.channel), kAllIsOk);

    ReportFixture cannot_open;
    cannot_open.files.FailOpen(
        cannot_open.channel.ReportFilePath(ReportFileName(std::string(writer.file))));
    cannot_open.pane.AppendPaneLine("earlier report");
    EXPECT_EQ(writer.write(cannot_open.channel), kTxtFileOpenError);
    EXPECT_EQ(cannot_open.pane.lines, std::vector<std::string>{"earlier report"});
    EXPECT_EQ(cannot_open.pane.clears, 0);

    ReportFixture cannot_write;
    cannot_write.files.FailWritesAfter(100);
    EXPECT_EQ(writer.write(cannot_write.channel), kTxtFileWriteError);
    EXPECT_EQ(cannot_write.files.open_files(), 0);

    ReportFixture cannot_close;
    cannot_close.files.FailClose();
    EXPECT_EQ(writer.write(cannot_close.channel), kTxtFileWriteError);

    // The switches: the pane without the file, the file without the pane.
    ReportFixture pane_only;
    pane_only.channel.set_file_output(false);
    EXPECT_EQ(writer.write(pane_only.channel), kAllIsOk);
    EXPECT_FALSE(pane_only.Created(writer.file));
    EXPECT_EQ(pane_only.pane.lines, healthy.pane.lines);
    ReportFixture file_only;
    file_only.channel.set_screen_display(false);
    file_only.pane.AppendPaneLine("earlier report");
    EXPECT_EQ(writer.write(file_only.channel), kAllIsOk);
    EXPECT_TRUE(file_only.pane.lines.empty()) << "the pane is cleared all the same";
    EXPECT_EQ(file_only.File(writer.file), healthy.File(writer.file));
  }
}

}  // namespace
}  // namespace dravelin
