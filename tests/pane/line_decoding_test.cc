// Every well-formed UTF-8 sequence shows as its character and every other
// byte as the Windows code page's, even within one line.

#include "base/line_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace dravelin {
namespace {

TEST(LineDecodingTest, Utf8SequencesShowAsUtf8AndOtherBytesAsTheWindowsCodePage) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string shown;
  };
  const Case cases[] = {
      {"ascii", "Bank 1", u"Bank 1"},
      {"utf-8 name", "Fl\xC3\xB6te \xE2\x82\xAC", u"Fl\u00F6te \u20AC"},
      {"latin-1 name", "Fl\xF6te", u"Fl\u00F6te"},
      {"code page 0x80..0x9F, undefined bytes kept", "\x80\x81\x8D\x8F\x90\x9D\x9F\x99",
       u"\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u2122"},
      {"overlong form", "\xC0\xAF", u"\u00C0\u00AF"},
      {"encoded surrogate", "\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
      {"cut sequence", "a\xE2\x82", u"a\u00E2\u201A"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},
      {"four bytes", "\xF0\x9F\x8E\xB9!", u"\U0001F3B9!"},
      {"both on one line", "Caf\xC3\xA9 Pads ... Caf\xE9 Leads",
       u"Caf\u00E9 Pads ... Caf\u00E9 Leads"},
      {"a sequence, then a lone byte", "\xC3\xA9\xE9\xE2\x82\xAC\x80", u"\u00E9\u00E9\u20AC\u20AC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeLineUtf16(c.bytes), c.shown);
    // The UTF-8 form shows the same characters, and a character above
    // U+FFFF counts once though it takes two UTF-16 units.
    const std::string utf8 = DecodeLineUtf8(c.bytes);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(DecodeLineUtf16(utf8), c.shown);
    std::size_t surrogates = 0;
    for (char16_t unit : c.shown) surrogates += unit >= 0xDC00 && unit < 0xE000;
    EXPECT_EQ(LineCharCount(c.bytes), c.shown.size() - surrogates);
    EXPECT_EQ(LineUtf16Length(c.bytes), c.shown.size());
  }
}

}  // namespace
}  // namespace dravelin
