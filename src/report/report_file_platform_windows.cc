// Report files on Windows: no unnamed files, and no signal that ends the
// program without its clean-up, so a report is written under a hidden
// temporary name and moved over its name once whole.

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>

#include "report/report_file_platform.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

class WindowsPlatform final : public ReportFilePlatform {
 public:
  Descriptor OpenUnnamed(const fs::path&) override { return kNoFile; }

  Outcome CreateNew(const fs::path& path, Descriptor* file) override {
    *file = ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                     _S_IREAD | _S_IWRITE);
    if (*file >= 0) return Outcome::kDone;
    return errno == EEXIST ? Outcome::kNameTaken : Outcome::kFailed;
  }

  Outcome NameUnnamed(Descriptor, const fs::path&) override { return Outcome::kFailed; }

  std::size_t WriteSome(Descriptor file, const char* data, std::size_t size) override {
    const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
    const int written = ::_write(file, data, chunk);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
  }

  bool Close(Descriptor file) override { return ::_close(file) == 0; }

  bool Replace(const fs::path& from, const fs::path& to) override {
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }

  // A file that a program holds open (a live writer's) cannot be removed.
  bool Remove(const fs::path& path) override { return ::_wunlink(path.c_str()) == 0; }

  int RemoveIfEnded(const fs::path&) override { return -1; }
  void Forget(int) override {}

  std::uint64_t ProcessId() override { return ::GetCurrentProcessId(); }

  // A process that cannot be opened for lack of rights exists; one that has
  // ended but is still held open by another program does not run (unless it
  // ended with the code that means "still active": it then counts as
  // running, the safe side).
  bool ProcessRuns(std::uint64_t id) override {
    if (id > MAXDWORD) return false;
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD exit_code = 0;
    const bool runs =
        ::GetExitCodeProcess(process, &exit_code) == 0 || exit_code == STILL_ACTIVE;
    ::CloseHandle(process);
    return runs;
  }
};

}  // namespace

ReportFilePlatform& SystemReportFilePlatform() {
  static WindowsPlatform platform;
  return platform;
}

}  // namespace dravelin
