// The core of the browser page, compiled to WebAssembly and run in a Web
// Worker. The worker's script (page/worker.js) puts the chosen folders' files
// below kWorkingDir as "Compare" and "Base" and calls the functions of
// page_protocol.h; everything the program shows is posted to the page as the
// messages of page/protocol.js.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "banks/bank.h"
#include "web/page_protocol.h"
#include "web/web_window.h"

namespace {

constexpr const char* kWorkingDir = "/work";

// Each takes the address and length of bytes in the module's memory and
// posts a copy of them. A pane batch is copied into buffers of its own, which
// the page takes over (transferred, not copied again); made and then set,
// which costs less than slice() where fresh memory is slow to come by.
EM_JS(void, PostPaneLines,
      (const char* data, std::size_t size, const std::uint32_t* ends, std::size_t count, int ascii),
      {
        const bytes = new Uint8Array(size);
        bytes.set(HEAPU8.subarray(data, data + size));
        const lineEnds = new Uint32Array(count);
        lineEnds.set(HEAPU32.subarray(ends >> 2, (ends >> 2) + count));
        dravelinPost(DravelinProtocol.toPage.pane(bytes, lineEnds, ascii != 0));
      });
EM_JS(void, PostPaneCleared, (), { dravelinPost(DravelinProtocol.toPage.clear()); });
EM_JS(void, PostStatus, (const char* data, std::size_t size),
      { dravelinPost(DravelinProtocol.toPage.status(HEAPU8.slice(data, data + size))); });
EM_JS(void, PostItem, (int item, const char* caption, std::size_t size, int enabled), {
  dravelinPost(
      DravelinProtocol.toPage.item(item, HEAPU8.slice(caption, caption + size), enabled != 0));
});
EM_JS(void, PostFileClosed, (const char* name, std::size_t size),
      { dravelinFileClosed(HEAPU8.slice(name, name + size)); });
// A closed report file: its name, and `count` pieces of bytes whose
// addresses and lengths alternate in `pieces`. The worker's script makes a
// Blob of them at once (which copies them), so they may be freed afterwards.
EM_JS(void, PostFileBytes, (const char* name, std::size_t size, const std::uint32_t* pieces,
                            std::size_t count),
      {
        const parts = [];
        for (let i = 0; i < count; ++i) {
          const at = HEAPU32[(pieces >> 2) + 2 * i];
          parts.push(HEAPU8.subarray(at, at + HEAPU32[(pieces >> 2) + 2 * i + 1]));
        }
        dravelinFileBytes(HEAPU8.slice(name, name + size), parts);
      });
EM_JS(void, PostMenu, (const char* json, std::size_t size),
      { dravelinPost(DravelinProtocol.toPage.menu(JSON.parse(UTF8ToString(json, size)))); });

class WorkerBridge final : public dravelin::PageBridge {
 public:
  void PaneLines(std::string_view lines, const std::vector<std::uint32_t>& ends,
                 bool ascii) override {
    PostPaneLines(lines.data(), lines.size(), ends.data(), ends.size(), ascii ? 1 : 0);
  }
  void PaneCleared() override { PostPaneCleared(); }
  void StatusShown(std::string_view text) override { PostStatus(text.data(), text.size()); }
  void ItemChanged(dravelin::MenuItemId item, std::string_view caption, bool enabled) override {
    PostItem(static_cast<int>(dravelin::IndexOf(item)), caption.data(), caption.size(),
             enabled ? 1 : 0);
  }
  void FileClosed(std::string_view name) override { PostFileClosed(name.data(), name.size()); }
};

// The menu captions and names are plain ASCII without quotes or
// backslashes, but escape them anyway so that the JSON stays valid.
void AppendJsonString(std::string& json, std::string_view text) {
  json.push_back('"');
  for (char c : text) {
    if (c == '"' || c == '\\') json.push_back('\\');
    json.push_back(c);
  }
  json.push_back('"');
}

struct Core {
  WorkerBridge bridge;
  dravelin::WebWindow window{bridge};
  dravelin::WebReportFileSystem files{bridge};
  dravelin::Application application{window, kWorkingDir, files};
};

Core* core = nullptr;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void dravelin_init() {
  if (core != nullptr) return;
  core = new Core();
  core->window.Attach(&core->application);
  std::string json = "{\"title\":";
  AppendJsonString(json, dravelin::kMainWindowCaption);
  json += ",\"dropDowns\":[";
  for (std::size_t i = 0; i < dravelin::kDropDownMenus.size(); ++i) {
    if (i > 0) json += ',';
    json += "{\"component\":";
    AppendJsonString(json, dravelin::kDropDownMenus[i].component);
    json += ",\"caption\":";
    AppendJsonString(json, dravelin::kDropDownMenus[i].caption);
    json += '}';
  }
  json += "],\"items\":[";
  bool first = true;
  for (dravelin::MenuItemId id : dravelin::kMenuItemIds) {
    const dravelin::MenuItem& item = dravelin::MenuItemOf(id);
    if (!first) json += ',';
    first = false;
    json += "{\"id\":" + std::to_string(dravelin::IndexOf(id)) +
            ",\"dropDown\":" + std::to_string(static_cast<int>(item.drop_down)) + ",\"component\":";
    AppendJsonString(json, item.component);
    json += ",\"caption\":";
    AppendJsonString(json, core->application.item_caption(id));
    json += std::string(",\"enabled\":") + (core->application.item_enabled(id) ? "true" : "false") +
            '}';
  }
  json += "]}";
  PostMenu(json.data(), json.size());
}

EMSCRIPTEN_KEEPALIVE void dravelin_load() {
  static bool first_load = true;
  core->application.FormClose();
  core->application.LoadBankSets();
  core->window.Flush();
  if (first_load && dravelin::CountPatches(core->application.compare_set()) == 0) {
    core->window.ShowStartHint();
  }
  first_load = false;
}

EMSCRIPTEN_KEEPALIVE void dravelin_click(int item) {
  if (item < 0 || item >= static_cast<int>(dravelin::kMenuItemCount)) return;
  core->application.Click(dravelin::MenuItemId{static_cast<std::uint8_t>(item)});
  core->window.Flush();
}

EMSCRIPTEN_KEEPALIVE void dravelin_hand_over_files() {
  for (const dravelin::ClosedReportFile& file : core->files.TakeClosedFiles()) {
    std::vector<std::uint32_t> pieces;
    for (const std::string& part : file.parts) {
      pieces.push_back(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(part.data())));
      pieces.push_back(static_cast<std::uint32_t>(part.size()));
    }
    PostFileBytes(file.name.data(), file.name.size(), pieces.data(), file.parts.size());
  }
}

EMSCRIPTEN_KEEPALIVE void dravelin_files_saved(int written) {
  core->window.ReportFilesSaved(written != 0);
}

EMSCRIPTEN_KEEPALIVE void dravelin_pane_out_of_memory() { core->window.ReportPaneOutOfMemory(); }

}  // extern "C"
