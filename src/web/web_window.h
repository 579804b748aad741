// The browser front end's side of the window and of the report files.
//
// The page's core runs in a Web Worker; everything it shows travels to the
// page as messages. WebWindow and WebReportFileSystem turn the window
// operations and the report files into calls of a PageBridge, which the
// worker implements with postMessage (web_main.cc) and tests implement by
// recording. Pane lines are gathered into large batches: a report of a
// million lines becomes a few messages, not a million.

#ifndef DRAVELIN_WEB_WEB_WINDOW_H_
#define DRAVELIN_WEB_WEB_WINDOW_H_

#include <cstddef>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/menu_item_id.h"
#include "app/window_operations.h"
#include "base/shared_bytes.h"
#include "report/report_file.h"
#include "report/text_block.h"

namespace dravelin {

class Application;

// What the page receives. Texts are the program's single-byte strings as
// they stand; the page decodes them.
class PageBridge {
 public:
  virtual ~PageBridge() = default;

  // One or more pane lines to be appended in order, as the pane model takes
  // them: line j ends at ends[j] and the next starts `separator` bytes later
  // (a report block's lines stay as the report file has them, each followed
  // by CR LF). May throw std::bad_alloc when the pane runs out of memory (it
  // keeps the whole lines it took); a command then ends with code 2.
  virtual void PaneLines(std::string_view bytes, std::span<const std::size_t> ends,
                         std::size_t separator) = 0;
  // The pane is empty from now on.
  virtual void PaneCleared() = 0;
  virtual void StatusShown(std::string_view text) = 0;
  // A menu item's caption or enabled state may have changed.
  virtual void ItemChanged(MenuItemId item, std::string_view caption, bool enabled) = 0;
  // A report file named `name` (see ClosedReportFile) has been written and
  // closed; its bytes follow after the command
  // (WebReportFileSystem::TakeClosedFiles).
  virtual void FileClosed(std::string_view name) = 0;
  // When the pane's lines, each followed by CR LF, end with exactly `bytes`
  // (as a report file's bytes do when just written beside the pane),
  // appends to `shared` the pane's memory that holds them and returns true;
  // else returns false and changes nothing. A report file so holds no copy
  // of what the pane holds. May throw std::bad_alloc.
  virtual bool SharePaneTail(std::string_view bytes, std::vector<SharedBytes>* shared) = 0;
  // The bytes of the pane's line that holds the caret, as the pane holds it.
  virtual std::string CaretLineText() = 0;
  // Lines to show in a view of their own beside the pane, named `title`
  // (WindowOperations::ShowDetails).
  virtual void DetailsShown(std::string_view title, std::span<const std::string> lines) = 0;
};

class WebWindow final : public WindowOperations {
 public:
  explicit WebWindow(PageBridge& page) : page_(page) {}

  // The application whose menu states are reported on every item change;
  // item changes before it is attached are not reported.
  void Attach(const Application* application) { application_ = application; }

  // Lines go to the page as they come, a block's lines in one piece.
  void AppendPaneLine(std::string_view line) override;
  void AppendPaneBlock(const TextBlock& block) override;
  void ClearPane() override;
  void ShowStatus(std::string_view text) override;
  // Reports the item's caption and enabled state as the Application holds
  // them.
  void MenuItemChanged(MenuItemId item) override;
  // Both as the page's pane and its details view answer them.
  std::string CaretLineText() override { return page_.CaretLineText(); }
  void ShowDetails(std::string_view title, std::span<const std::string> lines) override {
    page_.DetailsShown(title, lines);
  }

  // The page has saved a command's report files after the command ended, or
  // failed to write one of them (`all_written` false): then the status line
  // shows the write error, as a failed write shows it on the desktop.
  void ReportFilesSaved(bool all_written);

  // The pane ran out of memory outside a command (it keeps the lines it
  // took): the status line shows code 2's message, as a command's would.
  void ReportPaneOutOfMemory();

  // Fills the pane with what to do first, when the page starts without a
  // bank in its Compare folder.
  void ShowStartHint();

 private:
  PageBridge& page_;
  const Application* application_ = nullptr;
};

// A report file as the page receives it: its name and its bytes, in pieces
// to be joined in order (its own, or the pane's where the pane holds them).
// The name is the file's path below the folder that receives the reports,
// folders joined by '/' ("compare.txt", "New/a.syx"); a file in a folder
// beside it, by its path below their common folder ("New Banks/New Sounds
// 1.syx"); any other file by its file name alone.
struct ClosedReportFile {
  std::string name;
  std::vector<SharedBytes> parts;
};

// Report files kept in the worker's memory until the command has ended, so
// that writing them costs the report no message and no copy out of the
// module; the page then saves or downloads each. Bytes the pane holds as
// they are written (a report shown and written at once) are borrowed from
// the pane rather than copied, so a report is held once. Creating a file
// never fails.
class WebReportFileSystem final : public ReportFileSystem {
 public:
  // Bytes of its own a file keeps in parts of this size, so that a large
  // file never has to be moved to grow.
  static constexpr std::size_t kPartBytes = 8 << 20;

  // Names files below `report_folder` (see ClosedReportFile).
  WebReportFileSystem(PageBridge& page, std::filesystem::path report_folder)
      : page_(page), report_folder_(std::move(report_folder)) {}

  std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) override;
  // Nothing to create: a file's name carries its folder, which the page
  // makes where it saves the file.
  bool CreateFolder(const std::filesystem::path&) override { return true; }

  // The files closed since the last call, in the order they were closed;
  // they are forgotten here.
  std::vector<ClosedReportFile> TakeClosedFiles() { return std::move(closed_); }

 private:
  friend class PageReportFile;

  PageBridge& page_;
  std::filesystem::path report_folder_;
  std::vector<ClosedReportFile> closed_;
};

}  // namespace dravelin

#endif  // DRAVELIN_WEB_WEB_WINDOW_H_
