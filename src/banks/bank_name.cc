#include "banks/bank_name.h"

#include <cstdint>

#include "banks/bank.h"
#include "banks/file_system.h"
#include "base/utf8.h"

namespace dravelin {
namespace {

bool IsContinuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string BankNameFromPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  const std::size_t separator = path.find_last_of(kPathSeparators);
  if (separator != std::string_view::npos) path = path.substr(separator + 1);
  return std::string(path);
}

std::string FileNameFromPath(std::string_view path) {
  const std::size_t separator = path.find_last_of(kPathSeparators);
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

void ReplaceControlCharacters(std::string& text) {
  for (char& c : text) {
    if (static_cast<std::uint8_t>(c) < 0x20 || c == 0x7F) c = '_';
  }
}

std::string FitBankName(std::string_view base_name) {
  std::size_t length = base_name.size();
  if (length > kMaxBankNameLength) {
    length = kMaxBankNameLength;
    if (IsValidUtf8(base_name)) {
      while (length > 0 && IsContinuation(static_cast<std::uint8_t>(base_name[length]))) --length;
    }
  }
  std::string name(base_name.substr(0, length));
  ReplaceControlCharacters(name);
  return name;
}

}  // namespace dravelin
