// What changed in the pane's text since a view last asked, as an assistive
// technology is told of it: one run of the text that gave way to another.
//
// Offsets count UTF-16 units (see pane/pane_model.h). A change is kept as
// the units before it (`offset`), the units it took out (`removed`) and the
// units after it (`tail`), which are the same in the old text and the new;
// what it put in follows from the new text's length. Later changes widen the
// run to cover both, so that a view that asks only now and then still hears
// of everything, in one event.

#ifndef DRAVELIN_PANE_PANE_CHANGE_H_
#define DRAVELIN_PANE_PANE_CHANGE_H_

#include <cstddef>
#include <optional>
#include <string>

namespace dravelin {

// In the text as it was, `removed` units from `offset` gave way to the
// `inserted` units the text now holds from `offset`.
struct PaneChange {
  std::size_t offset = 0;
  std::size_t removed = 0;
  std::size_t inserted = 0;
  // The removed units themselves, when the change was one edit that removed
  // at most kKeptRemovedUnits units; empty otherwise (and when nothing was
  // removed).
  std::u16string removed_text;
  bool removed_text_known = false;
  friend bool operator==(const PaneChange&, const PaneChange&) = default;
};

class PaneChangeLog {
 public:
  // The most removed text kept for a view to tell: a screen reader speaks a
  // deleted character or word, not a deleted report.
  static constexpr std::size_t kKeptRemovedUnits = 4096;

  // An edit of a text of `length` units replaced `removed` units from
  // `offset` (`removed_text`, when the caller has it and it is short enough).
  void Replaced(std::size_t length, std::size_t offset, std::size_t removed,
                std::optional<std::u16string> removed_text);
  // Lines were appended after the last of a text of `length` units: the
  // change runs to the text's end. `length` is read only when no change is
  // pending, so a caller may pass 0 then (and need not count the text).
  void Appended(std::size_t length);
  // A text of `length` units was emptied: the change runs over all of it.
  // `length` is read only when no change is pending.
  void Cleared(std::size_t length);

  bool pending() const { return changed_; }

  // The change since the last call, for a text now `length` units long;
  // nothing when there was none.
  std::optional<PaneChange> Take(std::size_t length);

 private:
  bool changed_ = false;
  std::size_t offset_ = 0;
  std::size_t removed_ = 0;
  std::size_t tail_ = 0;
  std::u16string removed_text_;
  bool removed_text_known_ = false;
};

}  // namespace dravelin

#endif  // DRAVELIN_PANE_PANE_CHANGE_H_
