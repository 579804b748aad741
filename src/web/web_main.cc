// The core of the browser page, compiled to WebAssembly and run in a Web
// Worker. The worker's script (page/worker.js) puts the chosen folders' files
// below kWorkingDir as "Compare" and "Base" and calls the functions of
// page_protocol.h; everything the program shows is posted to the page as the
// messages of page/protocol.js.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "banks/bank.h"
#include "base/line_decoding.h"
#include "pane/pane_model.h"
#include "web/page_json.h"
#include "web/page_protocol.h"
#include "web/web_window.h"
#include "web/worker_pane.h"

namespace {

constexpr const char* kWorkingDir = "/work";

// Each takes the address and length of bytes (or UTF-16 text) in the
// module's memory and posts a copy of them.
EM_JS(void, PostStatus, (const char16_t* text, std::size_t size),
      { dravelinPost(DravelinProtocol.toPage.status(dravelinUtf16(text, size))); });
EM_JS(void, PostItem, (int item, const char16_t* caption, std::size_t size, int enabled), {
  dravelinPost(DravelinProtocol.toPage.item(item, dravelinUtf16(caption, size), enabled != 0));
});
EM_JS(void, PostFileClosed, (const char* name, std::size_t size),
      { dravelinFileClosed(HEAPU8.slice(name, name + size)); });
// A closed report file: its name, and `count` pieces of bytes whose
// addresses and lengths alternate in `pieces`. The worker's script makes a
// Blob of them at once (which copies them), so they may be freed afterwards.
EM_JS(void, PostFileBytes, (const char* name, std::size_t size, const char16_t* shown,
                            std::size_t shown_size, const std::uint32_t* pieces,
                            std::size_t count),
      {
        const parts = [];
        for (let i = 0; i < count; ++i) {
          const at = HEAPU32[(pieces >> 2) + 2 * i];
          parts.push(HEAPU8.subarray(at, at + HEAPU32[(pieces >> 2) + 2 * i + 1]));
        }
        dravelinFileBytes(HEAPU8.slice(name, name + size), dravelinUtf16(shown, shown_size),
                          parts);
      });
EM_JS(void, PostMenu, (const char* json, std::size_t size),
      { dravelinPost(DravelinProtocol.toPage.menu(JSON.parse(UTF8ToString(json, size)))); });
EM_JS(void, PostAssignment, (const char* json, std::size_t size), {
  dravelinPost(DravelinProtocol.toPage.assignment(JSON.parse(UTF8ToString(json, size))));
});
EM_JS(void, PostAssignmentRefused, (const char16_t* text, std::size_t size),
      { dravelinPost(DravelinProtocol.toPage.assignmentRefused(dravelinUtf16(text, size))); });

// The core's texts (status line, captions, file names) as the pane shows
// its lines.
std::u16string Shown(std::string_view bytes) { return dravelin::DecodeLineUtf16(bytes); }

class WorkerBridge final : public dravelin::PageBridge {
 public:
  // The lines go straight into the pane, which then shows the output's end.
  void PaneLines(std::string_view bytes, std::span<const std::size_t> ends,
                 std::size_t separator) override {
    dravelin::PaneModel& pane = dravelin::WorkerPane();
    pane.AppendLines(bytes, ends, separator);
    pane.ShowOutputEnd();
  }
  void PaneCleared() override { dravelin::WorkerPane().Clear(); }
  void StatusShown(std::string_view text) override {
    const std::u16string shown = Shown(text);
    PostStatus(shown.data(), shown.size());
  }
  void ItemChanged(dravelin::MenuItemId item, std::string_view caption, bool enabled) override {
    const std::u16string shown = Shown(caption);
    PostItem(static_cast<int>(dravelin::IndexOf(item)), shown.data(), shown.size(),
             enabled ? 1 : 0);
  }
  void FileClosed(std::string_view name) override { PostFileClosed(name.data(), name.size()); }
};

struct Core {
  WorkerBridge bridge;
  dravelin::WebWindow window{bridge};
  dravelin::WebReportFileSystem files{
      bridge, std::filesystem::path(kWorkingDir) / std::string(dravelin::kReportFolder)};
  dravelin::Application application{window, kWorkingDir, files};
};

Core* core = nullptr;


}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void dravelin_init() {
  if (core != nullptr) return;
  core = new Core();
  core->window.Attach(&core->application);
  const std::string json = dravelin::MenuJson(core->application);
  PostMenu(json.data(), json.size());
}

EMSCRIPTEN_KEEPALIVE void dravelin_load() {
  static bool first_load = true;
  // Outside a command, whose handler would end it with code 2, a pane out
  // of memory is reported here.
  try {
    core->application.FormClose();
    core->application.LoadBankSets();
    if (first_load && dravelin::CountPatches(core->application.compare_set()) == 0) {
      core->window.ShowStartHint();
    }
  } catch (const std::bad_alloc&) {
    core->window.ReportPaneOutOfMemory();
  }
  first_load = false;
}

EMSCRIPTEN_KEEPALIVE void dravelin_click(int item) {
  if (item < 0 || item >= static_cast<int>(dravelin::kMenuItemCount)) return;
  core->application.Click(dravelin::MenuItemId{static_cast<std::uint8_t>(item)});
}

EMSCRIPTEN_KEEPALIVE void dravelin_offer_assignment() {
  const std::string json = dravelin::AssignmentDialogJson(core->application.OfferAssignment());
  PostAssignment(json.data(), json.size());
}

EMSCRIPTEN_KEEPALIVE int dravelin_confirm_assignment(const int* chosen, std::size_t count) {
  const std::string refusal =
      core->application.ConfirmAssignment(std::span<const int>(chosen, count));
  if (refusal.empty()) return 1;
  const std::u16string shown = Shown(refusal);
  PostAssignmentRefused(shown.data(), shown.size());
  return 0;
}

EMSCRIPTEN_KEEPALIVE void dravelin_hand_over_files() {
  for (const dravelin::ClosedReportFile& file : core->files.TakeClosedFiles()) {
    std::vector<std::uint32_t> pieces;
    for (const std::string& part : file.parts) {
      pieces.push_back(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(part.data())));
      pieces.push_back(static_cast<std::uint32_t>(part.size()));
    }
    const std::u16string shown = Shown(file.name);
    PostFileBytes(file.name.data(), file.name.size(), shown.data(), shown.size(), pieces.data(),
                  file.parts.size());
  }
}

EMSCRIPTEN_KEEPALIVE void dravelin_files_saved(int written) {
  core->window.ReportFilesSaved(written != 0);
}

}  // extern "C"
