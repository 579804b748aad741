// Temporary report names: hidden from the bank search, and telling their
// writer back exactly, so that a later run removes no file but its own kind.

#include "report/temporary_report_name.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "banks/bank_directory.h"
#include "gtest/gtest.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

TEST(TemporaryReportNameTest, NameTellsItsWriterAndStaysHiddenBesideItsReport) {
  const std::string long_name = std::string(300, 'n') + ".txt";
  struct Case {
    std::string report;
    std::uint64_t writer;
  };
  const Case cases[] = {
      {"compare.txt", 1},
      {"My.Bank.ins", 4194304},
      {"bank.syx", std::numeric_limits<std::int32_t>::max()},
      // Report names that themselves look like temporary names.
      {".x.txt.12.abcdef.tmp", 77},
      {"9.9.tmp", 3},
      {long_name, 12345},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    for (int round = 0; round < 3; ++round) {
      const fs::path temporary = TemporaryReportPath(fs::path("Compare") / c.report, c.writer);
      EXPECT_EQ(temporary.parent_path(), fs::path("Compare"));
      const std::string name = temporary.filename().string();
      EXPECT_EQ(name.front(), '.');
      EXPECT_FALSE(IsBankFileName(name));
      EXPECT_LE(name.size(), 200u);
      EXPECT_EQ(TemporaryReportWriter(name), c.writer);
    }
  }
}

TEST(TemporaryReportNameTest, OtherNamesHaveNoWriter) {
  const char* const names[] = {
      "x.txt.12.abcdef.tmp",      // not hidden
      ".x.txt.12.abcdef",         // no ".tmp" (the form of earlier versions)
      ".x.txt.12.abcdef.TMP",     // another case
      ".x.txt.12.abcdef.tmp~",    // anything after it
      ".x.txt.12.abcde.tmp",      // five random characters
      ".x.txt.12.abcdefg.tmp",    // seven
      ".x.txt.12.abCdef.tmp",     // a capital among them
      ".x.txt.12.abc-ef.tmp",     // a sign among them
      ".x.txt.12abcdef.tmp",      // no dot before them
      ".x.txt..abcdef.tmp",       // no writer
      ".x.txt.0.abcdef.tmp",      // writer 0
      ".x.txt.012.abcdef.tmp",    // a leading zero
      ".x.txt.1a.abcdef.tmp",     // not a number
      ".x.txt.-12.abcdef.tmp",    // a sign
      ".x.txt.+12.abcdef.tmp",
      ".x.txt.99999999999999999999.abcdef.tmp",  // too large
      "..12.abcdef.tmp",          // no report name
      ".12.abcdef.tmp",
      ".abcdef.tmp",
      ".tmp",
      ".",
      "",
  };
  for (const char* name : names) {
    EXPECT_EQ(TemporaryReportWriter(name), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace dravelin
