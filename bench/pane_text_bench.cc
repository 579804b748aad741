// The pane's line store with a report as long as "Print All Similarities"
// over 43 real banks: 1,832,103 lines of about 34 bytes (verdict lines,
// sound lines and empty lines in the report's proportions). Figures: the
// time to append the whole report (line by line, and in the CR LF batches a
// report hands over), the time to the first screenful after
// it (which builds the row index), a screenful at the end and in the middle
// once the index stands, a keystroke at the top, copying the whole text, and
// memory as bytes of the store (and of resident memory) per byte of report
// text.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "base/line_decoding.h"
#include "pane/pane_text.h"

namespace dravelin {
namespace {

constexpr std::size_t kReportLines = 1'832'103;
constexpr std::size_t kWidth = 90;  // characters across the designed pane
constexpr std::size_t kScreenRows = 38;

// Line `i` of a report shaped like the real one: per ten lines two verdict
// lines of 69 characters, six sound lines of 33 and two empty lines.
std::string ReportLine(std::size_t i) {
  char line[96];
  switch (i % 10) {
    case 0:
    case 5:
      std::snprintf(
          line, sizeof line,
          "\"Z4PRE%03zu [%03zu:Hot Roads ]\" is similar to \"Z4EXTRA1 [%03zu:Hot Roads3]\"",
          i / 10 % 1000, i % 128, (i / 3) % 128);
      return std::string(line, 69);
    case 4:
    case 9:
      return {};
    default:
      std::snprintf(line, sizeof line, "  Sound %zu is IDENTICAL to sound %zu", i % 4, (i / 4) % 4);
      return line;
  }
}

// The whole report in one buffer, as the report writer hands lines over
// while its own data are hot in the cache.
struct Report {
  std::string bytes;
  std::vector<std::size_t> ends;
  std::string_view Line(std::size_t i) const {
    const std::size_t start = i == 0 ? 0 : ends[i - 1];
    return std::string_view(bytes).substr(start, ends[i] - start);
  }
};

const Report& TheReport() {
  static const Report report = [] {
    Report made;
    made.ends.reserve(kReportLines);
    for (std::size_t i = 0; i < kReportLines; ++i) {
      made.bytes += ReportLine(i);
      made.ends.push_back(made.bytes.size());
    }
    return made;
  }();
  return report;
}

// The same report as it reaches a pane: in batches of about 8 MB, each line
// followed by CR LF, with the offset where each line ends.
struct Batch {
  std::string bytes;
  std::vector<std::size_t> ends;
};
constexpr std::size_t kBatchBytes = std::size_t{8} << 20;

const std::vector<Batch>& TheBatches() {
  static const std::vector<Batch> batches = [] {
    const Report& report = TheReport();
    std::vector<Batch> made(1);
    for (std::size_t i = 0; i < kReportLines; ++i) {
      if (made.back().bytes.size() >= kBatchBytes) made.emplace_back();
      Batch& batch = made.back();
      batch.bytes += report.Line(i);
      batch.ends.push_back(batch.bytes.size());
      batch.bytes += "\r\n";
    }
    return made;
  }();
  return batches;
}

std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0;
  std::size_t resident = 0;
  statm >> size >> resident;
  return resident * 4096;
}

// Decodes the rows of one screenful from `first_row`, as a view paints them.
std::size_t PaintScreen(const PaneText& text, std::size_t first_row, std::size_t width = kWidth) {
  std::size_t units = 0;
  for (std::size_t r = first_row; r < first_row + kScreenRows; ++r) {
    const PaneRow row = text.RowAt(width, r);
    const std::u16string shown = DecodeLineUtf16(text.Line(row.line));
    units += std::min(shown.size() - std::min(shown.size(), row.column), row.columns);
  }
  return units;
}

// Each run starts from memory fresh from the system, as the first report of
// a session does: the time includes the page faults of filling it. `append`
// fills the text with the whole report.
template <typename Append>
void AppendReport(benchmark::State& state, Append append) {
  std::size_t text_bytes = 0;
  double store_ratio = 0;
  double resident_ratio = 0;
  for (auto _ : state) {
    state.PauseTiming();
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    const std::size_t resident_before = ResidentBytes();
    state.ResumeTiming();
    {
      PaneText text;
      append(text);
      benchmark::DoNotOptimize(text.line_count());
      state.PauseTiming();
      text_bytes = text.text_bytes();
      store_ratio = static_cast<double>(text.MemoryBytes()) / static_cast<double>(text_bytes);
      resident_ratio =
          std::max(resident_ratio, static_cast<double>(ResidentBytes() - resident_before) /
                                       static_cast<double>(text_bytes));
    }
    state.ResumeTiming();
  }
  state.counters["lines"] = static_cast<double>(kReportLines);
  state.counters["text_MB"] = static_cast<double>(text_bytes) / 1e6;
  // Heap bytes of the store, and growth of resident memory, per byte of text.
  state.counters["store_per_text_byte"] = store_ratio;
  state.counters["resident_per_text_byte"] = resident_ratio;
}

// Line by line, as help texts and single report lines come.
void BM_AppendReport(benchmark::State& state) {
  const Report& report = TheReport();
  AppendReport(state, [&](PaneText& text) {
    for (std::size_t i = 0; i < kReportLines; ++i) text.AppendLine(report.Line(i));
  });
}
BENCHMARK(BM_AppendReport)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// In the report's batches, as the window and the page take a long report.
void BM_AppendReportInBatches(benchmark::State& state) {
  const std::vector<Batch>& batches = TheBatches();
  AppendReport(state, [&](PaneText& text) {
    for (const Batch& batch : batches) text.AppendLines(batch.bytes, batch.ends, 2);
  });
}
BENCHMARK(BM_AppendReportInBatches)->Unit(benchmark::kMillisecond)->MinTime(1.0);

PaneText& FilledText() {
  static PaneText* text = [] {
    auto* filled = new PaneText;
    const Report& report = TheReport();
    for (std::size_t i = 0; i < kReportLines; ++i) filled->AppendLine(report.Line(i));
    return filled;
  }();
  return *text;
}

// The first paint after the report: the row index is built for the width.
void BM_FirstScreenAtEnd(benchmark::State& state) {
  PaneText& text = FilledText();
  std::size_t width = kWidth;
  for (auto _ : state) {
    // Another width each time, so that the index is built anew.
    width = width == kWidth ? kWidth + 1 : kWidth;
    benchmark::DoNotOptimize(PaintScreen(text, text.RowCount(width) - kScreenRows, width));
  }
}
BENCHMARK(BM_FirstScreenAtEnd)->Unit(benchmark::kMillisecond);

void BM_ScreenAtEnd(benchmark::State& state) {
  const PaneText& text = FilledText();
  const std::size_t first_row = text.RowCount(kWidth) - kScreenRows;
  for (auto _ : state) benchmark::DoNotOptimize(PaintScreen(text, first_row));
}
BENCHMARK(BM_ScreenAtEnd)->Unit(benchmark::kMicrosecond);

void BM_ScreenInTheMiddle(benchmark::State& state) {
  const PaneText& text = FilledText();
  const std::size_t first_row = text.RowCount(kWidth) / 2;
  for (auto _ : state) benchmark::DoNotOptimize(PaintScreen(text, first_row));
}
BENCHMARK(BM_ScreenInTheMiddle)->Unit(benchmark::kMicrosecond);

// A key typed at the top of the report, and the screen at the top painted:
// the row index is counted again from the edited line on.
void BM_KeystrokeAtTop(benchmark::State& state) {
  PaneText& text = FilledText();
  PanePosition caret{1, 0};
  for (auto _ : state) {
    caret = text.Insert(caret, "x");
    benchmark::DoNotOptimize(text.RowCount(kWidth));
    benchmark::DoNotOptimize(PaintScreen(text, 0));
  }
  while (text.Undo()) {
  }
}
BENCHMARK(BM_KeystrokeAtTop)->Unit(benchmark::kMillisecond);

// Ctrl+A then Ctrl+C: the whole pane as UTF-16 for the clipboard.
void BM_CopyAll(benchmark::State& state) {
  const PaneText& text = FilledText();
  for (auto _ : state) benchmark::DoNotOptimize(text.TextUtf16(text.All()).size());
}
BENCHMARK(BM_CopyAll)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dravelin

BENCHMARK_MAIN();
