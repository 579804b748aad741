#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <initializer_list>

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

}  // namespace dravelin
