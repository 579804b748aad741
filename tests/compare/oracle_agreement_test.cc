// The indexed reports against the plain pairwise ones: the same bytes in the
// file and the same lines in the pane, for hundreds of generated sets in
// which names and sounds collide, and for the real bank files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "banks/bank_directory.h"
#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"
#include "report/report_channel.h"
#include "tests/compare/oracle/generated_sets.h"
#include "tests/compare/oracle/literal_reports.h"
#include "tests/compare/report_fixture.h"
#include "tests/support/fake_report_files.h"

namespace dravelin {
namespace {

using testing::FakeReportFiles;
using testing::LinePane;
using testing::SetPair;

struct Output {
  MessageCode code;
  std::string file;
  std::vector<std::string> pane;
};

using Driver = std::function<MessageCode(ReportChannel&)>;

Output RunReport(const Driver& driver, const ReportFileName& file_name) {
  LinePane pane;
  FakeReportFiles files;
  ReportChannel channel(pane, files, "/w");
  Output out;
  out.code = driver(channel);
  out.file = files.Contents(channel.ReportFilePath(file_name));
  out.pane = std::move(pane.lines);
  return out;
}

// Empty when the texts are equal; otherwise where they first part, so that a
// failure shows one line rather than a diff of megabytes.
std::string FirstDifference(std::string_view indexed, std::string_view literal) {
  if (indexed == literal) return {};
  const auto [at, unused] =
      std::mismatch(indexed.begin(), indexed.end(), literal.begin(), literal.end());
  const std::size_t offset = static_cast<std::size_t>(at - indexed.begin());
  const std::size_t line_start = indexed.rfind('\n', offset == 0 ? 0 : offset - 1);
  const std::size_t from = line_start == std::string_view::npos ? 0 : line_start + 1;
  const auto line_at = [from](std::string_view text) {
    return std::string(text.substr(from, text.find('\n', from) - from));
  };
  return "line " + std::to_string(std::count(indexed.begin(), indexed.begin() + from, '\n') + 1) +
         ": indexed [" + line_at(indexed) + "] literal [" + line_at(literal) + "]";
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

void ExpectSameOutput(const Output& indexed, const Output& literal) {
  ASSERT_EQ(indexed.code, literal.code);
  ASSERT_EQ(FirstDifference(indexed.file, literal.file), "") << "in the file";
  ASSERT_EQ(FirstDifference(Joined(indexed.pane), Joined(literal.pane)), "") << "in the pane";
}

// The four reports, each as (indexed, literal, file).
struct ReportPair {
  const char* name;
  Driver indexed;
  Driver literal;
  ReportFileName file;
};

std::vector<ReportPair> AllReports(const SetPair& sets) {
  std::vector<ReportPair> reports;
  for (WithinCompareKind kind :
       {WithinCompareKind::kAllSimilarities, WithinCompareKind::kOnlyIdentities}) {
    reports.push_back(
        {kind == WithinCompareKind::kAllSimilarities ? "all similarities" : "only identities",
         [&sets, kind](ReportChannel& c) {
           return WriteWithinCompareReport(c, sets.compare_set, kind);
         },
         [&sets, kind](ReportChannel& c) {
           return testing::LiteralWithinCompareReport(c, sets.compare_set, kind);
         },
         WithinCompareReportFile(kind)});
  }
  for (AgainstBaseKind kind : {AgainstBaseKind::kUniqueOnly, AgainstBaseKind::kIdenticalOnly}) {
    reports.push_back({kind == AgainstBaseKind::kUniqueOnly ? "unique only" : "identical only",
                       [&sets, kind](ReportChannel& c) {
                         return WriteAgainstBaseReport(c, sets.compare_set, sets.base_set, kind);
                       },
                       [&sets, kind](ReportChannel& c) {
                         return testing::LiteralAgainstBaseReport(c, sets.compare_set,
                                                                  sets.base_set, kind);
                       },
                       AgainstBaseReportFile(kind)});
  }
  return reports;
}

// Counts what the generated sets exercised, so that a generator gone bland
// (no collisions, no copies) fails the test instead of passing it vacuously.
struct Coverage {
  int identical_lines = 0;
  int sounds_identical_lines = 0;
  int similar_lines = 0;
  int name_details = 0;
  int only_one_patch = 0;
  int unique_listed = 0;
  int identical_listed = 0;
};

void Tally(const ReportFileName& file_name, const std::string& file, Coverage& coverage) {
  std::size_t at = 0;
  while (at < file.size()) {
    const std::size_t end = file.find("\r\n", at);
    const std::string_view line(file.data() + at, end - at);
    if (line.find("\" is IDENTICAL to \"") != std::string_view::npos) ++coverage.identical_lines;
    if (line.find("\" has sounds IDENTICAL to \"") != std::string_view::npos) {
      ++coverage.sounds_identical_lines;
    }
    if (line.find("\" is similar to \"") != std::string_view::npos) ++coverage.similar_lines;
    if (line == "  Name is IDENTICAL") ++coverage.name_details;
    if (!line.empty() && line[0] == '"') {
      if (file_name.file() == kUniqueReportFile) ++coverage.unique_listed;
      if (file_name.file() == kIdenticalReportFile) ++coverage.identical_listed;
    }
    at = end + 2;
  }
}

TEST(OracleAgreementTest, GeneratedCollidingSetsGiveTheSameBytes) {
  constexpr int kSets = 400;
  Coverage coverage;
  for (std::uint32_t seed = 1; seed <= kSets; ++seed) {
    const SetPair sets = testing::MakeCollidingSets(seed);
    for (const ReportPair& report : AllReports(sets)) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << report.name);
      const Output indexed = RunReport(report.indexed, report.file);
      const Output literal = RunReport(report.literal, report.file);
      ExpectSameOutput(indexed, literal);
      if (HasFatalFailure()) return;
      if (indexed.code == kOnlyOnePatch) ++coverage.only_one_patch;
      Tally(report.file, indexed.file, coverage);
    }
  }
  EXPECT_GT(coverage.identical_lines, kSets);
  EXPECT_GT(coverage.sounds_identical_lines, kSets);
  EXPECT_GT(coverage.similar_lines, kSets);
  EXPECT_GT(coverage.name_details, kSets);
  EXPECT_GT(coverage.only_one_patch, 0);
  EXPECT_GT(coverage.unique_listed, kSets);
  EXPECT_GT(coverage.identical_listed, kSets);
}

TEST(OracleAgreementTest, SmallRealisticCorpusGivesTheSameBytes) {
  testing::CorpusShape shape;
  shape.banks = 6;
  shape.patches_per_bank = 40;
  shape.filler_share = 0.2;
  shape.hot_share = 0.05;
  shape.base_from_compare = 0.3;
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    const SetPair sets = testing::MakeRealisticCorpus(seed, shape);
    for (const ReportPair& report : AllReports(sets)) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << report.name);
      const Output indexed = RunReport(report.indexed, report.file);
      const Output literal = RunReport(report.literal, report.file);
      ASSERT_EQ(indexed.code, kAllIsOk);
      ExpectSameOutput(indexed, literal);
      if (HasFatalFailure()) return;
    }
  }
}

// A share of the real banks as the Compare set and the rest as the Base set:
// real names ("Init Prog "), the real filler block and real copies.
TEST(OracleAgreementTest, RealBankFilesGiveTheSameBytes) {
  const std::filesystem::path root = DRAVELIN_QS_BANKS;
  if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "no real bank files at " << root;
  SetPair sets;
  for (const char* folder : {"alesis-qcards/Z4-VINTAGEKEYS", "synthzone-qs8", "alesis-factory"}) {
    ASSERT_EQ(ReadBankDirectory(root, folder, sets.compare_set), kAllIsOk) << folder;
  }
  for (const char* folder : {"alesis-expando", "alesis-qcards/Z6-GRANDPIANOPLUS"}) {
    ASSERT_EQ(ReadBankDirectory(root, folder, sets.base_set), kAllIsOk) << folder;
  }
  // Keep the literal run short: about 1400 patches against each other.
  sets.compare_set.resize(11);
  for (const ReportPair& report : AllReports(sets)) {
    SCOPED_TRACE(report.name);
    const Output indexed = RunReport(report.indexed, report.file);
    const Output literal = RunReport(report.literal, report.file);
    ASSERT_EQ(indexed.code, kAllIsOk);
    ExpectSameOutput(indexed, literal);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace dravelin
