// Where report files are written: a small sink interface, so that tests can
// make a write or a close fail without a full disk.

#ifndef DRAVELIN_REPORT_REPORT_FILE_H_
#define DRAVELIN_REPORT_REPORT_FILE_H_

#include <cstddef>
#include <filesystem>
#include <memory>

namespace dravelin {

// One report file opened for binary writing.
class ReportFile {
 public:
  virtual ~ReportFile() = default;

  // Writes `size` bytes; false when any of them could not be written.
  virtual bool Write(const char* data, std::size_t size) = 0;

  // Flushes and closes the file; false when that failed. Called once.
  virtual bool Close() = 0;
};

// Creates report files.
class ReportFileSystem {
 public:
  virtual ~ReportFileSystem() = default;

  // Creates `path`, or truncates it to empty, for binary writing. Null when
  // it cannot be opened.
  virtual std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) = 0;
};

// The real file system.
class DiskReportFileSystem final : public ReportFileSystem {
 public:
  std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) override;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_REPORT_FILE_H_
