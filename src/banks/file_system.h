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
  // The entry's name as bytes: as the file system holds it on POSIX, UTF-8
  // on Windows. This is what bank names and their order are made from.
  std::string name;
  // The entry's full path, for opening it.
  std::filesystem::path path;
};

// Appends the entries of `directory` that the platform does not mark as
// hidden or system (Windows' attributes; on POSIX, hiding by a leading '.'
// is the caller's rule), in the order the platform lists them. False when
// the directory cannot be listed (missing, not a directory, no access).
bool ListDirectory(const std::filesystem::path& directory, std::vector<DirectoryEntry>* entries);

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
std::filesystem::path PathFromText(std::string_view text);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_FILE_SYSTEM_H_
