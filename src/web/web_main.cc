// The core of the browser page, compiled to WebAssembly and run in a Web
// Worker. The worker's script (page/worker.js) puts the chosen folders' files
// below kWorkingDir as "Compare" and "Base" and calls the functions of
// page_protocol.h; everything the program shows is posted to the page as the
// messages of page/protocol.js, through the dravelin_post_* calls.

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
#include "web/page_json.h"
#include "web/page_protocol.h"
#include "web/web_window.h"
#include "web/worker_pane.h"

namespace {

constexpr const char* kWorkingDir = "/work";

// The core's texts (status line, captions, file names) as the pane shows
// its lines.
std::u16string Shown(std::string_view bytes) { return dravelin::DecodeLineUtf16(bytes); }

class WorkerBridge final : public dravelin::PageBridge {
 public:
  // The lines go straight into the pane, which then shows the output's end.
  void PaneLines(std::string_view bytes, std::span<const std::size_t> ends,
                 std::size_t separator) override {
    dravelin::PaneModel& pane = dravelin::WorkerPane().model();
    pane.AppendLines(bytes, ends, separator);
    pane.ShowOutputEnd();
  }
  void PaneCleared() override { dravelin::WorkerPane().model().Clear(); }
  void StatusShown(std::string_view text) override {
    const std::u16string shown = Shown(text);
    dravelin_post_status(shown.data(), shown.size());
  }
  void ItemChanged(dravelin::MenuItemId item, std::string_view caption, bool enabled) override {
    const std::u16string shown = Shown(caption);
    dravelin_post_item(static_cast<int>(dravelin::IndexOf(item)), shown.data(), shown.size(),
                       enabled ? 1 : 0);
  }
  void FileClosed(std::string_view name) override {
    dravelin_post_file_closed(name.data(), name.size());
  }
  bool SharePaneTail(std::string_view bytes, std::vector<dravelin::SharedBytes>* shared) override {
    return dravelin::WorkerPane().model().text().ShareOutputTail(bytes, shared);
  }
  std::string CaretLineText() override {
    const dravelin::PaneModel& pane = dravelin::WorkerPane().model();
    return std::string(pane.text().Line(pane.caret().line));
  }
  // The details go into the details pane's own model, from its top; the
  // page shows its second view over it.
  void DetailsShown(std::string_view title, std::span<const std::string> lines) override {
    dravelin::PaneModel& details = dravelin::WorkerDetailsPane().model();
    details.set_read_only(true);
    details.Clear();
    for (const std::string& line : lines) details.AppendLine(line);
    const std::u16string shown = Shown(title);
    dravelin_post_details(shown.data(), shown.size());
  }
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
  dravelin_post_menu(json.data(), json.size());
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
  dravelin_post_assignment(json.data(), json.size());
}

EMSCRIPTEN_KEEPALIVE int dravelin_confirm_assignment(const int* chosen, std::size_t count) {
  const std::string refusal =
      core->application.ConfirmAssignment(std::span<const int>(chosen, count));
  if (refusal.empty()) return 1;
  const std::u16string shown = Shown(refusal);
  dravelin_post_assignment_refused(shown.data(), shown.size());
  return 0;
}

EMSCRIPTEN_KEEPALIVE void dravelin_hand_over_files() {
  for (const dravelin::ClosedReportFile& file : core->files.TakeClosedFiles()) {
    std::vector<std::uint32_t> pieces;
    for (const dravelin::SharedBytes& part : file.parts) {
      pieces.push_back(
          static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(part.bytes.data())));
      pieces.push_back(static_cast<std::uint32_t>(part.bytes.size()));
    }
    const std::u16string shown = Shown(file.name);
    dravelin_post_file_bytes(file.name.data(), file.name.size(), shown.data(), shown.size(),
                             pieces.data(), file.parts.size());
  }
}

EMSCRIPTEN_KEEPALIVE void dravelin_files_saved(int written) {
  core->window.ReportFilesSaved(written != 0);
}

}  // extern "C"
