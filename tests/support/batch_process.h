// Runs the built dravelin-batch program in a folder and captures what it
// printed, for tests that check the program as scripts see it.

#ifndef DRAVELIN_TESTS_SUPPORT_BATCH_PROCESS_H_
#define DRAVELIN_TESTS_SUPPORT_BATCH_PROCESS_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dravelin::testing {

struct BatchOutcome {
  int exit_code = -1;  // -1 when the program did not exit normally
  int signal = 0;      // the signal that ended it, if one did
  std::string out;
  std::string err;
};

// Where the program's standard output goes.
enum class StandardOutput {
  kPipe,    // captured into BatchOutcome::out
  kClosed,  // the program starts with descriptor 1 closed
};

// Runs `binary` with `args` in `working_dir`, standard input empty. With a
// `file_size_limit` above 0, no file the program writes may grow beyond that
// many bytes (a write past it fails; SIGXFSZ is ignored); its standard
// output and error are pipes, which the limit does not reach. With an
// `address_space_limit` above 0, the program may map no more than that many
// bytes (ulimit -v).
BatchOutcome RunBatchProcess(const std::filesystem::path& binary,
                             const std::filesystem::path& working_dir,
                             const std::vector<std::string>& args,
                             std::uint64_t file_size_limit = 0,
                             StandardOutput standard_output = StandardOutput::kPipe,
                             std::uint64_t address_space_limit = 0);

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_SUPPORT_BATCH_PROCESS_H_
