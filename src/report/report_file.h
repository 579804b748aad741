// Where report files are written: a small sink interface, so that tests can
// make a write or a close fail without a full disk.

#ifndef DRAVELIN_REPORT_REPORT_FILE_H_
#define DRAVELIN_REPORT_REPORT_FILE_H_

#include <cstddef>
#include <filesystem>
#include <memory>

namespace dravelin {

// One report file being written in binary.
class ReportFile {
 public:
  // A file destroyed without Close is discarded: nothing is stored under its
  // name.
  virtual ~ReportFile() = default;

  // Writes `size` bytes; false when any of them could not be written.
  virtual bool Write(const char* data, std::size_t size) = 0;

  // Finishes the file: flushes and closes it and stores it under its name.
  // False when that or any earlier write failed. Called once.
  virtual bool Close() = 0;
};

// Creates report files.
class ReportFileSystem {
 public:
  virtual ~ReportFileSystem() = default;

  // Starts a new file to be stored as `path` when it is closed. Null when it
  // cannot be created.
  virtual std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) = 0;
};

// The real file system. A report never writes through whatever holds its
// name: it goes to a new file beside it, under a temporary name that begins
// with '.' (so the bank search passes it over), created with the
// permissions of any new file. Close renames that file to the report's
// name, replacing the entry there (a file, a link, a FIFO) without opening
// it; when a write, the close or the rename fails, the temporary file is
// removed and the entry under the report's name stays as it was.
class DiskReportFileSystem final : public ReportFileSystem {
 public:
  // Null when `path` is a directory (not a link to one) or the temporary
  // file cannot be created.
  std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) override;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_REPORT_FILE_H_
