// The name of a report file: a file in the folder that receives every
// report. The program's texts show it as "Compare\<file>"; it is opened as
// <working dir>/Compare/<file>, the file part taken as it stands: nothing
// is parsed back out of the shown form.

#ifndef DRAVELIN_REPORT_REPORT_FILE_NAME_H_
#define DRAVELIN_REPORT_REPORT_FILE_NAME_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace dravelin {

// The folder below the working directory that receives every report file.
inline constexpr std::string_view kReportFolder = "Compare";

class ReportFileName {
 public:
  explicit ReportFileName(std::string file) : file_(std::move(file)) {}

  std::string_view folder() const { return kReportFolder; }
  const std::string& file() const { return file_; }

  // "Compare\<file>", as texts for the user name the file.
  std::string Shown() const;

  // The file below `working_dir`.
  std::filesystem::path PathBelow(const std::filesystem::path& working_dir) const;

  friend bool operator==(const ReportFileName&, const ReportFileName&) = default;

 private:
  std::string file_;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_REPORT_FILE_NAME_H_
