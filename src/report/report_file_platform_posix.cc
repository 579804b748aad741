// Report files on POSIX systems (the browser's file system included, where
// no unnamed files exist and hidden names are used).

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <mutex>
#include <string>

#include "report/report_file_platform.h"

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

ReportFilePlatform::Outcome OutcomeOfErrno() {
  return errno == EEXIST ? ReportFilePlatform::Outcome::kNameTaken
                         : ReportFilePlatform::Outcome::kFailed;
}

class PosixPlatform final : public ReportFilePlatform {
 public:
  // Unnamed files need O_TMPFILE, and naming one later needs /proc.
  Descriptor OpenUnnamed(const fs::path& directory) override {
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0) return kNoFile;
    return ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)directory;
    return kNoFile;
#endif
  }

  Outcome CreateNew(const fs::path& path, Descriptor* file) override {
    *file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return *file >= 0 ? Outcome::kDone : OutcomeOfErrno();
  }

  Outcome NameUnnamed(Descriptor file, const fs::path& path) override {
    const std::string self = "/proc/self/fd/" + std::to_string(file);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return Outcome::kDone;
    }
    return OutcomeOfErrno();
  }

  std::size_t WriteSome(Descriptor file, const char* data, std::size_t size) override {
    for (;;) {
      const ssize_t written = ::write(file, data, size);
      if (written > 0) return static_cast<std::size_t>(written);
      if (written == 0 || errno != EINTR) return 0;
    }
  }

  bool Close(Descriptor file) override { return ::close(file) == 0; }

  // rename() replaces the entry under the new name, whatever it is, without
  // following a link.
  bool Replace(const fs::path& from, const fs::path& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool Remove(const fs::path& path) override { return ::unlink(path.c_str()) == 0; }

  int RemoveIfEnded(const fs::path& path) override {
    const std::string& text = path.native();
    if (text.size() >= sizeof pending_files[0].path) return -1;
    CatchEndingSignals();
    for (std::size_t slot = 0; slot < std::size(pending_files); ++slot) {
      PendingFile& file = pending_files[slot];
      if (file.claimed.exchange(true)) continue;
      std::memcpy(file.path, text.c_str(), text.size() + 1);
      file.ready.store(true);
      return static_cast<int>(slot);
    }
    return -1;
  }

  void Forget(int token) override {
    if (token < 0) return;
    PendingFile& file = pending_files[token];
    file.ready.store(false);
    file.claimed.store(false);
  }

  std::uint64_t ProcessId() override { return static_cast<std::uint64_t>(::getpid()); }

  // kill() with no signal tells whether the process exists; one that
  // belongs to another user exists too (EPERM).
  bool ProcessRuns(std::uint64_t id) override {
    if (id == 0 || id > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) {
      return false;
    }
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
  }
};

}  // namespace

ReportFilePlatform& SystemReportFilePlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace dravelin
