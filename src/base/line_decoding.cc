#include "base/line_decoding.h"

#include <cstdint>
#include <cstring>

namespace dravelin {
namespace {

// Windows-1252 at 0x80..0x9F; the bytes the code page leaves undefined stand
// for the control characters of the same number.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t Cp1252Character(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t{byte};
}

void AppendUtf16(char32_t code_point, std::u16string& out) {
  if (code_point < 0x10000) {
    out += static_cast<char16_t>(code_point);
  } else {
    code_point -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code_point >> 10));
    out += static_cast<char16_t>(0xDC00 + (code_point & 0x3FF));
  }
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t Utf8CharCount(std::string_view utf8) {
  // Every byte but a continuation byte starts a character.
  std::size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
  return count;
}

std::size_t LineCharCount(std::string_view bytes) {
  if (IsAscii(bytes)) return bytes.size();
  std::size_t count = 0;
  VisitLineCharacters(bytes, [&](char32_t, std::size_t) { ++count; });
  return count;
}

std::size_t LineUtf16Length(std::string_view bytes) {
  if (IsAscii(bytes)) return bytes.size();
  std::size_t units = 0;
  VisitLineCharacters(bytes, [&](char32_t c, std::size_t) { units += c < 0x10000 ? 1 : 2; });
  return units;
}

void AppendDecodedUtf16(std::string_view bytes, std::u16string& out) {
  const std::size_t at = out.size();
  if (IsAscii(bytes)) {
    // Most lines: one unit per byte, widened in one pass.
    out.resize(at + bytes.size());
    char16_t* units = out.data() + at;
    for (std::size_t i = 0; i < bytes.size(); ++i) units[i] = static_cast<unsigned char>(bytes[i]);
    return;
  }
  out.reserve(at + bytes.size());
  VisitLineCharacters(bytes, [&](char32_t c, std::size_t) { AppendUtf16(c, out); });
}

void AppendDecodedUtf8(std::string_view bytes, std::string& out) {
  if (IsValidUtf8(bytes)) {
    out.append(bytes);
    return;
  }
  VisitLineCharacters(bytes, [&](char32_t c, std::size_t) { AppendUtf8(c, out); });
}

std::u16string DecodeLineUtf16(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  AppendDecodedUtf16(bytes, text);
  return text;
}

std::string DecodeLineUtf8(std::string_view bytes) {
  std::string text;
  AppendDecodedUtf8(bytes, text);
  return text;
}

}  // namespace dravelin
