#include "tests/support/batch_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace dravelin::testing {
namespace {

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

}  // namespace

BatchOutcome RunBatchProcess(const std::filesystem::path& binary,
                             const std::filesystem::path& working_dir,
                             const std::vector<std::string>& args) {
  char out_name[] = "/tmp/dravelin-batch-out-XXXXXX";
  char err_name[] = "/tmp/dravelin-batch-err-XXXXXX";
  const int out_fd = ::mkstemp(out_name);
  const int err_fd = ::mkstemp(err_name);
  BatchOutcome outcome;
  if (out_fd < 0 || err_fd < 0) return outcome;

  std::vector<std::string> argv_strings = {binary.string()};
  argv_strings.insert(argv_strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : argv_strings) argv.push_back(s.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null_fd = ::open("/dev/null", O_RDONLY);
    if (null_fd < 0 || ::dup2(null_fd, 0) < 0 || ::dup2(out_fd, 1) < 0 || ::dup2(err_fd, 2) < 0 ||
        ::chdir(working_dir.c_str()) != 0) {
      ::_exit(127);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    outcome.exit_code = WEXITSTATUS(status);
  }
  ::close(out_fd);
  ::close(err_fd);
  outcome.out = Slurp(out_name);
  outcome.err = Slurp(err_name);
  std::remove(out_name);
  std::remove(err_name);
  return outcome;
}

}  // namespace dravelin::testing
