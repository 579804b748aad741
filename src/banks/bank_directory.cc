#include "banks/bank_directory.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <system_error>
#include <vector>

#include "banks/bank_file.h"
#include "banks/file_system.h"

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

std::uint8_t FoldedByte(char c) {
  const auto byte = static_cast<std::uint8_t>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<std::uint8_t>(byte - 'a' + 'A') : byte;
}

MessageCode ReadMatchingFiles(const std::filesystem::path& directory, BankSet& set) {
  std::vector<DirectoryEntry> entries;
  switch (ListDirectory(directory, &entries)) {
    case Listing::kListed:
      break;
    case Listing::kCannotList:
      return kNoBankFiles;
    case Listing::kOutOfMemory:
      return kOutOfMemory;
  }
  std::erase_if(entries, [](const DirectoryEntry& entry) {
    return entry.hidden || !IsBankFileName(entry.name);
  });
  std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
    return BankFileNameLess(a.name, b.name);
  });
  bool found_any = false;
  std::size_t patches_left = kMaxPatchesPerSet;
  for (const DirectoryEntry& entry : entries) {
    if (!IsRegularFile(entry.path)) continue;
    found_any = true;
    Bank bank;
    const MessageCode code = ReadBankFile(entry.path, bank, &patches_left);
    if (code != kAllIsOk) return code;
    set.push_back(std::move(bank));
    if (set.size() == kMaxBanksPerSet) return kAllIsOk;
  }
  return found_any ? kAllIsOk : kNoBankFiles;
}

}  // namespace

bool IsBankFileName(std::string_view file_name) {
  return !file_name.empty() && file_name.front() != '.' && EndsWithSyx(file_name);
}

bool BankFileNameLess(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const std::uint8_t x = FoldedByte(a[i]);
    const std::uint8_t y = FoldedByte(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  // Equal once folded ("bank.syx" and "BANK.SYX"): the raw bytes decide.
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return static_cast<std::uint8_t>(x) < static_cast<std::uint8_t>(y); });
}

MessageCode ReadBankDirectory(const std::filesystem::path& working_dir,
                              std::string_view directory_name, BankSet& set) {
  try {
    std::error_code error;
    std::filesystem::path root = std::filesystem::absolute(working_dir, error);
    if (error) root = working_dir;
    return ReadMatchingFiles((root / std::string(directory_name)).lexically_normal(), set);
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
}

}  // namespace dravelin
