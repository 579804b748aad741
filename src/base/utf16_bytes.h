// File names on Windows are UTF-16 code units that need not be text: a
// surrogate may stand alone. Bank names and report names are bytes. These
// turn one into the other without losing anything a file name can hold, and
// without failing on any input.

#ifndef DRAVELIN_BASE_UTF16_BYTES_H_
#define DRAVELIN_BASE_UTF16_BYTES_H_

#include <string>
#include <string_view>

namespace dravelin {

// The bytes of `units`: UTF-8 for every character (a surrogate pair is one),
// and for a surrogate that stands alone the three bytes UTF-8 would give its
// value. Those are not valid UTF-8, so the name reads as any other name
// that is not text.
std::string BytesOfUtf16(std::u16string_view units);

// The units of `bytes`: a well-formed UTF-8 sequence and the three-byte form
// of a surrogate give their units, any other byte gives U+FFFD. The inverse
// of BytesOfUtf16: Utf16OfBytes(BytesOfUtf16(u)) == u for every u.
std::u16string Utf16OfBytes(std::string_view bytes);

}  // namespace dravelin

#endif  // DRAVELIN_BASE_UTF16_BYTES_H_
