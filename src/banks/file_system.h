// What the bank library asks of the platform's file system: listing a
// directory, telling regular files from the rest, and opening a bank file
// for reading. One source file per platform implements it
// (file_system_posix.cc, file_system_windows.cc); the browser's file system
// is POSIX-like and uses the POSIX one.

#ifndef DRAVELIN_BANKS_FILE_SYSTEM_H_
#define DRAVELIN_BANKS_FILE_SYSTEM_H_

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dravelin {

// Characters that end a directory name in a path as text: '/' everywhere,
// and '\' too on Windows (on POSIX systems a backslash is an ordinary
// character of a file name).
extern const std::string_view kPathSeparators;

// One entry of a directory listing.
struct DirectoryEntry {
  // The entry's name as bytes: as the file system holds it on POSIX, and on
  // Windows its UTF-16 units as BytesOfUtf16 gives them (UTF-8 for text).
  // This is what bank names and their order are made from.
  std::string name;
  // The entry's full path, for opening it.
  std::filesystem::path path;
  // Marked hidden or system by the platform (Windows' attributes; on POSIX,
  // hiding by a leading '.' is the caller's rule, and this is false).
  bool hidden = false;
};

// How listing a directory ended.
enum class Listing {
  kListed,       // every entry the directory gave (a listing that fails part
                 // way ends like its last entry)
  kCannotList,   // missing, not a directory, no access
  kOutOfMemory,  // the system had no memory to open or read the directory
};

// Appends the entries of `directory` in the order the platform lists them,
// "." and ".." left out. Memory that runs out while an entry is added throws
// std::bad_alloc from this call, as from any container; nothing in the
// system's listing can end the program instead.
Listing ListDirectory(const std::filesystem::path& directory,
                      std::vector<DirectoryEntry>* entries);

// True when `path` is a regular file once links are followed.
bool IsRegularFile(const std::filesystem::path& path);

// Opens `path` for binary reading when it is a regular file, without
// blocking on anything else (a FIFO or device that replaced the file since
// the directory was listed cannot hang a load). Null otherwise.
std::FILE* OpenRegularFile(const std::filesystem::path& path);

// The path as text in the form bank names are made from (see
// DirectoryEntry::name).
std::string PathText(const std::filesystem::path& path);

// The path that `text`, in the same form, names: the inverse of PathText, so
// a report file named after a bank lands beside it under the same name.
// Never fails: on Windows, bytes that are not in that form (a name cut
// inside a character) each stand for U+FFFD.
std::filesystem::path PathFromText(std::string_view text);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_FILE_SYSTEM_H_
