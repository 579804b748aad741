// Windows file names as bytes: text as UTF-8, a surrogate standing alone in
// a form that is not UTF-8, and back again without loss or failure.

#include "base/utf16_bytes.h"

#include <string>

#include "base/utf8.h"
#include "gtest/gtest.h"

namespace dravelin {
namespace {

TEST(Utf16BytesTest, NamesBecomeBytesAndComeBackUnchanged) {
  struct Case {
    const char* what;
    std::u16string units;
    std::string bytes;
    bool text;  // the bytes are valid UTF-8
  };
  const Case cases[] = {
      {"ASCII", u"Bank 1.syx", "Bank 1.syx", true},
      {"Latin and CJK", u"Caf\u00E9 \u97F3", "Caf\xC3\xA9 \xE9\x9F\xB3", true},
      {"a pair", u"\U0001F3B9.syx", "\xF0\x9F\x8E\xB9.syx", true},
      {"U+FFFD itself", u"\uFFFD", "\xEF\xBF\xBD", true},
      {"high alone", u"a\xD800" "b", "a\xED\xA0\x80" "b", false},
      {"low alone", u"a\xDFFF", "a\xED\xBF\xBF", false},
      {"high at the end", u"ab\xDBFF", "ab\xED\xAF\xBF", false},
      {"low before high", u"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80", false},
      {"two highs, then a pair", u"\xD800\xD800\xDC00", "\xED\xA0\x80\xF0\x90\x80\x80", false},
      {"empty", u"", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string bytes = BytesOfUtf16(c.units);
    EXPECT_EQ(bytes, c.bytes);
    EXPECT_EQ(IsValidUtf8(bytes), c.text);
    EXPECT_EQ(Utf16OfBytes(bytes), c.units);
  }
}

// Bytes that no name gives (a name cut inside a character, or bytes from
// another system) still name a file: each stray byte stands for U+FFFD.
TEST(Utf16BytesTest, StrayBytesBecomeReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::u16string units;
  };
  const Case cases[] = {
      {"cut \xC3", u"cut \uFFFD"},
      {"cut \xED\xA0", u"cut \uFFFD\uFFFD"},
      {"\xFF\xFE", u"\uFFFD\uFFFD"},
      {"over\xC0\xAFlong", u"over\uFFFD\uFFFDlong"},
      {"\xED\x9F\xBF", u"\uD7FF"},
      {"\xED\xC0\x80", u"\uFFFD\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16OfBytes(c.bytes), c.units) << c.bytes;
  }
}

}  // namespace
}  // namespace dravelin
