// Runs the built dravelin-batch program in a folder and captures what it
// printed, for tests that check the program as scripts see it.

#ifndef DRAVELIN_TESTS_SUPPORT_BATCH_PROCESS_H_
#define DRAVELIN_TESTS_SUPPORT_BATCH_PROCESS_H_

#include <filesystem>
#include <string>
#include <vector>

namespace dravelin::testing {

struct BatchOutcome {
  int exit_code = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs `binary` with `args` in `working_dir`, standard input empty.
BatchOutcome RunBatchProcess(const std::filesystem::path& binary,
                             const std::filesystem::path& working_dir,
                             const std::vector<std::string>& args);

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_SUPPORT_BATCH_PROCESS_H_
