#include <windows.h>

#include <cwchar>
#include <memory>
#include <system_error>

#include "banks/file_system.h"
#include "base/utf16_bytes.h"

namespace dravelin {
namespace {

// The bytes of a name, whatever the system's ANSI code page is, so that bank
// names read alike on every system; a name that is not valid UTF-16 gives
// bytes that are not valid UTF-8, never a failure.
std::string TextOf(std::wstring_view units) {
  return BytesOfUtf16(std::u16string(units.begin(), units.end()));
}

struct FindCloser {
  void operator()(HANDLE find) const { ::FindClose(find); }
};

}  // namespace

const std::string_view kPathSeparators = "/\\";

// FindFirstFileW directly: std::filesystem's directory iteration ends the
// program when memory runs out while it names an entry.
Listing ListDirectory(const std::filesystem::path& directory,
                      std::vector<DirectoryEntry>* entries) {
  WIN32_FIND_DATAW found;
  const HANDLE first = ::FindFirstFileW((directory / L"*").c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) {
    switch (::GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
        return Listing::kListed;
      case ERROR_NOT_ENOUGH_MEMORY:
      case ERROR_OUTOFMEMORY:
        return Listing::kOutOfMemory;
      default:
        return Listing::kCannotList;
    }
  }
  const std::unique_ptr<void, FindCloser> listing(first);
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool hidden =
        (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    entries->push_back(DirectoryEntry{TextOf(name), directory / name, hidden});
  } while (::FindNextFileW(first, &found));
  const DWORD error = ::GetLastError();
  return error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY ? Listing::kOutOfMemory
                                                                        : Listing::kListed;
}

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::FILE* OpenRegularFile(const std::filesystem::path& path) {
  if (!IsRegularFile(path)) return nullptr;
  return ::_wfopen(path.c_str(), L"rb");
}

std::string PathText(const std::filesystem::path& path) { return TextOf(path.native()); }

std::filesystem::path PathFromText(std::string_view text) {
  const std::u16string units = Utf16OfBytes(text);
  return std::filesystem::path(std::wstring(units.begin(), units.end()));
}

}  // namespace dravelin
