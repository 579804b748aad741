#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <initializer_list>
#include <utility>

#include "app/standard_streams.h"

namespace dravelin {

void PrepareStandardStreams() {
  struct Stream {
    std::FILE* file;
    const char* mode;
  };
  for (const Stream& stream : {Stream{stdin, "r"}, Stream{stdout, "w"}, Stream{stderr, "w"}}) {
    const int fd = ::_fileno(stream.file);
    if (fd < 0 || ::_get_osfhandle(fd) == -1) {
      if (std::freopen("NUL", stream.mode, stream.file) == nullptr) continue;
    }
    ::_setmode(::_fileno(stream.file), _O_BINARY);
  }
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
    argument.resize(argument.size() - 1);  // the terminating zero
    arguments.push_back(std::move(argument));
  }
  ::LocalFree(wide);
  return arguments;
}

}  // namespace dravelin
