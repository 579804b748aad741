#include <windows.h>

#include <cwchar>
#include <system_error>

#include "banks/file_system.h"

namespace dravelin {
namespace {

// The UTF-8 form of a path, whatever the system's ANSI code page is, so that
// bank names read alike on every system.
std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

const std::string_view kPathSeparators = "/\\";

bool ListDirectory(const std::filesystem::path& directory, std::vector<DirectoryEntry>* entries) {
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  if (error) return false;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    const DWORD attributes = ::GetFileAttributesW(it->path().c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) {
      continue;
    }
    entries->push_back(DirectoryEntry{Utf8Of(it->path().filename()), it->path()});
  }
  return true;
}

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::FILE* OpenRegularFile(const std::filesystem::path& path) {
  if (!IsRegularFile(path)) return nullptr;
  return ::_wfopen(path.c_str(), L"rb");
}

std::string PathText(const std::filesystem::path& path) { return Utf8Of(path); }

std::filesystem::path PathFromText(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace dravelin
