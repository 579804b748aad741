// Time of the two listing commands on a full Compare set: 100 banks of 128
// patches, report files written to disk, the pane a sink that drops lines.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/menu_table.h"
#include "report/report_file.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

class NullWindow final : public WindowOperations {
 public:
  void AppendPaneLine(std::string_view line) override { benchmark::DoNotOptimize(line.data()); }
  void ClearPane() override {}
  void ShowStatus(std::string_view text) override { last_status = std::string(text); }
  void MenuItemChanged(MenuItemId) override {}
  std::string CaretLineText() override { return {}; }
  void ShowDetails(std::string_view, std::span<const std::string>) override {}
  std::string last_status;
};

// One loaded Compare set shared by all runs.
struct Fixture {
  Fixture() : app(window, dir.path(), files) {
    for (int i = 0; i < 100; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "Compare/Bank %03d.syx", i);
      dir.WriteFile(name, sysex::BankOfDistinctPatches(128, static_cast<std::uint32_t>(i) * 600));
    }
    app.LoadBankSets();
  }
  testing::TempDir dir;
  NullWindow window;
  DiskReportFileSystem files;
  Application app;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void RunCommand(benchmark::State& state, MenuItemId command) {
  Fixture& fixture = Shared();
  Application& app = fixture.app;
  const bool screen = state.range(0) != 0;
  if (app.channel().screen_display() != screen) app.Click(menu::kControlScreenDisplay);
  if (app.compare_set().size() != 100 || !app.channel().file_output()) {
    state.SkipWithError("the Compare set did not load");
    return;
  }
  for (auto _ : state) {
    app.Click(command);
    if (fixture.window.last_status.rfind("Finished.", 0) != 0) {
      state.SkipWithError(fixture.window.last_status.c_str());
      break;
    }
  }
  state.counters["patches"] = 100 * 128;
}

void BM_CreatePatchNameListFiles(benchmark::State& state) {
  RunCommand(state, menu::kCreatePatchNameFiles);
}
void BM_CreateInstrumentFileSections(benchmark::State& state) {
  RunCommand(state, menu::kCreateInsFiles);
}

BENCHMARK(BM_CreatePatchNameListFiles)
    ->ArgName("screen")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateInstrumentFileSections)
    ->ArgName("screen")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dravelin

BENCHMARK_MAIN();
