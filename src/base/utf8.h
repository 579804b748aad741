// Telling UTF-8 text from other bytes: bank names and pane lines come from
// file names and reports in any encoding, and are shown as UTF-8 only where
// they are UTF-8.

#ifndef DRAVELIN_BASE_UTF8_H_
#define DRAVELIN_BASE_UTF8_H_

#include <cstddef>
#include <string_view>

namespace dravelin {

// True when every byte is below 0x80.
bool IsAscii(std::string_view bytes);

// The length of the well-formed UTF-8 sequence that starts at bytes[i] (i
// below bytes.size()), or 0 when none does; stores its code point in
// `code_point`. Well-formed: shortest forms only, no encoded surrogates,
// nothing above U+10FFFF.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i, char32_t& code_point);

// True when `bytes` is well-formed UTF-8 throughout. Plain ASCII (and the
// empty text) is.
bool IsValidUtf8(std::string_view bytes);

}  // namespace dravelin

#endif  // DRAVELIN_BASE_UTF8_H_
