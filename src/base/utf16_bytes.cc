#include "base/utf16_bytes.h"

#include "base/utf8.h"

namespace dravelin {
namespace {

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(char32_t value, std::string& bytes) {
  if (value < 0x80) {
    bytes += static_cast<char>(value);
  } else if (value < 0x800) {
    bytes += static_cast<char>(0xC0 | (value >> 6));
    bytes += static_cast<char>(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    bytes += static_cast<char>(0xE0 | (value >> 12));
    bytes += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (value & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (value >> 18));
    bytes += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (value & 0x3F));
  }
}

// The surrogate encoded at bytes[i] in three bytes (ED A0..BF 80..BF), or 0.
char16_t SurrogateAt(std::string_view bytes, std::size_t i) {
  if (bytes.size() - i < 3) return 0;
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
  const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
  if (b0 != 0xED || b1 < 0xA0 || b1 > 0xBF || (b2 & 0xC0) != 0x80) return 0;
  return static_cast<char16_t>(0xD000 | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
}

}  // namespace

std::string BytesOfUtf16(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t value = units[i];
    if (IsHighSurrogate(value) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      value = 0x10000 + ((value - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(value, bytes);
  }
  return bytes;
}

std::u16string Utf16OfBytes(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t value;
    if (const std::size_t length = Utf8SequenceAt(bytes, i, value); length > 0) {
      if (value >= 0x10000) {
        units += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
      } else {
        units += static_cast<char16_t>(value);
      }
      i += length;
    } else if (const char16_t surrogate = SurrogateAt(bytes, i); surrogate != 0) {
      units += surrogate;
      i += 3;
    } else {
      units += u'\uFFFD';
      ++i;
    }
  }
  return units;
}

}  // namespace dravelin
