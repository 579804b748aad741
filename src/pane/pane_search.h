// Finding a string in the pane's text, as the find bar asks for it.
//
// The matches of a query are its occurrences within single lines (a query
// never spans a line break), taken left to right in each line without
// overlapping, over the characters the lines show (base/line_decoding.h).
// Without regard to case, letters compare by their lower-case forms (ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic); other characters compare
// as they are.
//
// One search reads the whole text once: it counts every match, so that the
// find bar can say "N of M", and picks the one to go to on the way. Lines of
// ASCII (nearly every report line) are searched in their stored bytes,
// without decoding.

#ifndef DRAVELIN_PANE_PANE_SEARCH_H_
#define DRAVELIN_PANE_PANE_SEARCH_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "pane/pane_text.h"

namespace dravelin {

enum class SearchDirection { kForward, kBackward };

struct PaneSearchResult {
  bool found = false;
  PaneRange match;         // the match gone to
  std::size_t number = 0;  // its number among all matches, from 1
  std::size_t count = 0;   // the matches in the whole text
  friend bool operator==(const PaneSearchResult&, const PaneSearchResult&) = default;
};

// Searches `text` for `query` (UTF-8). Forward goes to the first match that
// starts at or after `from`, backward to the last that starts before it;
// when there is none, the search wraps around the text's end. Nothing is
// found for an empty query or one with a line break.
PaneSearchResult SearchText(const PaneText& text, std::string_view query, bool match_case,
                            PanePosition from, SearchDirection direction);

// What a find bar shows, and tells a screen reader, after searching for
// `query`: "N of M", "No matches", or nothing for an empty query.
std::string MatchCountText(const PaneSearchResult& result, std::string_view query);

// The lower-case form of `c` as searches without regard to case compare it;
// never an ASCII character for one that is not ASCII.
char32_t FoldCase(char32_t c);

}  // namespace dravelin

#endif  // DRAVELIN_PANE_PANE_SEARCH_H_
