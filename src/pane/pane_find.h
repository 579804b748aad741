// What a find bar does with the pane, alike in every front end: the query it
// opens with, each search it makes, and what it then shows and tells a
// screen reader. A front end keeps the bar's controls; this keeps its rules.

#ifndef DRAVELIN_PANE_PANE_FIND_H_
#define DRAVELIN_PANE_PANE_FIND_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pane/pane_model.h"
#include "pane/pane_search.h"
#include "pane/pane_text.h"

namespace dravelin {

class PaneFind {
 public:
  // How a search goes on from the pane's selection.
  enum class Step {
    // The query changed (a letter typed, the case switched): the first match
    // from the selection's start on, so that a query typed on letter by
    // letter keeps the match it already had.
    kTyped,
    kNext,      // the next match after the selection, around the end
    kPrevious,  // the last match before it, around the start
  };

  // A selection within one line of at most this many characters is what the
  // user wants to find when the bar opens.
  static constexpr std::size_t kMostSeedCharacters = 200;

  // `pane` outlives this.
  explicit PaneFind(PaneModel& pane) : pane_(pane) {}
  PaneFind(const PaneFind&) = delete;
  PaneFind& operator=(const PaneFind&) = delete;

  // The query the bar opens with: the selection's text when it lies within
  // one line and holds at most kMostSeedCharacters characters; nothing
  // otherwise, and the bar keeps the query it had.
  std::optional<std::u16string> Seed() const;

  // Searches for `query` (UTF-8). The match found is selected and scrolled
  // into sight; a search that finds nothing leaves the selection as it is.
  // Returns what the bar shows now (CountText).
  std::string Search(std::string_view query, bool match_case, Step step);

  // What the bar shows: after a search "N of M", "No matches", or nothing
  // for an empty query; nothing before the first search, and nothing once
  // the pane's text has changed since (the count may no longer hold).
  std::string CountText() const;

  // Whether the pane's selection is the match the bar selected last (also
  // after a later search found nothing).
  bool MatchIsSelected() const;

 private:
  PaneModel& pane_;
  std::string count_;
  std::uint64_t counted_at_ = 0;  // the pane's text_changes() at the count
  std::optional<PaneRange> match_;
};

}  // namespace dravelin

#endif  // DRAVELIN_PANE_PANE_FIND_H_
