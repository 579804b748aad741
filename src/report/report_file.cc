#include "report/report_file.h"

#include <random>
#include <string_view>

namespace dravelin {
namespace {

// The part of the report's name that a temporary name repeats, so that it
// stays well within the longest name a file system allows.
constexpr std::size_t kNameStemLength = 160;

}  // namespace

std::filesystem::path TemporaryReportPath(const std::filesystem::path& path) {
  using String = std::filesystem::path::string_type;
  static std::mt19937 random(std::random_device{}());
  constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  String name(1, '.');
  const String report_name = path.filename().native();
  name += report_name.substr(0, kNameStemLength);
  name += '.';
  for (int i = 0; i < 6; ++i) {
    name += static_cast<std::filesystem::path::value_type>(kAlphabet[pick(random)]);
  }
  return path.parent_path() / name;
}

}  // namespace dravelin
