#include "gui/launch_folder.h"

#include <QApplication>
#include <QString>
#include <cstdio>
#include <memory>
#include <system_error>

#include "gui/desktop_identity.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// Makes `folder` a folder if it is not one yet; says why it cannot be.
std::string EnsureFolder(const fs::path& folder) {
  std::error_code error;
  const fs::file_status entry = fs::symlink_status(folder, error);
  const fs::file_status target = fs::status(folder, error);
  if (fs::is_directory(target)) return {};
  const std::string works_in = "Dravelin works in the folder " + Quoted(folder) + ", but that is ";
  if (fs::is_symlink(entry) && !fs::exists(target)) {
    return works_in + "a link to " + Quoted(fs::read_symlink(folder, error)) +
           ", which does not exist. Create that folder or remove the link, then start Dravelin "
           "again.";
  }
  if (fs::exists(target)) {
    return works_in + "a file. Rename or move the file, then start Dravelin again.";
  }
  if (!fs::create_directory(folder, error) && error) {
    return "Dravelin cannot create its folder " + Quoted(folder) + ": " + error.message() +
           ". Make sure that you may write to " + Quoted(folder.parent_path()) +
           ", then start Dravelin again.";
  }
  return {};
}

}  // namespace

LaunchFolder PrepareLaunchFolder(const char* home) {
  LaunchFolder launch;
  if (home == nullptr || *home == '\0' || !fs::path(home).is_absolute()) {
    launch.error =
        "Dravelin cannot find your home folder (HOME names none), so it has no place for its "
        "folder \"Dravelin\".";
    return launch;
  }
  launch.path = fs::path(home) / "Dravelin";
  for (const fs::path& folder : {launch.path, launch.path / "Compare", launch.path / "Base"}) {
    launch.error = EnsureFolder(folder);
    if (!launch.error.empty()) break;
  }
  return launch;
}

void ShowLaunchError(int& argc, char** argv, const std::string& message) {
  std::fprintf(stderr, "dravelin-launch: %s\n", message.c_str());
  // Without any display the dialog cannot open, and Qt would end the process.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    return;
  }
  std::unique_ptr<QApplication> own_application;
  if (QApplication::instance() == nullptr) {
    own_application = std::make_unique<QApplication>(argc, argv);
    SetUpApplication(*own_application);
  }
  ShowErrorBox(nullptr, QString::fromLocal8Bit(message));
}

}  // namespace dravelin
