#include "pane/pane_find.h"

namespace dravelin {

std::optional<std::u16string> PaneFind::Seed() const {
  const PaneRange selected = pane_.selection();
  if (selected.from == selected.to || selected.from.line != selected.to.line ||
      selected.to.column - selected.from.column > kMostSeedCharacters) {
    return std::nullopt;
  }
  return pane_.SelectedTextUtf16();
}

std::string PaneFind::Search(std::string_view query, bool match_case, Step step) {
  const PaneSearchResult result =
      step == Step::kTyped
          ? pane_.FindFromSelectionStart(query, match_case)
          : pane_.Find(query, match_case,
                       step == Step::kNext ? SearchDirection::kForward
                                           : SearchDirection::kBackward);
  if (result.found) match_ = result.match;
  count_ = MatchCountText(result, query);
  counted_at_ = pane_.text_changes();
  return count_;
}

std::string PaneFind::CountText() const {
  return counted_at_ == pane_.text_changes() ? count_ : std::string();
}

bool PaneFind::MatchIsSelected() const { return match_ && pane_.selection() == *match_; }

}  // namespace dravelin
