// The few calls on the system that report files are made of. How a report
// is written (report_file.cc: hidden or unnamed while it grows, moved over
// its name once whole, removed on any failure, stale files of killed runs
// removed) is written once above them; one source file per platform
// implements them (report_file_platform_posix.cc, the browser's file system
// included, and report_file_platform_windows.cc).

#ifndef DRAVELIN_REPORT_REPORT_FILE_PLATFORM_H_
#define DRAVELIN_REPORT_REPORT_FILE_PLATFORM_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace dravelin {

class ReportFilePlatform {
 public:
  // An open file: a descriptor of the platform's C library.
  using Descriptor = int;
  static constexpr Descriptor kNoFile = -1;

  // How an attempt to put a new entry under a name ended.
  enum class Outcome {
    kDone,
    kNameTaken,  // an entry of that name exists; it was not opened
    kFailed,     // any other failure
  };

  virtual ~ReportFilePlatform() = default;

  // A new file without a name in `directory`, open for writing, or kNoFile
  // where the system cannot make one there or could not name it later.
  virtual Descriptor OpenUnnamed(const std::filesystem::path& directory) = 0;

  // Creates `path` as a new empty file open for writing, with the
  // permissions of any new file, into `*file`.
  virtual Outcome CreateNew(const std::filesystem::path& path, Descriptor* file) = 0;

  // Gives the unnamed file `file` (from OpenUnnamed) the name `path`.
  virtual Outcome NameUnnamed(Descriptor file, const std::filesystem::path& path) = 0;

  // Writes at most `size` bytes (`size` above 0) and returns how many were
  // written: 0 when none could be.
  virtual std::size_t WriteSome(Descriptor file, const char* data, std::size_t size) = 0;

  // Closes `file`. False when what was written may not all be stored.
  virtual bool Close(Descriptor file) = 0;

  // Moves the file `from` to the name `to`, replacing whatever entry holds
  // that name (a file, a link, a FIFO) without opening or following it.
  // False, and nothing changed, when it cannot.
  virtual bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;

  // Removes the name `path`. False when it could not (on Windows, among
  // others, while a program has the file open).
  virtual bool Remove(const std::filesystem::path& path) = 0;

  // Where a signal can end the program without its clean-up (SIGINT, SIGTERM,
  // SIGHUP, SIGPIPE on POSIX systems), has `path` removed by such a signal
  // until Forget is called with the returned token. A platform without such
  // signals, a path too long or too many files at once give a token that
  // does nothing.
  virtual int RemoveIfEnded(const std::filesystem::path& path) = 0;
  virtual void Forget(int token) = 0;

  // The id of this program's process.
  virtual std::uint64_t ProcessId() = 0;

  // False only when no process of the id `id` exists on this system (an id
  // no process here can have included). A process that exists under a
  // reused id counts as running.
  virtual bool ProcessRuns(std::uint64_t id) = 0;
};

// The platform this program runs on.
ReportFilePlatform& SystemReportFilePlatform();

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_REPORT_FILE_PLATFORM_H_
