#include "banks/bank_file.h"

#include <cstdio>
#include <new>

#include "banks/program_dump.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravelin {
namespace {

// Opens `path` for binary reading when it is a regular file. On POSIX the
// file is opened without blocking and checked after opening, so a FIFO or
// device that replaced the file since the directory was listed cannot hang
// the load.
std::FILE* OpenRegularFile(const std::string& path) {
#ifdef _WIN32
  return std::fopen(path.c_str(), "rb");
#else
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
#endif
}

// Characters that end a directory name in a path. On POSIX systems a
// backslash is an ordinary character of a file name (the file a\b.syx is the
// bank a\b), so only '/' separates there.
#ifdef _WIN32
constexpr std::string_view kDirectorySeparators = "/\\";
#else
constexpr std::string_view kDirectorySeparators = "/";
#endif

}  // namespace

std::string BankNameFromPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  const std::size_t separator = path.find_last_of(kDirectorySeparators);
  if (separator != std::string_view::npos) path = path.substr(separator + 1);
  return std::string(path);
}

MessageCode ReadProgramDumps(ByteStream& in, Bank& bank, std::size_t* patches_left) {
  ProgramData data;
  for (;;) {
    std::uint8_t program_number = 0;
    if (FindProgramDump(in, &program_number) != kAllIsOk) return kAllIsOk;
    if (UnpackProgramData(in, data) != kAllIsOk) return kAllIsOk;
    if (*patches_left == 0) return kOutOfMemory;
    try {
      bank.patches.push_back(NewPatch(data, program_number));
    } catch (const std::bad_alloc&) {
      return kOutOfMemory;
    }
    --*patches_left;
  }
}

MessageCode ReadBankFile(const std::string& path, Bank& bank, std::size_t* patches_left) {
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return kSyxFileOpenError;
  bank.name = BankNameFromPath(path);
  if (bank.name.size() > kMaxBankNameLength) bank.name.resize(kMaxBankNameLength);
  MessageCode result;
  {
    ByteStream in(file);
    result = ReadProgramDumps(in, bank, patches_left);
  }
  std::fclose(file);
  return result;
}

}  // namespace dravelin
