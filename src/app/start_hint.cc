#include "app/start_hint.h"

#include <system_error>

namespace dravelin {
namespace {

std::string FullPath(const std::filesystem::path& working_dir, const char* folder) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(working_dir / folder, error);
  if (error) path = working_dir / folder;
  return path.lexically_normal().string();
}

}  // namespace

std::vector<std::string> StartHintLines(const std::filesystem::path& working_dir) {
  return {
      "Copy your sysex bank files (*.syx) into " + FullPath(working_dir, "Compare"),
      "(and the banks already on your keyboard into " + FullPath(working_dir, "Base") + "),",
      "then choose \"Read Input Sysex Files Again\" in the \"General Control\" menu.",
  };
}

}  // namespace dravelin
