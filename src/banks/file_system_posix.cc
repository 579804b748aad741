#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "banks/file_system.h"

namespace dravelin {
namespace {

struct DirectoryCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

}  // namespace

const std::string_view kPathSeparators = "/";

// readdir() directly: std::filesystem's directory iteration ends the program
// when memory runs out while it names an entry.
Listing ListDirectory(const std::filesystem::path& directory,
                      std::vector<DirectoryEntry>* entries) {
  const std::unique_ptr<DIR, DirectoryCloser> listing(::opendir(directory.c_str()));
  if (listing == nullptr) return errno == ENOMEM ? Listing::kOutOfMemory : Listing::kCannotList;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(listing.get());
    if (entry == nullptr) return errno == ENOMEM ? Listing::kOutOfMemory : Listing::kListed;
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    entries->push_back(DirectoryEntry{std::string(name), directory / name});
  }
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
