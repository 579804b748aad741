// Where report files are written: a small sink interface, so that tests can
// make a write or a close fail without a full disk.

#ifndef DRAVELIN_REPORT_REPORT_FILE_H_
#define DRAVELIN_REPORT_REPORT_FILE_H_

#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

#include "report/report_file_platform.h"

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

  // Makes sure `folder` is a folder that files can be created in, creating
  // it (not its parents) when it is missing. False when it cannot be
  // created or its name is taken by something that is not a folder.
  virtual bool CreateFolder(const std::filesystem::path& folder) = 0;
};

// The real file system. A report never writes through whatever holds its
// name, and an unfinished report never shows under any name: on Linux it is
// written to an unnamed file in the report's folder (O_TMPFILE) that is
// given a hidden temporary name only once it is whole, then renamed over the
// report. Where the file system has no unnamed files (vfat and exFAT, no
// /proc, Windows) it is written under a hidden temporary name from the start
// (see TemporaryReportPath), and on POSIX systems that file is removed when
// SIGINT, SIGTERM, SIGHUP or SIGPIPE ends the program meanwhile. The rename
// replaces the entry under the report's name (a file, a link, a FIFO)
// without opening it; when a write, the close or the rename fails, the
// temporary file goes and the entry under the report's name stays as it
// was. A report gets the permissions of any new file. Two programs writing
// one report end with one of the two reports whole.
//
// A run killed outright (SIGKILL, a power loss) leaves its temporary file.
// So before the first report that one DiskReportFileSystem writes into a
// folder, every regular file there that is named as TemporaryReportPath
// names them and whose writer no longer runs is removed; nothing else is
// touched, and a file whose writer's id is held by a running process stays
// (the safe side when the id was reused). On Windows a file that a program
// holds open cannot be removed at all.
class DiskReportFileSystem final : public ReportFileSystem {
 public:
  // How a report is kept out of sight while it is written.
  enum class Hiding {
    kUnnamedWhereSupported,  // unnamed where the file system allows it
    kHiddenName,             // always a hidden temporary name
  };

  // `platform` must outlive this object.
  explicit DiskReportFileSystem(Hiding hiding = Hiding::kUnnamedWhereSupported,
                                ReportFilePlatform& platform = SystemReportFilePlatform())
      : hiding_(hiding), platform_(platform) {}

  // Null when `path` is a directory (not a link to one) or the file cannot
  // be created.
  std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) override;

  // A link to a folder counts as a folder.
  bool CreateFolder(const std::filesystem::path& folder) override;

 private:
  void RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

  Hiding hiding_;
  ReportFilePlatform& platform_;
  std::vector<std::filesystem::path> swept_folders_;
};

// Attempts at a free temporary name before giving up.
inline constexpr int kTemporaryNameAttempts = 64;

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_REPORT_FILE_H_
