// The desktop launcher: preparing ~/Dravelin, and how it tells what stops it.

#include "gui/launch_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/gui/gui_test_support.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

// A home folder in one of the states a launch can meet.
enum class Home {
  kEmpty,
  kFolderWithCompareOnly,
  kLinkToFolder,
  kFile,
  kDanglingLink,
  kCompareIsFile,
  kNotWritable,
};

TEST(LaunchFolderTest, PreparesTheFolderOrSaysWhyNot) {
  struct Case {
    Home home;
    std::vector<std::string> error_says;  // empty: prepared
  };
  const Case cases[] = {
      {Home::kEmpty, {}},
      {Home::kFolderWithCompareOnly, {}},
      {Home::kLinkToFolder, {}},
      {Home::kFile, {"/Dravelin\", but that is a file.", "Rename or move the file"}},
      {Home::kDanglingLink,
       {"/Dravelin\", but that is a link to \"", "/gone\", which does not exist."}},
      {Home::kCompareIsFile, {"/Dravelin/Compare\", but that is a file."}},
      {Home::kNotWritable,
       {"Dravelin cannot create its folder \"", "Make sure that you may write"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.home));
    testing::TempDir dir;
    fs::path home = dir.path();
    switch (c.home) {
      case Home::kEmpty:
        break;
      case Home::kFolderWithCompareOnly:
        dir.WriteFile("Dravelin/Compare/Kept.syx", "bank");
        break;
      case Home::kLinkToFolder:
        fs::create_directory(home / "Elsewhere");
        fs::create_directory_symlink(home / "Elsewhere", home / "Dravelin");
        break;
      case Home::kFile:
        dir.WriteFile("Dravelin", "a file");
        break;
      case Home::kDanglingLink:
        fs::create_symlink(home / "gone", home / "Dravelin");
        break;
      case Home::kCompareIsFile:
        dir.WriteFile("Dravelin/Compare", "a file");
        break;
      case Home::kNotWritable:
        // The superuser may write anywhere on disk, though not in /sys.
        if (geteuid() == 0) {
          home = "/sys";
        } else {
          fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec);
        }
        break;
    }
    const LaunchFolder launch = PrepareLaunchFolder(home.c_str());
    EXPECT_EQ(launch.path, home / "Dravelin");
    if (c.error_says.empty()) {
      EXPECT_EQ(launch.error, "");
      EXPECT_TRUE(fs::is_directory(home / "Dravelin" / "Compare"));
      EXPECT_TRUE(fs::is_directory(home / "Dravelin" / "Base"));
    } else {
      for (const std::string& part : c.error_says) {
        EXPECT_NE(launch.error.find(part), std::string::npos) << launch.error;
      }
    }
    if (c.home == Home::kFolderWithCompareOnly) {
      EXPECT_TRUE(dir.Exists("Dravelin/Compare/Kept.syx"));
    }
    if (c.home == Home::kFile) {
      EXPECT_TRUE(fs::is_regular_file(home / "Dravelin"));
    }
    fs::permissions(dir.path(), fs::perms::owner_all);
  }
  for (const char* home : {static_cast<const char*>(nullptr), "", "relative/home"}) {
    EXPECT_NE(PrepareLaunchFolder(home).error.find("cannot find your home folder"),
              std::string::npos);
  }
}

TEST(LaunchFolderTest, ErrorsAreShownInTheApplicationsErrorBox) {
  testing::MessageBoxCatcher catcher;
  int argc = 1;
  char name[] = "dravelin-launch";
  char* argv[] = {name, nullptr};
  ShowLaunchError(argc, argv, "Dravelin works in the folder \"/home/x/Dravelin\", but...");
  EXPECT_EQ(catcher.boxes, std::vector<QString>{"Dravelin|Dravelin works in the folder "
                                                "\"/home/x/Dravelin\", but...|critical"});
}

// The launcher itself, started as a desktop entry starts it: without a
// display it can only tell standard error, and it ends with status 1.
TEST(LaunchFolderTest, LauncherWithoutADisplayTellsStandardError) {
  testing::TempDir dir;
  dir.WriteFile("Dravelin", "a file");
  QProcessEnvironment environment;
  environment.insert("HOME", QString::fromStdString(dir.path().string()));
  environment.insert("PATH", "/usr/bin:/bin");
  QProcess launcher;
  launcher.setProcessEnvironment(environment);
  launcher.start(DRAVELIN_LAUNCH_BINARY, {});
  ASSERT_TRUE(launcher.waitForFinished(10000));
  EXPECT_EQ(launcher.exitCode(), 1);
  EXPECT_TRUE(QString::fromLocal8Bit(launcher.readAllStandardError())
                  .startsWith("dravelin-launch: Dravelin works in the folder"));
}

}  // namespace
}  // namespace dravelin
