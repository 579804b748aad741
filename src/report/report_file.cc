#include "report/report_file.h"

#include <cstdio>

namespace dravelin {
namespace {

class StdioReportFile final : public ReportFile {
 public:
  explicit StdioReportFile(std::FILE* file) : file_(file) {}
  ~StdioReportFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }

  bool Write(const char* data, std::size_t size) override {
    return std::fwrite(data, 1, size, file_) == size;
  }

  bool Close() override {
    std::FILE* file = file_;
    file_ = nullptr;
    const bool flushed = std::fflush(file) == 0 && std::ferror(file) == 0;
    return (std::fclose(file) == 0) && flushed;
  }

 private:
  std::FILE* file_;
};

}  // namespace

std::unique_ptr<ReportFile> DiskReportFileSystem::Create(const std::filesystem::path& path) {
#ifdef _WIN32
  std::FILE* file = _wfopen(path.c_str(), L"wb");
#else
  std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
  if (file == nullptr) return nullptr;
  // The report channel hands over large chunks; the stream's own buffer
  // would only add a copy.
  std::setvbuf(file, nullptr, _IONBF, 0);
  return std::make_unique<StdioReportFile>(file);
}

}  // namespace dravelin
