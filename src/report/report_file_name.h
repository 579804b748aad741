// The name of a report file: a file in the folder that receives every
// report, or in a folder beside it for a command whose files are not
// reports to read (the banks of new sounds). The program's texts show it as
// "<folder>\<file>" ("Compare\compare.txt"); it is opened as
// <working dir>/<folder>/<file>, the file part taken as it stands: nothing
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
  // A file in the report folder.
  explicit ReportFileName(std::string file) : file_(std::move(file)) {}
  // A file in `folder`, a folder below the working directory.
  ReportFileName(std::string_view folder, std::string file)
      : folder_(folder), file_(std::move(file)) {}

  std::string_view folder() const { return folder_; }
  const std::string& file() const { return file_; }

  // "<folder>\<file>", as texts for the user name the file.
  std::string Shown() const;

  // The folder below `working_dir`.
  std::filesystem::path FolderBelow(const std::filesystem::path& working_dir) const;
  // The file below `working_dir`.
  std::filesystem::path PathBelow(const std::filesystem::path& working_dir) const;

  friend bool operator==(const ReportFileName&, const ReportFileName&) = default;

 private:
  std::string folder_ = std::string(kReportFolder);
  std::string file_;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_REPORT_FILE_NAME_H_
