// dravelin-launch: what the desktop entry starts. It prepares ~/Dravelin and
// runs the window there; what stops it is shown in a dialog.

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "gui/launch_folder.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const dravelin::LaunchFolder folder = dravelin::PrepareLaunchFolder(std::getenv("HOME"));
  std::string error = folder.error;
  if (error.empty()) {
    std::error_code failure;
    fs::current_path(folder.path, failure);
    if (failure) {
      error = "Dravelin cannot work in the folder \"" + folder.path.string() +
              "\": " + failure.message() + ".";
    }
  }
  if (error.empty()) {
    // The program lies where the package puts it, relative to this launcher.
    std::error_code failure;
    const fs::path self = fs::read_symlink("/proc/self/exe", failure);
    const fs::path program =
        (self.parent_path() / DRAVELIN_PROGRAM_FROM_LAUNCHER / "dravelin").lexically_normal();
    std::vector<char*> arguments(argv, argv + argc + 1);
    arguments[0] = const_cast<char*>(program.c_str());
    execv(program.c_str(), arguments.data());
    error = "Dravelin cannot start the program \"" + program.string() +
            "\": " + std::strerror(errno) + ".";
  }
  dravelin::ShowLaunchError(argc, argv, error);
  return 1;
}
