// dravelin-batch: the Dravelin program without a window.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/standard_streams.h"
#include "batch/batch_runner.h"

int main(int argc, char** argv) {
  dravelin::PrepareStandardStreams();
  static char out_buffer[1 << 16];
  std::setvbuf(stdout, out_buffer, _IOFBF, sizeof out_buffer);
  const std::vector<std::string> args = dravelin::ProgramArguments(argc, argv);
  std::error_code error;
  const std::filesystem::path working_dir = std::filesystem::current_path(error);
  if (error) {
    std::fprintf(stderr, "dravelin-batch: cannot determine the current directory: %s\n",
                 error.message().c_str());
    return dravelin::kBatchExitUsage;
  }
  try {
    return dravelin::RunBatch(args, working_dir, stdout, stderr);
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "dravelin-batch: %s\n", e.what());
    return dravelin::kBatchExitUsage;
  }
}
