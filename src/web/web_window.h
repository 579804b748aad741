// The browser front end's side of the window and of the report files.
//
// The page's core runs in a Web Worker; everything it shows travels to the
// page as messages. WebWindow and WebReportFileSystem turn the window
// operations and the report files into calls of a PageBridge, which the
// worker implements with postMessage (web_main.cc) and tests implement by
// recording. Pane lines are gathered into large batches: a report of a
// million lines becomes a few dozen messages, not a million.

#ifndef DRAVELIN_WEB_WEB_WINDOW_H_
#define DRAVELIN_WEB_WEB_WINDOW_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/menu_item_id.h"
#include "app/window_operations.h"
#include "report/report_file.h"

namespace dravelin {

class Application;

// What the page receives. Texts are the program's single-byte strings as
// they stand; the page decodes them.
class PageBridge {
 public:
  virtual ~PageBridge() = default;

  // One or more pane lines, each ended by '\n', to be appended in order;
  // `ends` holds the offset of each line's '\n' in `lines`, and `ascii` says
  // that no byte of `lines` is above 0x7F.
  virtual void PaneLines(std::string_view lines, const std::vector<std::uint32_t>& ends,
                         bool ascii) = 0;
  // The pane is empty from now on.
  virtual void PaneCleared() = 0;
  virtual void StatusShown(std::string_view text) = 0;
  // A menu item's caption or enabled state may have changed.
  virtual void ItemChanged(MenuItemId item, std::string_view caption, bool enabled) = 0;
  // The next bytes of report file number `file` (numbered from 1 in the
  // order the files are created).
  virtual void FileBytes(int file, std::string_view bytes) = 0;
  // Report file `file` is complete and carries the name `name` (no folder).
  virtual void FileClosed(int file, std::string_view name) = 0;
};

class WebWindow final : public WindowOperations {
 public:
  // Pane lines are handed over whenever this many bytes have gathered.
  static constexpr std::size_t kBatchBytes = 1 << 20;

  explicit WebWindow(PageBridge& page) : page_(page) {}

  // The application whose menu states are reported on every item change;
  // item changes before it is attached are not reported.
  void Attach(const Application* application) { application_ = application; }

  void AppendPaneLine(std::string_view line) override;
  void ClearPane() override;
  // Hands over the pending pane lines first, so that the page sees pane and
  // status in the order they happened.
  void ShowStatus(std::string_view text) override;
  // Reports the item's caption and enabled state as the Application holds
  // them.
  void MenuItemChanged(MenuItemId item) override;

  // Hands over the pending pane lines; called when a command has ended.
  void Flush();

 private:
  PageBridge& page_;
  const Application* application_ = nullptr;
  std::string pending_;
  std::vector<std::uint32_t> pending_ends_;
  unsigned char pending_high_ = 0;
};

// Report files kept nowhere in the worker: their bytes go to the page as
// they are written, and the page saves or downloads each file once it is
// closed. Creating a file never fails.
class WebReportFileSystem final : public ReportFileSystem {
 public:
  explicit WebReportFileSystem(PageBridge& page) : page_(page) {}

  std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) override;

 private:
  PageBridge& page_;
  int files_created_ = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_WEB_WEB_WINDOW_H_
