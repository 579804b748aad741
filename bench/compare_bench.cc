// The four comparison reports on a generated corpus of 100 + 100 banks of 128
// patches with realistic sharing, indexed against the plain pairwise method,
// report files written to disk, screen display off. After each run of the
// indexed "Print All Similarities" its report file is copied with cp, the
// measure that report is held against.
//
// After the benchmarks a summary gives, as medians over the runs, each
// report's indexed and plain time and their ratio, the cp time and the
// ratio of report to cp; --compare_summary=FILE writes the same figures as
// JSON.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"
#include "report/report_channel.h"
#include "report/report_file.h"
#include "tests/compare/oracle/generated_sets.h"
#include "tests/compare/oracle/literal_reports.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using Clock = std::chrono::steady_clock;

class DroppingPane final : public Pane {
 public:
  void AppendPaneLine(std::string_view line) override { benchmark::DoNotOptimize(line.data()); }
  void ClearPane() override {}
};

struct Fixture {
  Fixture() : sets(testing::MakeRealisticCorpus(2024)) {
    std::filesystem::create_directory(dir.path() / "Compare");
  }
  testing::SetPair sets;
  testing::TempDir dir;
  DroppingPane pane;
  DiskReportFileSystem files;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// Every time measured, in milliseconds, by name; the summary takes medians.
std::map<std::string, std::vector<double>>& TimesMs() {
  static std::map<std::string, std::vector<double>> times;
  return times;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianMs(const std::string& name) {
  const auto it = TimesMs().find(name);
  return it == TimesMs().end() ? 0.0 : Median(it->second);
}
std::map<std::string, std::uintmax_t>& ReportBytes() {
  static std::map<std::string, std::uintmax_t> bytes;
  return bytes;
}
std::map<std::string, std::size_t>& VerdictBlocks() {
  static std::map<std::string, std::size_t> blocks;
  return blocks;
}

enum class Report { kAllSimilarities, kOnlyIdentities, kUniqueOnly, kIdenticalOnly };

struct ReportInfo {
  const char* key;
  const char* caption;
  std::string_view file;
};

ReportInfo InfoOf(Report report) {
  switch (report) {
    case Report::kAllSimilarities:
      return {"all_similarities", "Print All Similarities", kCompareReportFile};
    case Report::kOnlyIdentities:
      return {"only_identities", "Print Only Identities", kIdentityReportFile};
    case Report::kUniqueOnly:
      return {"unique_only", "Print Unique Patches Only", kUniqueReportFile};
    default:
      return {"identical_only", "Print Identical Patches Only", kIdenticalReportFile};
  }
}

MessageCode WriteReport(ReportChannel& channel, const testing::SetPair& sets, Report report,
                        bool literal) {
  switch (report) {
    case Report::kAllSimilarities:
    case Report::kOnlyIdentities: {
      const WithinCompareKind kind = report == Report::kAllSimilarities
                                         ? WithinCompareKind::kAllSimilarities
                                         : WithinCompareKind::kOnlyIdentities;
      return literal ? testing::LiteralWithinCompareReport(channel, sets.compare_set, kind)
                     : WriteWithinCompareReport(channel, sets.compare_set, kind);
    }
    default: {
      const AgainstBaseKind kind = report == Report::kUniqueOnly ? AgainstBaseKind::kUniqueOnly
                                                                 : AgainstBaseKind::kIdenticalOnly;
      return literal
                 ? testing::LiteralAgainstBaseReport(channel, sets.compare_set, sets.base_set, kind)
                 : WriteAgainstBaseReport(channel, sets.compare_set, sets.base_set, kind);
    }
  }
}

// Every verdict block ends with an empty line, and nothing else writes one.
std::size_t CountVerdictBlocks(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  std::size_t count = 0;
  std::vector<char> buffer(1 << 20);
  char last[3] = {0, 0, 0};  // the three bytes before the current chunk
  std::size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
    std::string window(last, 3);
    window.append(buffer.data(), got);
    for (std::size_t at = window.find("\r\n\r\n"); at != std::string::npos;
         at = window.find("\r\n\r\n", at + 2)) {
      ++count;
    }
    for (int k = 0; k < 3; ++k) last[k] = window[window.size() - 3 + static_cast<std::size_t>(k)];
  }
  std::fclose(file);
  return count;
}

void Record(const std::string& name, double ms) { TimesMs()[name].push_back(ms); }

// Copies `source` with cp and returns the time it took in milliseconds, or a
// negative time when cp failed. Like a report file, the copy is written as a
// new file that then replaces the earlier copy (mv), so that both pay for
// the same work of the file system.
double TimeCp(const std::filesystem::path& source, const std::filesystem::path& target) {
  const std::string fresh = target.string() + ".new";
  const std::string command = "cp '" + source.string() + "' '" + fresh + "' && mv -f '" + fresh +
                              "' '" + target.string() + "'";
  const Clock::time_point start = Clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_Report(benchmark::State& state, Report report, bool literal) {
  Fixture& fixture = Shared();
  ReportChannel channel(fixture.pane, fixture.files, fixture.dir.path());
  channel.set_screen_display(false);
  const ReportInfo info = InfoOf(report);
  const std::string name = std::string(info.key) + (literal ? "/literal" : "/indexed");
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    const MessageCode code = WriteReport(channel, fixture.sets, report, literal);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (code != kAllIsOk) {
      state.SkipWithError("the report failed");
      return;
    }
    state.SetIterationTime(seconds);
    Record(name, seconds * 1e3);
    if (report == Report::kAllSimilarities && !literal) {
      // Copying the report file just written, under the same conditions of
      // the file system: the measure that the report is held against.
      state.PauseTiming();
      const double cp_ms = TimeCp(channel.ReportFilePath(ReportFileName(std::string(info.file))),
                                  fixture.dir.path() / "copy.txt");
      state.ResumeTiming();
      if (cp_ms < 0) {
        state.SkipWithError("cp failed");
        return;
      }
      Record("cp_compare_report", cp_ms);
      Record("all_similarities_over_cp", seconds * 1e3 / cp_ms);
    }
  }
  const std::filesystem::path path = channel.ReportFilePath(ReportFileName(std::string(info.file)));
  const std::uintmax_t bytes = std::filesystem::file_size(path);
  ReportBytes()[info.key] = bytes;
  state.counters["report_MB"] = static_cast<double>(bytes) / 1e6;
  if (report == Report::kAllSimilarities || report == Report::kOnlyIdentities) {
    VerdictBlocks()[info.key] = CountVerdictBlocks(path);
    state.counters["verdict_blocks"] = static_cast<double>(VerdictBlocks()[info.key]);
  }
}

void RegisterAll() {
  constexpr Report kReports[] = {Report::kAllSimilarities, Report::kOnlyIdentities,
                                 Report::kUniqueOnly, Report::kIdenticalOnly};
  for (Report report : kReports) {
    const std::string key = InfoOf(report).key;
    benchmark::RegisterBenchmark((key + "/indexed").c_str(), BM_Report, report, false)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(11);
    benchmark::RegisterBenchmark((key + "/literal").c_str(), BM_Report, report, true)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
}

void PrintSummary(std::FILE* out, bool json) {
  constexpr Report kReports[] = {Report::kAllSimilarities, Report::kOnlyIdentities,
                                 Report::kUniqueOnly, Report::kIdenticalOnly};
  const double cp_ms = MedianMs("cp_compare_report");
  const Fixture& fixture = Shared();
  if (json) {
    std::fprintf(out, "{\n  \"compare_patches\": %zu,\n  \"base_patches\": %zu,\n",
                 CountPatches(fixture.sets.compare_set), CountPatches(fixture.sets.base_set));
    std::fprintf(out, "  \"reports\": {\n");
  } else {
    std::fprintf(out, "\n%-30s %12s %12s %10s %12s\n", "report", "indexed ms", "literal ms",
                 "ratio", "report MB");
  }
  bool first = true;
  for (Report report : kReports) {
    const ReportInfo info = InfoOf(report);
    const double indexed = MedianMs(std::string(info.key) + "/indexed");
    const double literal = MedianMs(std::string(info.key) + "/literal");
    const double ratio = indexed > 0 ? literal / indexed : 0;
    const double megabytes = static_cast<double>(ReportBytes()[info.key]) / 1e6;
    if (json) {
      std::fprintf(out,
                   "%s    \"%s\": {\"indexed_ms\": %.2f, \"literal_ms\": %.1f, "
                   "\"literal_over_indexed\": %.1f, \"report_mb\": %.2f",
                   first ? "" : ",\n", info.key, indexed, literal, ratio, megabytes);
      const auto blocks = VerdictBlocks().find(info.key);
      if (blocks != VerdictBlocks().end()) {
        std::fprintf(out, ", \"verdict_blocks\": %zu", blocks->second);
      }
      std::fprintf(out, "}");
    } else {
      std::fprintf(out, "%-30s %12.2f %12.1f %10.1f %12.2f\n", info.caption, indexed, literal,
                   ratio, megabytes);
    }
    first = false;
  }
  const double over_cp = MedianMs("all_similarities_over_cp");
  if (json) {
    std::fprintf(out,
                 "\n  },\n  \"cp_compare_report_ms\": %.2f,\n"
                 "  \"all_similarities_over_cp\": %.2f\n}\n",
                 cp_ms, over_cp);
  } else {
    std::fprintf(out, "%-30s %12.2f\n", "cp of compare.txt (ms)", cp_ms);
    std::fprintf(out, "%-30s %12.2f\n", "All Similarities / cp", over_cp);
  }
}

}  // namespace
}  // namespace dravelin

int main(int argc, char** argv) {
  std::string summary_path;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    constexpr std::string_view kSummary = "--compare_summary=";
    if (arg.substr(0, kSummary.size()) == kSummary) {
      summary_path = std::string(arg.substr(kSummary.size()));
    } else {
      args.push_back(argv[i]);
    }
  }
  int arg_count = static_cast<int>(args.size());
  benchmark::Initialize(&arg_count, args.data());
  if (benchmark::ReportUnrecognizedArguments(arg_count, args.data())) return 1;
  dravelin::RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  dravelin::PrintSummary(stdout, false);
  if (!summary_path.empty()) {
    std::FILE* file = std::fopen(summary_path.c_str(), "w");
    if (file == nullptr) {
      std::fprintf(stderr, "cannot write %s\n", summary_path.c_str());
      return 1;
    }
    dravelin::PrintSummary(file, true);
    std::fclose(file);
  }
  return 0;
}
