#include "tests/support/fake_report_files.h"

#include <algorithm>

namespace dravelin::testing {

class FakeReportFile final : public ReportFile {
 public:
  FakeReportFile(FakeReportFiles& owner, std::shared_ptr<std::string> contents)
      : owner_(owner), contents_(std::move(contents)) {}
  ~FakeReportFile() override {
    if (!closed_) --owner_.open_files_;
  }

  bool Write(const char* data, std::size_t size) override {
    const std::size_t room =
        owner_.write_limit_ > contents_->size() ? owner_.write_limit_ - contents_->size() : 0;
    contents_->append(data, std::min(size, room));
    return size <= room;
  }

  bool Close() override {
    closed_ = true;
    --owner_.open_files_;
    ++owner_.closes_;
    return !owner_.fail_close_;
  }

 private:
  FakeReportFiles& owner_;
  std::shared_ptr<std::string> contents_;
  bool closed_ = false;
};

std::unique_ptr<ReportFile> FakeReportFiles::Create(const std::filesystem::path& path) {
  if (fail_open_.count(path) != 0) return nullptr;
  auto contents = std::make_shared<std::string>();
  files_[path] = contents;
  created_.push_back(path);
  ++open_files_;
  return std::make_unique<FakeReportFile>(*this, contents);
}

bool FakeReportFiles::CreateFolder(const std::filesystem::path& folder) {
  folders_.push_back(folder);
  return fail_folder_.count(folder) == 0;
}

std::string FakeReportFiles::Contents(const std::filesystem::path& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? std::string() : *it->second;
}

}  // namespace dravelin::testing
