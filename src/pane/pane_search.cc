#include "pane/pane_search.h"

#include <array>
#include <vector>

#include "pane/line_decoding.h"

namespace dravelin {
namespace {

// Calls found(byte_offset) for each non-overlapping match of `needle` in
// `bytes`, comparing bytes through `fold`: Horspool's search, whose skip
// table already holds both cases when `fold` folds.
template <typename Found>
void SearchBytes(std::string_view bytes, std::string_view needle,
                 const std::array<unsigned char, 256>& fold,
                 const std::array<std::size_t, 256>& skip, Found&& found) {
  const std::size_t m = needle.size();
  const std::size_t n = bytes.size();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* q = reinterpret_cast<const unsigned char*>(needle.data());
  const unsigned char last = q[m - 1];
  std::size_t i = 0;
  while (i + m <= n) {
    const unsigned char tail = p[i + m - 1];
    if (fold[tail] == last) {
      std::size_t k = 0;
      while (k + 1 < m && fold[p[i + k]] == q[k]) ++k;
      if (k + 1 >= m) {
        found(i);
        i += m;
        continue;
      }
    }
    i += skip[tail];
  }
}

// The characters in the first `offset` bytes of a line.
std::size_t ColumnOfByte(std::string_view bytes, bool ascii, std::size_t offset) {
  if (ascii) return offset;
  return LineCharCount(bytes.substr(0, offset));
}

}  // namespace

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return c >= U'A' && c <= U'Z' ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if (c == 0x178) return 0xFF;
    const bool odd_upper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (odd_upper) return (c & 1) != 0 ? c + 1 : c;
    return (c & 1) == 0 ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

PaneSearchResult SearchText(const PaneText& text, std::string_view query, bool match_case,
                            PanePosition from, SearchDirection direction) {
  PaneSearchResult result;
  if (query.empty() || query.find('\n') != query.npos) return result;
  std::u32string needle;
  bool ascii_needle = true;
  VisitLineCharacters(query, [&](char32_t c, std::size_t) {
    needle += match_case ? c : FoldCase(c);
    ascii_needle = ascii_needle && c < 0x80;
  });

  PaneRange first;
  PaneRange last;
  const bool forward = direction == SearchDirection::kForward;
  const auto match = [&](std::size_t line, std::size_t column) {
    const PaneRange range{{line, column}, {line, column + needle.size()}};
    ++result.count;
    if (result.count == 1) first = range;
    last = range;
    if (forward ? !result.found && range.from >= from : range.from < from) {
      result.found = true;
      result.match = range;
      result.number = result.count;
    }
  };

  if (ascii_needle) {
    // An ASCII character shows only where its byte is: the bytes of a UTF-8
    // sequence and the code page's upper half are all above 0x7F.
    std::string bytes_needle(needle.begin(), needle.end());
    std::array<unsigned char, 256> fold{};
    for (std::size_t b = 0; b < 256; ++b) {
      fold[b] = static_cast<unsigned char>(match_case || b >= 0x80 ? b : FoldCase(char32_t(b)));
    }
    std::array<std::size_t, 256> skip;
    skip.fill(bytes_needle.size());
    for (std::size_t k = 0; k + 1 < bytes_needle.size(); ++k) {
      const auto byte = static_cast<unsigned char>(bytes_needle[k]);
      for (std::size_t b = 0; b < 256; ++b) {
        if (fold[b] == byte) skip[b] = bytes_needle.size() - 1 - k;
      }
    }
    text.VisitLines(0, text.line_count(), [&](std::size_t line, std::string_view bytes, bool ascii) {
      SearchBytes(bytes, bytes_needle, fold, skip, [&](std::size_t offset) {
        match(line, ColumnOfByte(bytes, ascii, offset));
      });
    });
  } else {
    // Only lines with bytes above 0x7F can show the query; they are decoded.
    std::u32string shown;
    text.VisitLines(0, text.line_count(), [&](std::size_t line, std::string_view bytes, bool ascii) {
      if (ascii || IsAscii(bytes)) return;
      shown.clear();
      VisitLineCharacters(bytes,
                          [&](char32_t c, std::size_t) { shown += match_case ? c : FoldCase(c); });
      for (std::size_t at = shown.find(needle); at != shown.npos;
           at = shown.find(needle, at + needle.size())) {
        match(line, at);
      }
    });
  }

  if (result.count > 0 && !result.found) {
    // Around the end: the first match going forward, the last going back.
    result.found = true;
    result.match = forward ? first : last;
    result.number = forward ? 1 : result.count;
  }
  return result;
}

}  // namespace dravelin
