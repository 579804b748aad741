#include "pane/pane_change.h"

#include <algorithm>
#include <utility>

namespace dravelin {

void PaneChangeLog::Replaced(std::size_t length, std::size_t offset, std::size_t removed,
                             std::optional<std::u16string> removed_text) {
  if (!changed_) {
    changed_ = true;
    offset_ = offset;
    removed_ = removed;
    tail_ = length - offset - removed;
    removed_text_known_ = removed_text.has_value() && removed <= kKeptRemovedUnits;
    removed_text_ = removed_text_known_ ? std::move(*removed_text) : std::u16string();
    return;
  }
  // The run changed so far is [offset_, length - tail_) of the present
  // text; the new one is [offset, offset + removed). The run that covers
  // both took out, of the old text, what the first took out and the
  // present units the second reaches beyond it.
  const std::size_t from = std::min(offset_, offset);
  const std::size_t to = std::max(length - tail_, offset + removed);
  removed_ += (to - from) - (length - tail_ - offset_);
  offset_ = from;
  tail_ = length - to;
  removed_text_known_ = false;
  removed_text_.clear();
}

void PaneChangeLog::Appended(std::size_t length) {
  if (!changed_) {
    changed_ = true;
    offset_ = length;
    removed_ = 0;
  } else {
    removed_ += tail_;
  }
  tail_ = 0;
  removed_text_known_ = false;
  removed_text_.clear();
}

void PaneChangeLog::Cleared(std::size_t length) {
  removed_ = changed_ ? removed_ + offset_ + tail_ : length;
  changed_ = true;
  offset_ = 0;
  tail_ = 0;
  removed_text_known_ = false;
  removed_text_.clear();
}

std::optional<PaneChange> PaneChangeLog::Take(std::size_t length) {
  if (!changed_) return std::nullopt;
  changed_ = false;
  PaneChange change;
  change.offset = offset_;
  change.removed = removed_;
  change.inserted = length - offset_ - tail_;
  change.removed_text = std::move(removed_text_);
  change.removed_text_known = removed_text_known_;
  removed_text_.clear();
  return change;
}

}  // namespace dravelin
