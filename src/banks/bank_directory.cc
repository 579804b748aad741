#include "banks/bank_directory.h"

#include <new>
#include <system_error>

#include "banks/bank_file.h"

namespace dravelin {
namespace {

bool EndsWithSyx(std::string_view name) {
  constexpr std::string_view kExtension = ".syx";
  if (name.size() < kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

MessageCode ReadMatchingFiles(const std::filesystem::path& directory, const std::string& prefix,
                              BankSet& set) {
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  if (error) return kNoBankFiles;
  bool found_any = false;
  std::size_t patches_left = kMaxPatchesPerSet;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string file_name = it->path().filename().string();
    if (!IsBankFileName(file_name)) continue;
    std::error_code status_error;
    if (!std::filesystem::is_regular_file(it->path(), status_error)) continue;
    found_any = true;
    Bank bank;
    const MessageCode code = ReadBankFile(prefix + file_name, bank, &patches_left);
    if (code != kAllIsOk) return code;
    set.push_back(std::move(bank));
    if (set.size() == kMaxBanksPerSet) return kAllIsOk;
  }
  // A listing that fails part way ends the directory like its last entry.
  return found_any ? kAllIsOk : kNoBankFiles;
}

}  // namespace

bool IsBankFileName(std::string_view file_name) {
  return !file_name.empty() && file_name.front() != '.' && EndsWithSyx(file_name);
}

MessageCode ReadBankDirectory(const std::filesystem::path& working_dir,
                              std::string_view directory_name, BankSet& set) {
  try {
    std::error_code error;
    std::filesystem::path root = std::filesystem::absolute(working_dir, error);
    if (error) root = working_dir;
    const std::filesystem::path directory = (root / std::string(directory_name)).lexically_normal();
    // The absolute path of each file: the working directory, the directory
    // name and the file name joined by the platform's separator.
    std::string prefix = directory.string();
    prefix += std::filesystem::path::preferred_separator;
    return ReadMatchingFiles(directory, prefix, set);
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
}

}  // namespace dravelin
