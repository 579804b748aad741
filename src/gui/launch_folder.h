// What the desktop launcher does before the window starts: the program works
// on Compare and Base below its current folder, while a menu launch starts
// in the home folder, so the launcher prepares ~/Dravelin with both folders
// (created empty on first launch) and starts the program there. A desktop
// entry shows no terminal, so what goes wrong is shown in a dialog.

#ifndef DRAVELIN_GUI_LAUNCH_FOLDER_H_
#define DRAVELIN_GUI_LAUNCH_FOLDER_H_

#include <filesystem>
#include <string>

namespace dravelin {

struct LaunchFolder {
  std::filesystem::path path;  // HOME/Dravelin
  std::string error;           // empty when the folder is ready, else why not
};

// Makes sure that `home`/Dravelin holds the folders Compare and Base,
// creating what is missing. `home` is the HOME variable's value (null when
// it is unset).
LaunchFolder PrepareLaunchFolder(const char* home);

// Shows `message` on standard error and, where there is a display, in an
// error dialog, and returns when the user has closed it.
void ShowLaunchError(int& argc, char** argv, const std::string& message);

}  // namespace dravelin

#endif  // DRAVELIN_GUI_LAUNCH_FOLDER_H_
