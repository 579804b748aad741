#include "gui/ansi_text.h"

#include <gtest/gtest.h>

#include <QString>

namespace dravelin {
namespace {

TEST(DecodeAnsiTest, ShowsUtf8FileNamesAndWindowsCodePageBytes) {
  const struct {
    const char* bytes;
    const char16_t* shown;
  } cases[] = {
      {"Warm Pad ~?", u"Warm Pad ~?"},
      {"B\xC3\xA4sse", u"B\u00E4sse"},  // valid UTF-8
      {"B\xE4sse", u"B\u00E4sse"},      // not UTF-8: the Windows code page
      {"\x80 \x99", u"\u20AC \u2122"},  // code page bytes without a Latin-1 twin
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeAnsi(c.bytes), QString::fromUtf16(c.shown)) << c.bytes;
  }
}

}  // namespace
}  // namespace dravelin
