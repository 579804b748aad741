// The four comparison reports on a generated corpus of 100 + 100 banks of 128
// patches with realistic sharing, indexed against the plain pairwise method,
// report files written to disk, screen display off. After each run of the
// indexed "Print All Similarities" its report file is copied with cp, the
// measure that report is held against.
//
// The reports over the whole collection ("Print Sound Groups", "Print Banks
// Worth Keeping", "Create Patch Catalogue", "Print Near Twins") on the same
// corpus, both sets taking part, are timed the same way. The first three
// are held against what they cannot do without: loading the sets from
// their bank files on disk (the corpus written out as .syx files and read
// as the program reads them) and writing their bytes (their report file
// copied into a new file after each run); "Print Near Twins", which judges
// sounds against each other, against the indexed "Print All Similarities". Their memory is the peak of
// the heap while they run, per patch, on the whole corpus and on a quarter
// of it: it grows with the patches when the two are alike.
//
// After the benchmarks a summary gives, as medians over the runs, each
// report's indexed and plain time and their ratio, the cp time and the
// ratio of report to cp, each collection report's time against loading
// and copying and its memory, and near twins against all similarities; --compare_summary=FILE writes the same
// figures as JSON.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank_directory.h"
#include "collection/banks_worth_keeping.h"
#include "collection/new_sound_banks.h"
#include "collection/patch_catalogue.h"
#include "collection/sound_groups_report.h"
#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"
#include "report/report_channel.h"
#include "report/report_file.h"
#include "tests/compare/oracle/generated_sets.h"
#include "tests/compare/oracle/literal_reports.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"
#include "twins/near_twins_report.h"

// The heap in use and its peak, counted by the program's operator new and
// delete below (each block carries its size in front of it).
namespace {
std::atomic<std::size_t> g_heap_in_use{0};
std::atomic<std::size_t> g_heap_peak{0};
constexpr std::size_t kSizeHeader = alignof(std::max_align_t);

void* CountedAllocate(std::size_t size) {
  void* block = std::malloc(size + kSizeHeader);
  if (block == nullptr) return nullptr;
  *static_cast<std::size_t*>(block) = size;
  const std::size_t in_use = g_heap_in_use.fetch_add(size, std::memory_order_relaxed) + size;
  std::size_t peak = g_heap_peak.load(std::memory_order_relaxed);
  while (in_use > peak &&
         !g_heap_peak.compare_exchange_weak(peak, in_use, std::memory_order_relaxed)) {
  }
  return static_cast<char*>(block) + kSizeHeader;
}

void CountedFree(void* pointer) {
  if (pointer == nullptr) return;
  void* block = static_cast<char*>(pointer) - kSizeHeader;
  g_heap_in_use.fetch_sub(*static_cast<std::size_t*>(block), std::memory_order_relaxed);
  std::free(block);
}

void* CountedNew(std::size_t size) {
  void* pointer = CountedAllocate(size);
  if (pointer == nullptr) throw std::bad_alloc();
  return pointer;
}
}  // namespace

void* operator new(std::size_t size) { return CountedNew(size); }
void* operator new[](std::size_t size) { return CountedNew(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocate(size);
}
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { CountedFree(pointer); }

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

// Copies `source` within this process into a new file that then replaces
// `target`, as a report file is stored, and returns the time it took in
// milliseconds, or a negative time when it failed. For a small file this is
// the time of writing its bytes; cp would add the start of a process.
double TimeCopy(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::filesystem::path fresh = target;
  fresh += ".new";
  std::error_code error;
  const Clock::time_point start = Clock::now();
  std::filesystem::copy_file(source, fresh, std::filesystem::copy_options::overwrite_existing,
                             error);
  if (!error) std::filesystem::rename(fresh, target, error);
  if (error) return -1;
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

// --- The reports over the whole collection -----------------------------------

enum class Collection {
  kSoundGroups,
  kBanksWorthKeeping,
  kPatchCatalogue,
  kNearTwins,
  kNewSoundBanks
};
constexpr Collection kCollectionReports[] = {
    Collection::kSoundGroups, Collection::kBanksWorthKeeping, Collection::kPatchCatalogue,
    Collection::kNearTwins, Collection::kNewSoundBanks};

ReportInfo InfoOf(Collection report) {
  switch (report) {
    case Collection::kSoundGroups:
      return {"sound_groups", "Print Sound Groups", kSoundGroupsReportFile};
    case Collection::kBanksWorthKeeping:
      return {"banks_worth_keeping", "Print Banks Worth Keeping", kBanksWorthKeepingReportFile};
    case Collection::kNearTwins:
      return {"near_twins", "Print Near Twins", kNearTwinsReportFile};
    case Collection::kNewSoundBanks:
      return {"new_sound_banks", "Build Banks of New Sounds", {}};
    default:
      return {"patch_catalogue", "Create Patch Catalogue", kPatchCatalogueFile};
  }
}

// The file whose copy the report is held against: its report file, or the
// first of the new banks.
ReportFileName CopiedFileOf(Collection report) {
  if (report == Collection::kNewSoundBanks) return NewBankFileName(1, "syx");
  return ReportFileName(std::string(InfoOf(report).file));
}

MessageCode WriteReport(ReportChannel& channel, const BankSet& compare_set, const BankSet& base_set,
                        Collection report) {
  switch (report) {
    case Collection::kSoundGroups:
      return WriteSoundGroupsReport(channel, compare_set, base_set);
    case Collection::kBanksWorthKeeping:
      return WriteBanksWorthKeepingReport(channel, compare_set, base_set);
    case Collection::kNearTwins:
      return WriteNearTwinsReport(channel, compare_set, base_set);
    case Collection::kNewSoundBanks: {
      NewSoundBanks built;
      return WriteNewSoundBanks(channel, compare_set, base_set, &built);
    }
    default:
      return WritePatchCatalogue(channel, compare_set, base_set);
  }
}

// The corpus as bank files on disk, and the sets read back from them.
struct DiskCorpus {
  DiskCorpus() {
    const testing::SetPair& sets = Shared().sets;
    for (const auto& [folder, set] :
         {std::pair{"Compare", &sets.compare_set}, std::pair{"Base", &sets.base_set}}) {
      for (const Bank& bank : *set) {
        sysex::SyxBuilder file;
        for (const Patch& patch : bank.patches) {
          file.Dump(patch.program_number, patch.name, patch.sounds);
        }
        dir.WriteFile(std::string(folder) + "/" + bank.name + ".syx", file.bytes());
      }
    }
    loaded = Load(compare_set, base_set);
  }

  // Reads both folders as the program does; false unless every patch came.
  bool Load(BankSet& compare, BankSet& base) const {
    const testing::SetPair& sets = Shared().sets;
    return ReadBankDirectory(dir.path(), "Compare", compare) == kAllIsOk &&
           ReadBankDirectory(dir.path(), "Base", base) == kAllIsOk &&
           CountPatches(compare) == CountPatches(sets.compare_set) &&
           CountPatches(base) == CountPatches(sets.base_set);
  }

  testing::TempDir dir;
  BankSet compare_set;
  BankSet base_set;
  bool loaded = false;
};

DiskCorpus& SharedDiskCorpus() {
  static DiskCorpus corpus;
  return corpus;
}

void BM_LoadBothSets(benchmark::State& state) {
  const DiskCorpus& corpus = SharedDiskCorpus();
  for (auto _ : state) {
    BankSet compare;
    BankSet base;
    const Clock::time_point start = Clock::now();
    const bool loaded = corpus.Load(compare, base);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!loaded) {
      state.SkipWithError("the corpus did not load whole");
      return;
    }
    state.SetIterationTime(seconds);
    Record("load_both_sets", seconds * 1e3);
  }
}

// The peak of the heap above what it held before, while `report` runs
// over the sets (screen display off, its file written); 0 when it failed.
std::size_t PeakHeapOf(Collection report, const BankSet& compare_set, const BankSet& base_set) {
  Fixture& fixture = Shared();
  ReportChannel channel(fixture.pane, fixture.files, fixture.dir.path());
  channel.set_screen_display(false);
  const std::size_t before = g_heap_in_use.load();
  g_heap_peak.store(before);
  if (WriteReport(channel, compare_set, base_set, report) != kAllIsOk) return 0;
  return g_heap_peak.load() - before;
}

std::map<std::string, double>& Figures() {
  static std::map<std::string, double> figures;
  return figures;
}

void BM_CollectionReport(benchmark::State& state, Collection report) {
  DiskCorpus& corpus = SharedDiskCorpus();
  if (!corpus.loaded) {
    state.SkipWithError("the corpus did not load whole");
    return;
  }
  Fixture& fixture = Shared();
  ReportChannel channel(fixture.pane, fixture.files, fixture.dir.path());
  channel.set_screen_display(false);
  const ReportInfo info = InfoOf(report);
  const std::filesystem::path path = channel.ReportFilePath(CopiedFileOf(report));
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    const MessageCode code = WriteReport(channel, corpus.compare_set, corpus.base_set, report);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (code != kAllIsOk) {
      state.SkipWithError("the report failed");
      return;
    }
    state.SetIterationTime(seconds);
    Record(std::string(info.key) + "/ms", seconds * 1e3);
    state.PauseTiming();
    const double copy_ms = TimeCopy(path, fixture.dir.path() / "copy.txt");
    state.ResumeTiming();
    if (copy_ms < 0) {
      state.SkipWithError("the copy failed");
      return;
    }
    Record(std::string(info.key) + "/copy_ms", copy_ms);
  }
  ReportBytes()[info.key] = std::filesystem::file_size(path);
  state.counters["report_MB"] = static_cast<double>(ReportBytes()[info.key]) / 1e6;

  // Memory: the whole corpus, and a quarter of it made the same way.
  static const testing::SetPair quarter = [] {
    testing::CorpusShape shape;
    shape.banks = 25;
    return testing::MakeRealisticCorpus(2024, shape);
  }();
  const double patches =
      static_cast<double>(CountPatches(corpus.compare_set) + CountPatches(corpus.base_set));
  const double quarter_patches =
      static_cast<double>(CountPatches(quarter.compare_set) + CountPatches(quarter.base_set));
  const std::size_t peak = PeakHeapOf(report, corpus.compare_set, corpus.base_set);
  const std::size_t quarter_peak = PeakHeapOf(report, quarter.compare_set, quarter.base_set);
  if (peak == 0 || quarter_peak == 0) {
    state.SkipWithError("the report failed");
    return;
  }
  const double per_patch = static_cast<double>(peak) / patches;
  const double quarter_per_patch = static_cast<double>(quarter_peak) / quarter_patches;
  Figures()[std::string(info.key) + "/peak_bytes_per_patch"] = per_patch;
  Figures()[std::string(info.key) + "/quarter_peak_bytes_per_patch"] = quarter_per_patch;
  state.counters["peak_bytes_per_patch"] = per_patch;
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
  benchmark::RegisterBenchmark("load_both_sets", BM_LoadBothSets)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(11);
  for (Collection report : kCollectionReports) {
    benchmark::RegisterBenchmark(InfoOf(report).key, BM_CollectionReport, report)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(11);
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
                 "  \"all_similarities_over_cp\": %.2f,\n",
                 cp_ms, over_cp);
  } else {
    std::fprintf(out, "%-30s %12.2f\n", "cp of compare.txt (ms)", cp_ms);
    std::fprintf(out, "%-30s %12.2f\n", "All Similarities / cp", over_cp);
  }

  // The collection reports against loading both sets and copying their
  // file, and their heap per patch on the whole corpus and on a quarter.
  const double load_ms = MedianMs("load_both_sets");
  if (json) {
    std::fprintf(out, "  \"load_both_sets_ms\": %.2f,\n  \"collection\": {\n", load_ms);
  } else {
    std::fprintf(out, "\n%-30s %12.2f\n", "load both sets (ms)", load_ms);
    std::fprintf(out, "%-30s %12s %12s %12s %12s %12s %10s\n", "report", "ms", "copy ms",
                 "/(load+copy)", "report MB", "B/patch", "quarter");
  }
  first = true;
  for (Collection report : kCollectionReports) {
    const ReportInfo info = InfoOf(report);
    const std::string key = info.key;
    const double ms = MedianMs(key + "/ms");
    const double copy_ms = MedianMs(key + "/copy_ms");
    const double ratio = ms / (load_ms + copy_ms);
    const double megabytes = static_cast<double>(ReportBytes()[info.key]) / 1e6;
    const double per_patch = Figures()[key + "/peak_bytes_per_patch"];
    const double quarter_per_patch = Figures()[key + "/quarter_peak_bytes_per_patch"];
    if (json) {
      std::fprintf(out,
                   "%s    \"%s\": {\"ms\": %.2f, \"copy_ms\": %.2f, "
                   "\"over_load_and_copy\": %.2f, \"report_mb\": %.2f, "
                   "\"peak_bytes_per_patch\": %.0f, \"quarter_peak_bytes_per_patch\": %.0f}",
                   first ? "" : ",\n", info.key, ms, copy_ms, ratio, megabytes, per_patch,
                   quarter_per_patch);
    } else {
      std::fprintf(out, "%-30s %12.2f %12.2f %12.2f %12.2f %12.0f %10.0f\n", info.caption, ms,
                   copy_ms, ratio, megabytes, per_patch, quarter_per_patch);
    }
    first = false;
  }
  const double all_similarities = MedianMs(std::string(InfoOf(Report::kAllSimilarities).key) +
                                           "/indexed");
  const double near_twins = MedianMs(std::string(InfoOf(Collection::kNearTwins).key) + "/ms");
  const double twins_ratio = all_similarities > 0 ? near_twins / all_similarities : 0;
  if (json) {
    std::fprintf(out, "\n  },\n  \"near_twins_over_all_similarities\": %.2f\n}\n", twins_ratio);
  } else {
    std::fprintf(out, "%-30s %12.2f\n", "Near Twins / All Similarities", twins_ratio);
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
