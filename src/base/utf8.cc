#include "base/utf8.h"

#include <cstdint>
#include <cstring>

namespace dravelin {

std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i, char32_t& code_point) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  std::size_t length;
  char32_t value;
  char32_t lowest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + k]);
    if ((next & 0xC0u) != 0x80u) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code_point = value;
  return length;
}

bool IsAscii(std::string_view bytes) {
  // Eight bytes at a time; report lines are long runs of ASCII.
  std::size_t i = 0;
  std::uint64_t high = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    high |= word;
  }
  for (; i < bytes.size(); ++i) high |= static_cast<unsigned char>(bytes[i]);
  return (high & 0x8080808080808080u) == 0;
}

bool IsValidUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return true;
  char32_t code_point;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8SequenceAt(bytes, i, code_point);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace dravelin
