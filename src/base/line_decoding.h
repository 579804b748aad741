// How the bytes of one line become the characters it shows: in the pane, on
// the status line and in every text the program hands on as UTF-8 (the
// catalogue's names).
//
// Report lines are bytes: mostly ASCII, with bank names that come from file
// names, which may be UTF-8 or the Windows code page, and one line may name
// banks of both kinds. So every well-formed UTF-8 sequence shows as the
// character it encodes, and every other byte as its Windows-1252 character,
// one character per byte. The five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90 and 0x9D) show as the control characters of the
// same number, so every byte has a character and nothing is lost.
//
// "Characters" here are Unicode code points. Below U+10000 a character is
// also one UTF-16 unit, so for such text a character column is the index
// into the decoded UTF-16 line.

#ifndef DRAVELIN_BASE_LINE_DECODING_H_
#define DRAVELIN_BASE_LINE_DECODING_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "base/utf8.h"

namespace dravelin {

// The code points of `utf8`, which must be valid UTF-8.
std::size_t Utf8CharCount(std::string_view utf8);

// The number of characters the line shows.
std::size_t LineCharCount(std::string_view bytes);

// The UTF-16 units of the characters the line shows: its characters, and one
// more for each character above U+FFFF.
std::size_t LineUtf16Length(std::string_view bytes);

// Calls visit(code_point, byte_length) for each character the line shows, in
// order.
template <typename Visit>
void VisitLineCharacters(std::string_view bytes, Visit&& visit);

// The character that `byte` stands for when it is not part of a UTF-8
// sequence.
char16_t Cp1252Character(unsigned char byte);

// The characters the line shows, appended to `out` in UTF-16 or UTF-8.
void AppendDecodedUtf16(std::string_view bytes, std::u16string& out);
void AppendDecodedUtf8(std::string_view bytes, std::string& out);

// The characters the line shows, in UTF-16 (for a view built on UTF-16
// strings) or in UTF-8. A line that is valid UTF-8 comes back unchanged from
// DecodeLineUtf8.
std::u16string DecodeLineUtf16(std::string_view bytes);
std::string DecodeLineUtf8(std::string_view bytes);

// Appends `code_point` to `out` in UTF-8 or UTF-16.
void AppendUtf8(char32_t code_point, std::string& out);
void AppendUtf16(char32_t code_point, std::u16string& out);

template <typename Visit>
void VisitLineCharacters(std::string_view bytes, Visit&& visit) {
  char32_t code_point = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      visit(char32_t{byte}, std::size_t{1});
      ++i;
    } else if (const std::size_t length = Utf8SequenceAt(bytes, i, code_point)) {
      visit(code_point, length);
      i += length;
    } else {
      visit(char32_t{Cp1252Character(byte)}, std::size_t{1});
      ++i;
    }
  }
}

}  // namespace dravelin

#endif  // DRAVELIN_BASE_LINE_DECODING_H_
