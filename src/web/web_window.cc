#include "web/web_window.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app/application.h"
#include "base/message_code.h"

namespace dravelin {

void WebWindow::AppendPaneLine(std::string_view line) {
  const std::size_t end = line.size();
  page_.PaneLines(line, std::span<const std::size_t>(&end, 1), 0);
}

void WebWindow::AppendPaneBlock(const TextBlock& block) {
  const auto ends = block.line_ends();
  if (ends.empty()) return;
  page_.PaneLines(block.text().substr(0, ends.back()), ends, 2);
}

void WebWindow::ClearPane() { page_.PaneCleared(); }

void WebWindow::ShowStatus(std::string_view text) { page_.StatusShown(text); }

void WebWindow::MenuItemChanged(MenuItemId item) {
  if (application_ == nullptr) return;
  page_.ItemChanged(item, application_->item_caption(item), application_->item_enabled(item));
}

void WebWindow::ReportFilesSaved(bool all_written) {
  if (!all_written) ShowStatus(MessageCodeLine(kTxtFileWriteError));
}

void WebWindow::ReportPaneOutOfMemory() { ShowStatus(MessageCodeLine(kOutOfMemory)); }

void WebWindow::ShowStartHint() {
  ClearPane();
  for (const char* line : {
           "Choose your Compare folder (the sysex bank files, *.syx, to study) with the button",
           "below the window, or drop the folder onto the page; choose a Base folder as well",
           "(the banks already on your keyboard) to compare against it. Then pick a report",
           "from the menus.",
       }) {
    AppendPaneLine(line);
  }
}

class PageReportFile final : public ReportFile {
 public:
  PageReportFile(WebReportFileSystem& files, std::string name) : files_(files) {
    file_.name = std::move(name);
  }

  bool Write(const char* data, std::size_t size) override {
    if (size == 0) return true;
    std::vector<SharedBytes> borrowed;
    if (files_.page_.SharePaneTail(std::string_view(data, size), &borrowed)) {
      EndOwnPart();
      for (SharedBytes& piece : borrowed) Add(std::move(piece));
      return true;
    }
    while (size > 0) {
      if (own_ == nullptr || own_->size() == WebReportFileSystem::kPartBytes) {
        EndOwnPart();
        own_ = std::make_shared<std::string>();
        // A file that has filled a part is a large one: its next parts are
        // made at their full size at once, not grown by copying.
        if (own_parts_ > 0) own_->reserve(WebReportFileSystem::kPartBytes);
      }
      const std::size_t taken = std::min(size, WebReportFileSystem::kPartBytes - own_->size());
      own_->append(data, taken);
      data += taken;
      size -= taken;
    }
    return true;
  }

  bool Close() override {
    EndOwnPart();
    files_.page_.FileClosed(file_.name);
    files_.closed_.push_back(std::move(file_));
    return true;
  }

 private:
  // Adds the part being filled, if any, to the file's parts.
  void EndOwnPart() {
    if (own_ == nullptr) return;
    const std::string_view bytes = *own_;
    if (own_->size() == WebReportFileSystem::kPartBytes) ++own_parts_;
    Add({std::shared_ptr<const char>(own_, own_->data()), bytes});
    own_.reset();
  }
  // Adds a piece, joined to the last where it continues it in one memory.
  void Add(SharedBytes piece) {
    if (piece.bytes.empty()) return;
    if (!file_.parts.empty()) {
      SharedBytes& last = file_.parts.back();
      if (last.owner == piece.owner &&
          last.bytes.data() + last.bytes.size() == piece.bytes.data()) {
        last.bytes = std::string_view(last.bytes.data(), last.bytes.size() + piece.bytes.size());
        return;
      }
    }
    file_.parts.push_back(std::move(piece));
  }

  WebReportFileSystem& files_;
  ClosedReportFile file_;
  std::shared_ptr<std::string> own_;  // the part being filled
  std::size_t own_parts_ = 0;         // parts filled so far
};

std::unique_ptr<ReportFile> WebReportFileSystem::Create(const std::filesystem::path& path) {
  const std::filesystem::path normal = path.lexically_normal();
  for (const std::filesystem::path& folder : {report_folder_, report_folder_.parent_path()}) {
    const std::filesystem::path below = normal.lexically_relative(folder);
    if (!below.empty() && *below.begin() != "..") {
      return std::make_unique<PageReportFile>(*this, below.generic_string());
    }
  }
  return std::make_unique<PageReportFile>(*this, path.filename().string());
}

}  // namespace dravelin
