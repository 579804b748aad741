#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "banks/file_system.h"

namespace dravelin {

const std::string_view kPathSeparators = "/";

bool ListDirectory(const std::filesystem::path& directory, std::vector<DirectoryEntry>* entries) {
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  if (error) return false;
  // A listing that fails part way ends like its last entry.
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    entries->push_back(DirectoryEntry{it->path().filename().string(), it->path()});
  }
  return true;
}

bool IsRegularFile(const std::filesystem::path& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::FILE* OpenRegularFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) ::close(fd);
  return file;
}

std::string PathText(const std::filesystem::path& path) { return path.native(); }

std::filesystem::path PathFromText(std::string_view text) { return std::filesystem::path(text); }

}  // namespace dravelin
