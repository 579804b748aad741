#include "report/report_file_name.h"

#include "banks/file_system.h"

namespace dravelin {

std::string ReportFileName::Shown() const {
  std::string shown;
  shown.reserve(folder_.size() + 1 + file_.size());
  shown += folder_;
  shown += '\\';
  shown += file_;
  return shown;
}

std::filesystem::path ReportFileName::FolderBelow(const std::filesystem::path& working_dir) const {
  return working_dir / PathFromText(folder_);
}

std::filesystem::path ReportFileName::PathBelow(const std::filesystem::path& working_dir) const {
  return FolderBelow(working_dir) / PathFromText(file_);
}

}  // namespace dravelin
