#include "tests/support/real_banks.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace dravelin::testing {

namespace fs = std::filesystem;

int GatherRealBankFiles(const fs::path& banks, const fs::path& compare, Gather how) {
  fs::create_directories(compare);
  int gathered = 0;
  for (const auto& entry : fs::recursive_directory_iterator(banks)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!entry.is_regular_file() || extension != ".syx") continue;
    std::string name = fs::relative(entry.path(), banks).string();
    std::replace(name.begin(), name.end(), '/', '_');
    if (how == Gather::kLink) {
      fs::create_symlink(entry.path(), compare / name);
    } else {
      fs::copy_file(entry.path(), compare / name, fs::copy_options::overwrite_existing);
    }
    ++gathered;
  }
  return gathered;
}

}  // namespace dravelin::testing
