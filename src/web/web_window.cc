#include "web/web_window.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app/application.h"
#include "base/message_code.h"

namespace dravelin {

void WebWindow::AppendPaneLine(std::string_view line) {
  pending_.append(line);
  pending_ends_.push_back(pending_.size());
  pending_.append("\r\n", 2);
  if (pending_.size() >= kBatchBytes) Flush();
}

void WebWindow::AppendPaneBlock(const TextBlock& block) {
  const auto ends = block.line_ends();
  if (ends.empty()) return;
  const std::string_view lines = block.text().substr(0, ends.back() + 2);
  const std::size_t base = pending_.size();
  if (pending_.capacity() < kBatchBytes) pending_.reserve(kBatchBytes + 2 * lines.size());
  pending_.append(lines);
  const std::size_t first = pending_ends_.size();
  pending_ends_.resize(first + ends.size());
  std::size_t* out = pending_ends_.data() + first;
  for (std::size_t end : ends) *out++ = base + end;
  if (pending_.size() >= kBatchBytes) Flush();
}

void WebWindow::ClearPane() {
  DropPending();
  page_.PaneCleared();
}

void WebWindow::ShowStatus(std::string_view text) {
  Flush();
  page_.StatusShown(text);
}

void WebWindow::MenuItemChanged(MenuItemId item) {
  if (application_ == nullptr) return;
  page_.ItemChanged(item, application_->item_caption(item), application_->item_enabled(item));
}

void WebWindow::Flush() {
  if (pending_.empty()) return;
  try {
    page_.PaneLines(pending_, pending_ends_);
  } catch (...) {
    DropPending();
    throw;
  }
  DropPending();
}

void WebWindow::DropPending() {
  pending_.clear();
  pending_ends_.clear();
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
  Flush();
}

class PageReportFile final : public ReportFile {
 public:
  PageReportFile(WebReportFileSystem& files, std::string name) : files_(files) {
    file_.name = std::move(name);
  }

  bool Write(const char* data, std::size_t size) override {
    while (size > 0) {
      if (file_.parts.empty() || file_.parts.back().size() == WebReportFileSystem::kPartBytes) {
        file_.parts.emplace_back();
        // A file that has filled a part is a large one: its next parts are
        // made at their full size at once, not grown by copying.
        if (file_.parts.size() > 1) file_.parts.back().reserve(WebReportFileSystem::kPartBytes);
      }
      std::string& part = file_.parts.back();
      const std::size_t taken = std::min(size, WebReportFileSystem::kPartBytes - part.size());
      part.append(data, taken);
      data += taken;
      size -= taken;
    }
    return true;
  }

  bool Close() override {
    files_.page_.FileClosed(file_.name);
    files_.closed_.push_back(std::move(file_));
    return true;
  }

 private:
  WebReportFileSystem& files_;
  ClosedReportFile file_;
};

std::unique_ptr<ReportFile> WebReportFileSystem::Create(const std::filesystem::path& path) {
  return std::make_unique<PageReportFile>(*this, path.filename().string());
}

}  // namespace dravelin
