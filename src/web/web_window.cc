#include "web/web_window.h"

#include <utility>

#include "app/application.h"

namespace dravelin {

void WebWindow::AppendPaneLine(std::string_view line) {
  for (char c : line) pending_high_ |= static_cast<unsigned char>(c);
  pending_.append(line);
  pending_ends_.push_back(static_cast<std::uint32_t>(pending_.size()));
  pending_.push_back('\n');
  if (pending_.size() >= kBatchBytes) Flush();
}

void WebWindow::ClearPane() {
  pending_.clear();
  pending_ends_.clear();
  pending_high_ = 0;
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
  page_.PaneLines(pending_, pending_ends_, pending_high_ < 0x80);
  pending_.clear();
  pending_ends_.clear();
  pending_high_ = 0;
}

namespace {

class PageReportFile final : public ReportFile {
 public:
  PageReportFile(PageBridge& page, int number, std::string name)
      : page_(page), number_(number), name_(std::move(name)) {}

  bool Write(const char* data, std::size_t size) override {
    if (size > 0) page_.FileBytes(number_, std::string_view(data, size));
    return true;
  }

  bool Close() override {
    page_.FileClosed(number_, name_);
    return true;
  }

 private:
  PageBridge& page_;
  int number_;
  std::string name_;
};

}  // namespace

std::unique_ptr<ReportFile> WebReportFileSystem::Create(const std::filesystem::path& path) {
  return std::make_unique<PageReportFile>(page_, ++files_created_, path.filename().string());
}

}  // namespace dravelin
