#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "app/standard_streams.h"

namespace dravelin {

void PrepareStandardStreams() {
  // In order 0, 1, 2: open gives the lowest free number, which is then the
  // one being filled.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace dravelin
