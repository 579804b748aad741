// Report files on Windows: written under a hidden temporary name, then moved
// over the report.

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <system_error>
#include <utility>

#include "report/report_file.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

class DiskReportFile final : public ReportFile {
 public:
  DiskReportFile(int fd, fs::path temporary_path, fs::path path)
      : fd_(fd), temporary_path_(std::move(temporary_path)), path_(std::move(path)) {}

  ~DiskReportFile() override {
    if (fd_ < 0) return;
    ::_close(fd_);
    RemoveTemporary();
  }

  bool Write(const char* data, std::size_t size) override {
    while (!failed_ && size > 0) {
      const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
      const int written = ::_write(fd_, data, chunk);
      if (written <= 0) {
        failed_ = true;
        break;
      }
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return !failed_;
  }

  bool Close() override {
    bool ok = !failed_;
    if (::_close(std::exchange(fd_, -1)) != 0) ok = false;
    if (ok) {
      ok = ::MoveFileExW(temporary_path_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    }
    if (!ok) RemoveTemporary();
    return ok;
  }

 private:
  void RemoveTemporary() { ::_wunlink(temporary_path_.c_str()); }

  int fd_;
  fs::path temporary_path_;
  fs::path path_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<ReportFile> DiskReportFileSystem::Create(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(path, error))) return nullptr;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    fs::path temporary_path = TemporaryReportPath(path);
    const int fd = ::_wopen(temporary_path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                            _S_IREAD | _S_IWRITE);
    if (fd >= 0) {
      return std::make_unique<DiskReportFile>(fd, std::move(temporary_path), path);
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace dravelin
