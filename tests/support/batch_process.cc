#include "tests/support/batch_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace dravelin::testing {
namespace {

// Reads both pipes to their ends into `out` and `err`, whichever has data.
void DrainPipes(int out_fd, int err_fd, std::string& out, std::string& err) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&out, &err};
  int open_pipes = 2;
  while (open_pipes > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open_pipes;
      }
    }
  }
}

}  // namespace

BatchOutcome RunBatchProcess(const std::filesystem::path& binary,
                             const std::filesystem::path& working_dir,
                             const std::vector<std::string>& args, std::uint64_t file_size_limit,
                             StandardOutput standard_output,
                             std::uint64_t address_space_limit) {
  BatchOutcome outcome;
  int out_pipe[2];
  int err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0) return outcome;
  if (::pipe2(err_pipe, O_CLOEXEC) != 0) {
    ::close(out_pipe[0]);
    ::close(out_pipe[1]);
    return outcome;
  }

  std::vector<std::string> argv_strings = {binary.string()};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : argv_strings) argv.push_back(s.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null_fd = ::open("/dev/null", O_RDONLY);
    if (null_fd < 0 || ::dup2(null_fd, 0) < 0 || ::dup2(out_pipe[1], 1) < 0 ||
        ::dup2(err_pipe[1], 2) < 0 || ::chdir(working_dir.c_str()) != 0) {
      ::_exit(127);
    }
    if (standard_output == StandardOutput::kClosed) ::close(1);
    if (file_size_limit > 0) {
      // An ignored signal stays ignored across exec, and so does the limit.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit = {static_cast<rlim_t>(file_size_limit),
                            static_cast<rlim_t>(file_size_limit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(127);
    }
    if (address_space_limit > 0) {
      const rlimit limit = {static_cast<rlim_t>(address_space_limit),
                            static_cast<rlim_t>(address_space_limit)};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(127);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  if (pid > 0) DrainPipes(out_pipe[0], err_pipe[0], outcome.out, outcome.err);
  ::close(out_pipe[0]);
  ::close(err_pipe[0]);
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid) {
    if (WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  }
  return outcome;
}

}  // namespace dravelin::testing
