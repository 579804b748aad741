// Report files kept in memory, with ways to make a write or a close fail.

#ifndef DRAVELIN_TESTS_SUPPORT_FAKE_REPORT_FILES_H_
#define DRAVELIN_TESTS_SUPPORT_FAKE_REPORT_FILES_H_

#include <cstddef>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "report/report_file.h"

namespace dravelin::testing {

class FakeReportFiles : public ReportFileSystem {
 public:
  std::unique_ptr<ReportFile> Create(const std::filesystem::path& path) override;
  // Records the folder; fails for one named by FailFolder.
  bool CreateFolder(const std::filesystem::path& folder) override;

  // Damage: opening this path fails.
  void FailOpen(const std::filesystem::path& path) { fail_open_.insert(path); }
  // Damage: making this folder fails.
  void FailFolder(const std::filesystem::path& folder) { fail_folder_.insert(folder); }
  // Damage: writes to any file fail once it holds `bytes` bytes.
  void FailWritesAfter(std::size_t bytes) { write_limit_ = bytes; }
  // Damage: closing any file fails.
  void FailClose() { fail_close_ = true; }

  // The bytes a file holds; empty when it was never created.
  std::string Contents(const std::filesystem::path& path) const;
  bool Created(const std::filesystem::path& path) const { return files_.count(path) != 0; }
  // Paths in the order they were created (a path created twice appears twice).
  const std::vector<std::filesystem::path>& created() const { return created_; }
  // The folders asked for by CreateFolder, in order (failed ones included).
  const std::vector<std::filesystem::path>& folders() const { return folders_; }
  // Files that were created and not yet closed or dropped.
  int open_files() const { return open_files_; }
  // Calls of Close on any file.
  int closes() const { return closes_; }

 private:
  friend class FakeReportFile;
  std::map<std::filesystem::path, std::shared_ptr<std::string>> files_;
  std::vector<std::filesystem::path> created_;
  std::set<std::filesystem::path> fail_open_;
  std::set<std::filesystem::path> fail_folder_;
  std::vector<std::filesystem::path> folders_;
  std::size_t write_limit_ = std::numeric_limits<std::size_t>::max();
  bool fail_close_ = false;
  int open_files_ = 0;
  int closes_ = 0;
};

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_SUPPORT_FAKE_REPORT_FILES_H_
