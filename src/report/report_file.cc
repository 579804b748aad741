#include "report/report_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string_view>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dravelin {
namespace {

namespace fs = std::filesystem;

// Attempts at a free temporary name before giving up.
constexpr int kNameAttempts = 64;
// The part of the report's name that a temporary name repeats, so that it
// stays well within the longest name a file system allows.
constexpr std::size_t kNameStemLength = 160;

// ".<report name>.<six random letters or digits>": hidden from the bank
// search by its leading '.', and never ending in ".syx".
fs::path TemporaryPath(const fs::path& path) {
  static std::mt19937 random(std::random_device{}());
  constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  fs::path::string_type name(1, '.');
  const fs::path::string_type report_name = path.filename().native();
  name += report_name.substr(0, kNameStemLength);
  name += '.';
  for (int i = 0; i < 6; ++i) name += static_cast<fs::path::value_type>(kAlphabet[pick(random)]);
  return path.parent_path() / name;
}

// Creates a new file for writing, never opening an existing one. Null with
// errno set when that fails (EEXIST: the name is taken).
std::FILE* CreateNewFile(const fs::path& path) {
#ifdef _WIN32
  const int fd =
      ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = ::_fdopen(fd, "wb");
  if (file == nullptr) ::_close(fd);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) ::close(fd);
#endif
  if (file == nullptr) {
    std::error_code ignored;
    fs::remove(path, ignored);
    errno = ENOMEM;
  }
  return file;
}

class DiskReportFile final : public ReportFile {
 public:
  DiskReportFile(std::FILE* file, fs::path temporary_path, fs::path path)
      : file_(file), temporary_path_(std::move(temporary_path)), path_(std::move(path)) {}

  ~DiskReportFile() override {
    if (file_ == nullptr) return;
    std::fclose(file_);
    RemoveTemporary();
  }

  bool Write(const char* data, std::size_t size) override {
    if (!failed_ && std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
  }

  bool Close() override {
    std::FILE* file = std::exchange(file_, nullptr);
    bool ok = !failed_ && std::fflush(file) == 0 && std::ferror(file) == 0;
    if (std::fclose(file) != 0) ok = false;
    if (ok) {
      // Replaces the entry under the report's name, whatever it is, without
      // following a link.
      std::error_code error;
      fs::rename(temporary_path_, path_, error);
      ok = !error;
    }
    if (!ok) RemoveTemporary();
    return ok;
  }

 private:
  void RemoveTemporary() {
    std::error_code ignored;
    fs::remove(temporary_path_, ignored);
  }

  std::FILE* file_;
  fs::path temporary_path_;
  fs::path path_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<ReportFile> DiskReportFileSystem::Create(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(path, error))) return nullptr;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    fs::path temporary_path = TemporaryPath(path);
    std::FILE* file = CreateNewFile(temporary_path);
    if (file == nullptr) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
    // The report channel hands over large chunks; the stream's own buffer
    // would only add a copy.
    std::setvbuf(file, nullptr, _IONBF, 0);
    return std::make_unique<DiskReportFile>(file, std::move(temporary_path), path);
  }
  return nullptr;
}

}  // namespace dravelin
