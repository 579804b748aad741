// How the bytes of one pane line become the characters the pane shows.
//
// Report lines are bytes: mostly ASCII, with bank names that come from file
// names, which may be UTF-8 or the Windows code page. Every line is decided
// on its own: a line that is valid UTF-8 shows as UTF-8, any other line as
// Windows-1252, one character per byte. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90 and 0x9D) show as the control characters
// of the same number, so every byte has a character and nothing is lost.
//
// "Characters" here are Unicode code points. Below U+10000 a character is
// also one UTF-16 unit, so for such text a character column is the index
// into the decoded UTF-16 line.

#ifndef DRAVELIN_PANE_LINE_DECODING_H_
#define DRAVELIN_PANE_LINE_DECODING_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "base/utf8.h"

namespace dravelin {

// The code points of `utf8`, which must be valid UTF-8.
std::size_t Utf8CharCount(std::string_view utf8);

// The number of characters the line shows: its code points when it is valid
// UTF-8, else its bytes.
std::size_t LineCharCount(std::string_view bytes);

// The characters the line shows, appended to `out` in UTF-16 or UTF-8.
void AppendDecodedUtf16(std::string_view bytes, std::u16string& out);
void AppendDecodedUtf8(std::string_view bytes, std::string& out);

// The characters the line shows, in UTF-16 (for a view built on UTF-16
// strings) or in UTF-8. A line that is valid UTF-8 comes back unchanged from
// DecodeLineUtf8.
std::u16string DecodeLineUtf16(std::string_view bytes);
std::string DecodeLineUtf8(std::string_view bytes);

}  // namespace dravelin

#endif  // DRAVELIN_PANE_LINE_DECODING_H_
