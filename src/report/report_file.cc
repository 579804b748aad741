// How a report file is written, on every platform: the platform gives only
// the calls (report_file_platform.h).

#include "report/report_file.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

#include "banks/file_system.h"
#include "report/temporary_report_name.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using Descriptor = ReportFilePlatform::Descriptor;
using Outcome = ReportFilePlatform::Outcome;

class DiskReportFile final : public ReportFile {
 public:
  // `temporary_path` is empty for an unnamed file.
  DiskReportFile(ReportFilePlatform& platform, Descriptor file, fs::path temporary_path,
                 fs::path path)
      : platform_(platform),
        file_(file),
        temporary_path_(std::move(temporary_path)),
        path_(std::move(path)) {
    if (!temporary_path_.empty()) signal_token_ = platform_.RemoveIfEnded(temporary_path_);
  }

  DiskReportFile(const DiskReportFile&) = delete;
  DiskReportFile& operator=(const DiskReportFile&) = delete;

  ~DiskReportFile() override {
    if (file_ == ReportFilePlatform::kNoFile) return;
    platform_.Close(file_);
    RemoveTemporary();
  }

  bool Write(const char* data, std::size_t size) override {
    while (!failed_ && size > 0) {
      const std::size_t written = platform_.WriteSome(file_, data, size);
      if (written == 0) failed_ = true;
      data += written;
      size -= written;
    }
    return !failed_;
  }

  bool Close() override {
    bool ok = !failed_ && (!temporary_path_.empty() || NameUnnamedFile());
    if (!platform_.Close(std::exchange(file_, ReportFilePlatform::kNoFile))) ok = false;
    if (ok) ok = platform_.Replace(temporary_path_, path_);
    if (ok) {
      ForgetTemporary();
    } else {
      RemoveTemporary();
    }
    return ok;
  }

 private:
  // Gives the whole unnamed file a hidden temporary name in its folder, from
  // where it is moved over the report.
  bool NameUnnamedFile() {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      fs::path candidate = TemporaryReportPath(path_, platform_.ProcessId());
      const Outcome outcome = platform_.NameUnnamed(file_, candidate);
      if (outcome == Outcome::kDone) {
        temporary_path_ = std::move(candidate);
        signal_token_ = platform_.RemoveIfEnded(temporary_path_);
        return true;
      }
      if (outcome == Outcome::kFailed) return false;
    }
    return false;
  }

  void RemoveTemporary() {
    if (temporary_path_.empty()) return;
    platform_.Remove(temporary_path_);
    ForgetTemporary();
  }

  void ForgetTemporary() { platform_.Forget(std::exchange(signal_token_, -1)); }

  ReportFilePlatform& platform_;
  Descriptor file_;
  fs::path temporary_path_;
  fs::path path_;
  int signal_token_ = -1;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<ReportFile> DiskReportFileSystem::Create(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(path, error))) return nullptr;
  fs::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  if (std::find(swept_folders_.begin(), swept_folders_.end(), folder) == swept_folders_.end()) {
    RemoveStaleTemporaryFiles(folder);
    swept_folders_.push_back(folder);
  }
  if (hiding_ == Hiding::kUnnamedWhereSupported) {
    const Descriptor file = platform_.OpenUnnamed(folder);
    if (file != ReportFilePlatform::kNoFile) {
      return std::make_unique<DiskReportFile>(platform_, file, fs::path(), path);
    }
  }
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    fs::path temporary_path = TemporaryReportPath(path, platform_.ProcessId());
    Descriptor file = ReportFilePlatform::kNoFile;
    const Outcome outcome = platform_.CreateNew(temporary_path, &file);
    if (outcome == Outcome::kDone) {
      return std::make_unique<DiskReportFile>(platform_, file, std::move(temporary_path), path);
    }
    if (outcome == Outcome::kFailed) return nullptr;
  }
  return nullptr;
}

bool DiskReportFileSystem::CreateFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directory(folder, error);
  if (error) return false;
  return fs::is_directory(folder, error);
}

void DiskReportFileSystem::RemoveStaleTemporaryFiles(const fs::path& folder) {
  const std::uint64_t self = platform_.ProcessId();
  // A folder that cannot be listed, or memory that runs out, ends the sweep;
  // the report is written all the same.
  try {
    std::vector<DirectoryEntry> entries;
    if (ListDirectory(folder, &entries) != Listing::kListed) return;
    for (const DirectoryEntry& entry : entries) {
      const std::optional<std::uint64_t> writer = TemporaryReportWriter(entry.path.filename());
      if (!writer || *writer == self) continue;
      std::error_code error;
      if (!fs::is_regular_file(fs::symlink_status(entry.path, error))) continue;
      if (!platform_.ProcessRuns(*writer)) platform_.Remove(entry.path);
    }
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace dravelin
