#include "banks/bank_name.h"

#include <cstdint>

#include "banks/bank.h"
#include "banks/file_system.h"

namespace dravelin {
namespace {

bool IsContinuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  std::uint8_t low = 0x80;  // the second byte's range, narrowed where the lead
  std::uint8_t high = 0xBF;  // allows overlong forms, surrogates or > U+10FFFF
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(byte(i))) return 0;
  }
  return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

std::string BankNameFromPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot != std::string_view::npos) path = path.substr(0, dot);
  const std::size_t separator = path.find_last_of(kPathSeparators);
  if (separator != std::string_view::npos) path = path.substr(separator + 1);
  return std::string(path);
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
  for (char& c : name) {
    if (static_cast<std::uint8_t>(c) < 0x20 || c == 0x7F) c = '_';
  }
  return name;
}

}  // namespace dravelin
