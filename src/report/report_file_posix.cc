// Report files on POSIX systems (the browser's file system included, where
// no unnamed files exist and hidden names are used).

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <mutex>
#include <string>
#include <system_error>
#include <utility>

#include "report/report_file.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

// Hidden files now being written. A signal that ends the program removes
// them: the handler reads only these lock-free flags and fixed buffers.
struct PendingFile {
  std::atomic<bool> claimed{false};
  std::atomic<bool> ready{false};
  char path[4096];
};
PendingFile pending_files[8];

extern "C" void RemovePendingFilesAndEnd(int signal_number) {
  for (PendingFile& file : pending_files) {
    if (file.ready.load()) ::unlink(file.path);
  }
  // The handler was reset to the default on entry (SA_RESETHAND), and the
  // signal is not blocked in here (SA_NODEFER): raising it ends the program
  // as the signal would have without us.
  ::raise(signal_number);
}

// Takes over the signals that end a program by default, once. A signal the
// program ignores or handles itself is left alone.
void CatchEndingSignals() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
      struct sigaction current;
      if (::sigaction(signal_number, nullptr, &current) != 0) continue;
      if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction action = {};
      action.sa_handler = RemovePendingFilesAndEnd;
      sigemptyset(&action.sa_mask);
      action.sa_flags = static_cast<int>(SA_RESETHAND | SA_NODEFER);
      ::sigaction(signal_number, &action, nullptr);
    }
  });
}

// Registers `path` for removal by an ending signal while it exists under
// that name. A path too long for the buffers, or more files at once than
// there are slots, simply go unregistered.
class PendingRegistration {
 public:
  PendingRegistration() = default;
  PendingRegistration(const PendingRegistration&) = delete;
  PendingRegistration& operator=(const PendingRegistration&) = delete;
  ~PendingRegistration() { Release(); }

  void Register(const fs::path& path) {
    Release();
    const std::string& text = path.native();
    if (text.size() >= sizeof pending_files[0].path) return;
    CatchEndingSignals();
    for (PendingFile& file : pending_files) {
      if (file.claimed.exchange(true)) continue;
      std::memcpy(file.path, text.c_str(), text.size() + 1);
      file.ready.store(true);
      file_ = &file;
      return;
    }
  }

  void Release() {
    if (file_ == nullptr) return;
    file_->ready.store(false);
    file_->claimed.store(false);
    file_ = nullptr;
  }

 private:
  PendingFile* file_ = nullptr;
};

// An unnamed file in `directory`, or -1 where the system cannot make one or
// cannot name it later (linking it needs /proc).
int OpenUnnamedFile(const fs::path& directory) {
#ifdef O_TMPFILE
  if (::access("/proc/self/fd", X_OK) != 0) return -1;
  return ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
  (void)directory;
  return -1;
#endif
}

class DiskReportFile final : public ReportFile {
 public:
  // `temporary_path` is empty for an unnamed file.
  DiskReportFile(int fd, fs::path temporary_path, fs::path path)
      : fd_(fd), temporary_path_(std::move(temporary_path)), path_(std::move(path)) {
    if (!temporary_path_.empty()) pending_.Register(temporary_path_);
  }

  ~DiskReportFile() override {
    if (fd_ < 0) return;
    ::close(fd_);
    RemoveTemporary();
  }

  bool Write(const char* data, std::size_t size) override {
    while (!failed_ && size > 0) {
      const ssize_t written = ::write(fd_, data, size);
      if (written < 0) {
        if (errno != EINTR) failed_ = true;
        continue;
      }
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return !failed_;
  }

  bool Close() override {
    bool ok = !failed_ && (!temporary_path_.empty() || NameUnnamedFile());
    if (::close(std::exchange(fd_, -1)) != 0) ok = false;
    if (ok) {
      // Replaces the entry under the report's name, whatever it is, without
      // following a link.
      ok = ::rename(temporary_path_.c_str(), path_.c_str()) == 0;
    }
    if (ok) {
      pending_.Release();
    } else {
      RemoveTemporary();
    }
    return ok;
  }

 private:
  // Links the whole unnamed file under a hidden temporary name in its
  // folder, from where it is renamed over the report.
  bool NameUnnamedFile() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      fs::path candidate = TemporaryReportPath(path_);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temporary_path_ = std::move(candidate);
        pending_.Register(temporary_path_);
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  void RemoveTemporary() {
    if (temporary_path_.empty()) return;
    ::unlink(temporary_path_.c_str());
    pending_.Release();
  }

  int fd_;
  fs::path temporary_path_;
  fs::path path_;
  PendingRegistration pending_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<ReportFile> DiskReportFileSystem::Create(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(path, error))) return nullptr;
  if (hiding_ == Hiding::kUnnamedWhereSupported) {
    fs::path directory = path.parent_path();
    if (directory.empty()) directory = ".";
    const int fd = OpenUnnamedFile(directory);
    if (fd >= 0) return std::make_unique<DiskReportFile>(fd, fs::path(), path);
  }
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    fs::path temporary_path = TemporaryReportPath(path);
    const int fd =
        ::open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      return std::make_unique<DiskReportFile>(fd, std::move(temporary_path), path);
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace dravelin
