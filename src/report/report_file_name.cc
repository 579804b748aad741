#include "report/report_file_name.h"

#include "banks/file_system.h"

namespace dravelin {

std::string ReportFileName::Shown() const {
  std::string shown;
  shown.reserve(kReportFolder.size() + 1 + file_.size());
  shown += kReportFolder;
  shown += '\\';
  shown += file_;
  return shown;
}

std::filesystem::path ReportFileName::PathBelow(const std::filesystem::path& working_dir) const {
  return working_dir / std::string(kReportFolder) / PathFromText(file_);
}

}  // namespace dravelin
