#include "gui/pane_feed.h"

#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

#include "gui/ansi_text.h"

namespace dravelin {
namespace {

// Lines are handed to the pane whenever this many bytes have gathered, so
// that a long report needs little memory on its way to the pane.
constexpr std::size_t kBatchBytes = 1 << 20;

}  // namespace

void PaneFeed::BeginCommand() {
  if (depth_++ == 0) {
    updates_were_enabled_ = pane_->updatesEnabled();
    pane_->setUpdatesEnabled(false);
  }
}

void PaneFeed::EndCommand() {
  if (--depth_ > 0) return;
  Flush();
  pane_->setUpdatesEnabled(updates_were_enabled_);
}

void PaneFeed::Append(std::string_view line) {
  if (lines_ >= line_limit_) {
    ++dropped_;
    return;
  }
  if (lines_ > 0) pending_ += '\n';
  pending_.append(line);
  ++lines_;
  // Outside a command nothing batches the lines: a line is shown at once.
  if (pending_.size() >= kBatchBytes || depth_ == 0) {
    Insert(DecodeAnsi(pending_));
    pending_.clear();
  }
}

void PaneFeed::Clear() {
  pending_.clear();
  lines_ = 0;
  dropped_ = 0;
  pane_->clear();
}

void PaneFeed::Flush() {
  if (!pending_.empty()) {
    Insert(DecodeAnsi(pending_));
    pending_.clear();
  }
  if (dropped_ > 0 && depth_ == 0) {
    const QString note =
        QStringLiteral("%1*** %2 more lines are not shown: the pane holds at most %3 lines. ***")
            .arg(lines_ > 0 ? QStringLiteral("\n") : QString())
            .arg(dropped_)
            .arg(line_limit_);
    Insert(note);
    ++lines_;
    dropped_ = 0;
  }
}

void PaneFeed::Insert(const QString& text) {
  QTextDocument* document = pane_->document();
  // Undo records for the lines of a long report would cost memory for every
  // line; only the user's own edits in the pane are undoable.
  document->setUndoRedoEnabled(false);
  QTextCursor cursor(document);
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  document->setUndoRedoEnabled(true);
  pane_->moveCursor(QTextCursor::End);
}

}  // namespace dravelin
