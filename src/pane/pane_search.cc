#include "pane/pane_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/line_decoding.h"

namespace dravelin {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighs = 0x8080808080808080u;

// Calls found(byte_offset) for each non-overlapping match of `needle` (ASCII,
// folded) in `bytes`, comparing bytes through `fold`. Candidates for the
// needle's first byte are sought eight bytes at a time; a letter is sought
// in both cases at once, as setting 0x20 makes both cases the small one
// and no byte beyond ASCII an ASCII letter.
template <typename Found>
void SearchBytes(std::string_view bytes, std::string_view needle, bool fold_case,
                 const std::array<unsigned char, 256>& fold, Found&& found) {
  const std::size_t m = needle.size();
  const std::size_t n = bytes.size();
  if (n < m) return;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* q = reinterpret_cast<const unsigned char*>(needle.data());
  const unsigned char first = q[0];
  const bool letter = fold_case && first >= 'a' && first <= 'z';
  const std::uint64_t pattern = first * kOnes;
  const std::uint64_t case_bit = letter ? 0x20 * kOnes : 0;
  const std::size_t last_start = n - m;
  const auto match_at = [&](std::size_t at) {
    if (fold[p[at]] != first) return false;
    for (std::size_t k = 1; k < m; ++k) {
      if (fold[p[at + k]] != q[k]) return false;
    }
    return true;
  };
  std::size_t i = 0;
  while (i <= last_start) {
    std::size_t stop = last_start + 1;
    if (i + 8 <= n) {
      std::uint64_t word;
      std::memcpy(&word, p + i, sizeof word);
      const std::uint64_t x = (word | case_bit) ^ pattern;
      if (((x - kOnes) & ~x & kHighs) == 0) {
        i += 8;
        continue;
      }
      stop = std::min(stop, i + 8);
    }
    std::size_t next = stop;
    for (std::size_t j = i; j < stop; ++j) {
      if (match_at(j)) {
        found(j);
        next = j + m;
        break;
      }
    }
    i = next;
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

std::string MatchCountText(const PaneSearchResult& result, std::string_view query) {
  if (query.empty()) return {};
  if (!result.found) return "No matches";
  return std::to_string(result.number) + " of " + std::to_string(result.count);
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
    text.VisitLines(
        0, text.line_count(), [&](std::size_t line, std::string_view bytes, bool ascii) {
          SearchBytes(bytes, bytes_needle, !match_case, fold,
                      [&](std::size_t offset) { match(line, ColumnOfByte(bytes, ascii, offset)); });
        });
  } else {
    // Only lines with bytes above 0x7F can show the query; they are decoded.
    std::u32string shown;
    text.VisitLines(
        0, text.line_count(), [&](std::size_t line, std::string_view bytes, bool ascii) {
          if (ascii || IsAscii(bytes)) return;
          shown.clear();
          VisitLineCharacters(
              bytes, [&](char32_t c, std::size_t) { shown += match_case ? c : FoldCase(c); });
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
