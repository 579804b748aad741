#include "gui/data_memo.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QString>
#include <QStyleHints>
#include <QTimerEvent>
#include <algorithm>
#include <climits>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "gui/accessible_offset.h"
#include "gui/ansi_text.h"
#include "gui/find_bar.h"

namespace dravelin {
namespace {

// The X11 primary selection: the pane's selection, read only when another
// program (or a middle click) asks for it, so that selecting a whole report
// copies nothing.
class PrimarySelection final : public QMimeData {
 public:
  PrimarySelection(DataMemo* memo, PaneRange range) : memo_(memo), range_(range) {}

  QStringList formats() const override { return {QStringLiteral("text/plain")}; }
  bool hasFormat(const QString& mime_type) const override {
    return mime_type == QLatin1String("text/plain");
  }

 protected:
  QVariant retrieveData(const QString& mime_type, QMetaType type) const override {
    if (memo_ == nullptr || !hasFormat(mime_type)) return QMimeData::retrieveData(mime_type, type);
    return memo_->Text(range_);
  }

 private:
  QPointer<DataMemo> memo_;
  PaneRange range_;
};

// Caret moves, selections and edits reach an assistive technology only
// while one listens: an offset costs a pass over the lines before it.
bool AccessibilityListens() { return QAccessible::isActive(); }

}  // namespace

DataMemo::OutputHold::OutputHold(DataMemo& memo) : memo_(memo) { ++memo_.holds_; }

DataMemo::OutputHold::~OutputHold() {
  if (--memo_.holds_ == 0 && memo_.output_pending_) memo_.OutputArrived();
}

DataMemo::DataMemo(QWidget* parent) : QAbstractScrollArea(parent) {
  setAccessibleName(QStringLiteral("Report"));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  find_bar_ = new FindBar(
      this, {.search =
                 [this](const QString& query, bool match_case, PaneFind::Step step) {
                   const std::string count = find_.Search(query.toStdString(), match_case, step);
                   ModelChanged();
                   return QString::fromStdString(count);
                 },
             .seed = [this]() -> std::optional<QString> {
               const std::optional<std::u16string> seed = find_.Seed();
               if (!seed) return std::nullopt;
               return Utf16ToQString(*seed);
             },
             .placed = [this] { PlaceFindBar(); }});
  find_bar_->hide();
  // Ctrl+F, F3 and Shift+F3 work wherever the focus is in the window.
  const auto add_shortcut = [this](QList<QKeySequence> keys, auto slot) {
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
  };
  add_shortcut(QKeySequence::keyBindings(QKeySequence::Find), [this] { OpenFindBar(); });
  add_shortcut({QKeySequence(Qt::Key_F3)}, [this] { find_bar_->FindNext(); });
  add_shortcut({QKeySequence(Qt::SHIFT | Qt::Key_F3)}, [this] { find_bar_->FindPrevious(); });
  UpdateGeometry();
}

DataMemo::~DataMemo() = default;

// --- Program output ---

void DataMemo::AppendLine(std::string_view bytes) {
  const std::size_t end = bytes.size();
  AppendLines(bytes, std::span<const std::size_t>(&end, 1), 0);
}

void DataMemo::AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                           std::size_t separator) {
  TrackChanges();
  // Marked first: a batch that runs out of memory keeps lines to show.
  output_pending_ = true;
  model_.AppendLines(bytes, ends, separator);
  if (holds_ == 0) OutputArrived();
}

void DataMemo::Clear() {
  TrackChanges();
  model_.Clear();
  if (holds_ > 0) {
    output_pending_ = true;
  } else {
    OutputArrived();
  }
}

void DataMemo::OutputArrived() {
  output_pending_ = false;
  model_.ShowOutputEnd();
  ModelChanged(/*edited=*/true);
}

// --- Reading ---

QString DataMemo::Text(PaneRange range) const {
  QString shown(static_cast<qsizetype>(text().Utf16LengthOf(range)), Qt::Uninitialized);
  text().CopyTextUtf16(range, reinterpret_cast<char16_t*>(shown.data()));
  return shown;
}

// --- The user's commands ---

void DataMemo::SelectAll() {
  model_.SelectAll();
  ModelChanged();
  OfferPrimarySelection();
}

bool DataMemo::CopySelection() {
  if (!model_.has_selection()) return false;
  try {
    QGuiApplication::clipboard()->setText(Text(selection()));
  } catch (const std::bad_alloc&) {
    // No room for a copy of the selection: nothing is copied.
    QApplication::beep();
    return false;
  }
  return true;
}

void DataMemo::Copy() { CopySelection(); }

void DataMemo::Cut() {
  if (CopySelection()) DeleteSelection();
}

void DataMemo::Paste() {
  const QMimeData* pasted = QGuiApplication::clipboard()->mimeData();
  if (pasted == nullptr || !pasted->hasText()) return;
  Type(pasted->text().toStdString());
}

void DataMemo::DeleteSelection() {
  EditText([this] { return model_.DeleteSelection(); });
}

void DataMemo::Undo() {
  EditText([this] { return model_.Undo(); });
}

void DataMemo::Redo() {
  EditText([this] { return model_.Redo(); });
}

void DataMemo::Type(std::string_view utf8) {
  EditText([this, utf8] { return model_.Type(utf8); });
}

void DataMemo::SetReadOnly(bool read_only) { model_.set_read_only(read_only); }

void DataMemo::EditText(const std::function<bool()>& change) {
  TrackChanges();
  if (change()) ModelChanged(true);
}

void DataMemo::TrackChanges() { model_.TrackChanges(AccessibilityListens()); }

void DataMemo::TellTextChange() {
  // An event carries the text it tells of, which goes to the screen reader
  // whole; beyond this many units (a long report) only its start does.
  constexpr std::size_t kMostSentUnits = std::size_t{1} << 20;
  const std::optional<PaneChangeText> change = model_.TakeChangeText(kMostSentUnits);
  if (!change || !AccessibilityListens()) return;
  const int at = ToAccessibleOffset(change->offset);
  const QString inserted = Utf16ToQString(change->inserted);
  const QString removed = Utf16ToQString(change->removed);
  if (removed.isEmpty()) {
    QAccessibleTextInsertEvent event(this, at, inserted);
    QAccessible::updateAccessibility(&event);
  } else if (inserted.isEmpty()) {
    QAccessibleTextRemoveEvent event(this, at, removed);
    QAccessible::updateAccessibility(&event);
  } else {
    QAccessibleTextUpdateEvent event(this, at, removed, inserted);
    QAccessible::updateAccessibility(&event);
  }
}

void DataMemo::MoveCaret(PanePosition position, bool extend) {
  model_.SetCaret(position, extend);
  ModelChanged();
}

void DataMemo::OpenFindBar() { find_bar_->Open(); }

void DataMemo::SelectOffsets(std::size_t from, std::size_t to) {
  model_.Select({model_.PositionAt(from), model_.PositionAt(to)});
  ModelChanged();
}

void DataMemo::ReplaceOffsets(std::size_t from, std::size_t to, std::string_view utf8) {
  EditText([&] { return model_.ReplaceOffsets(from, to, utf8); });
}

void DataMemo::ScrollOffsetsIntoSight(std::size_t from, std::size_t to) {
  model_.ScrollOffsetsIntoSight(from, to);
  ModelChanged();
}

QRect DataMemo::CellRect(std::size_t row, std::size_t cell) const {
  const long long shown_row =
      static_cast<long long>(row) - static_cast<long long>(model_.top_row());
  return QRect(kMargin + static_cast<int>(cell) * char_width_,
               kMargin + static_cast<int>(shown_row) * line_height_, char_width_, line_height_);
}

QMenu* DataMemo::CreateContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  const bool selected = model_.has_selection();
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  const auto add = [&](const char* name, const QString& text, QKeySequence::StandardKey key,
                       bool enabled, void (DataMemo::*command)()) {
    QString caption = text;
    const QKeySequence shortcut(key);
    if (!shortcut.isEmpty() && QGuiApplication::styleHints()->showShortcutsInContextMenus()) {
      caption += QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText);
    }
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  add("edit-undo", QStringLiteral("&Undo"), QKeySequence::Undo, CanUndo(), &DataMemo::Undo);
  add("edit-redo", QStringLiteral("&Redo"), QKeySequence::Redo, CanRedo(), &DataMemo::Redo);
  menu->addSeparator();
  const bool editable = !model_.read_only();
  add("edit-cut", QStringLiteral("Cu&t"), QKeySequence::Cut, selected && editable, &DataMemo::Cut);
  add("edit-copy", QStringLiteral("&Copy"), QKeySequence::Copy, selected, &DataMemo::Copy);
  add("edit-paste", QStringLiteral("&Paste"), QKeySequence::Paste,
      editable && clipboard != nullptr && clipboard->hasText(), &DataMemo::Paste);
  add("edit-delete", QStringLiteral("Delete"), QKeySequence::UnknownKey, selected && editable,
      &DataMemo::DeleteSelection);
  menu->addSeparator();
  add("select-all", QStringLiteral("Select All"), QKeySequence::SelectAll,
      text().All().from != text().All().to, &DataMemo::SelectAll);
  add("find", QStringLiteral("&Find..."), QKeySequence::Find, true, &DataMemo::OpenFindBar);
  return menu;
}

void DataMemo::OfferPrimarySelection() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!model_.has_selection() || !clipboard->supportsSelection()) return;
  clipboard->setMimeData(new PrimarySelection(this, selection()), QClipboard::Selection);
}

// --- Geometry and painting ---

int DataMemo::VisibleRows() const {
  return std::max(1, (viewport()->height() - kMargin) / line_height_);
}

void DataMemo::UpdateGeometry() {
  const QFontMetrics metrics(font());
  char_width_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('M')));
  line_height_ = std::max(1, metrics.lineSpacing());
  const int text_width = viewport()->width() - 2 * kMargin;
  model_.SetViewSize(static_cast<std::size_t>(std::max(1, text_width / char_width_)),
                     static_cast<std::size_t>(VisibleRows()));
  ModelChanged();
}

void DataMemo::ModelChanged(bool edited) {
  QScrollBar* bar = verticalScrollBar();
  syncing_bar_ = true;
  bar->setRange(0, static_cast<int>(std::min<std::size_t>(model_.last_top_row(), INT_MAX)));
  bar->setPageStep(VisibleRows());
  bar->setSingleStep(1);
  bar->setValue(static_cast<int>(std::min<std::size_t>(model_.top_row(), INT_MAX)));
  syncing_bar_ = false;
  RestartCaretBlink();
  viewport()->update();
  if (edited) {
    find_bar_->ShowCount(QString::fromStdString(find_.CountText()));
    // The text's change first, then where the caret is in the new text.
    TellTextChange();
  }
  if (AccessibilityListens()) {
    QAccessibleTextCursorEvent cursor(this, ToAccessibleOffset(model_.caret_offset()));
    QAccessible::updateAccessibility(&cursor);
    if (model_.has_selection()) {
      const PaneRange selected = selection();
      QAccessibleTextSelectionEvent selection_event(
          this, ToAccessibleOffset(model_.OffsetOf(selected.from)),
          ToAccessibleOffset(model_.OffsetOf(selected.to)));
      QAccessible::updateAccessibility(&selection_event);
    }
  }
}

void DataMemo::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPalette& colours = palette();
  painter.fillRect(event->rect(), colours.base());
  painter.setFont(font());
  const QFontMetrics metrics(font());
  const std::size_t rows = model_.row_count();
  const std::size_t top = model_.top_row();
  const int shown = viewport()->height() / line_height_ + 1;
  for (int i = 0; i < shown && top + static_cast<std::size_t>(i) < rows; ++i) {
    const std::size_t row = top + static_cast<std::size_t>(i);
    const PaneShownRow shown_row = model_.ShownRow(row);
    const QString cells = Utf16ToQString(shown_row.text);
    const int y = kMargin + i * line_height_;
    const int baseline = y + metrics.ascent();
    const auto x_of = [&](std::size_t cell) {
      return kMargin + static_cast<int>(cell) * char_width_;
    };
    const PaneCells selected = shown_row.selected;
    const PaneCells units = shown_row.selected_units;
    painter.setPen(colours.color(QPalette::Text));
    if (selected.to > selected.from) {
      const auto from = static_cast<qsizetype>(std::min<std::size_t>(units.from, cells.size()));
      const auto to = static_cast<qsizetype>(std::min<std::size_t>(units.to, cells.size()));
      painter.drawText(x_of(0), baseline, cells.left(from));
      painter.fillRect(
          QRect(x_of(selected.from), y, static_cast<int>(selected.to - selected.from) * char_width_,
                line_height_),
          colours.highlight());
      painter.setPen(colours.color(QPalette::HighlightedText));
      painter.drawText(x_of(selected.from), baseline, cells.mid(from, to - from));
      painter.setPen(colours.color(QPalette::Text));
      if (to < cells.size()) painter.drawText(x_of(selected.to), baseline, cells.mid(to));
    } else {
      painter.drawText(x_of(0), baseline, cells);
    }
  }
  if (hasFocus() && caret_shown_) {
    const std::size_t caret_row = model_.caret_row();
    if (caret_row >= top && caret_row < top + static_cast<std::size_t>(shown)) {
      const int x = kMargin + static_cast<int>(model_.caret_cell()) * char_width_;
      const int y = kMargin + static_cast<int>(caret_row - top) * line_height_;
      painter.fillRect(QRect(x, y, 1, line_height_), colours.color(QPalette::Text));
    }
  }
}

void DataMemo::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  PlaceFindBar();
  UpdateGeometry();
}

void DataMemo::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateGeometry();
}

void DataMemo::scrollContentsBy(int, int) {
  if (!syncing_bar_) model_.ScrollTo(static_cast<std::size_t>(verticalScrollBar()->value()));
  viewport()->update();
}

void DataMemo::PlaceFindBar() {
  const int height = find_bar_->isVisible() ? find_bar_->sizeHint().height() : 0;
  setViewportMargins(0, 0, 0, height);
  if (height > 0) {
    // Below the text, beside the scroll bar.
    const QRect text = viewport()->geometry();
    find_bar_->setGeometry(text.left(), text.bottom() + 1, text.width(), height);
  }
}

// --- Keys ---

bool DataMemo::HandleMovementKey(QKeyEvent* event) {
  struct Movement {
    QKeySequence::StandardKey move;
    QKeySequence::StandardKey select;
    PaneMove kind;
  };
  static constexpr Movement kMovements[] = {
      {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, PaneMove::kCharBackward},
      {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, PaneMove::kCharForward},
      {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, PaneMove::kWordBackward},
      {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, PaneMove::kWordForward},
      {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, PaneMove::kRowUp},
      {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, PaneMove::kRowDown},
      {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, PaneMove::kPageUp},
      {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, PaneMove::kPageDown},
      {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, PaneMove::kLineStart},
      {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, PaneMove::kLineEnd},
      {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument,
       PaneMove::kDocumentStart},
      {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument,
       PaneMove::kDocumentEnd},
  };
  for (const Movement& movement : kMovements) {
    const bool extend = event->matches(movement.select);
    if (!extend && !event->matches(movement.move)) continue;
    model_.Move(movement.kind, extend);
    ModelChanged();
    if (extend) OfferPrimarySelection();
    return true;
  }
  return false;
}

void DataMemo::keyPressEvent(QKeyEvent* event) {
  if (HandleMovementKey(event)) return;
  const std::pair<QKeySequence::StandardKey, void (DataMemo::*)()> commands[] = {
      {QKeySequence::SelectAll, &DataMemo::SelectAll},
      {QKeySequence::Copy, &DataMemo::Copy},
      {QKeySequence::Cut, &DataMemo::Cut},
      {QKeySequence::Paste, &DataMemo::Paste},
      {QKeySequence::Undo, &DataMemo::Undo},
      {QKeySequence::Redo, &DataMemo::Redo},
  };
  for (const auto& [key, command] : commands) {
    if (event->matches(key)) {
      (this->*command)();
      return;
    }
  }
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (key == Qt::Key_Backspace) {
    EditText([this] { return model_.Backspace(); });
    return;
  }
  if (event->matches(QKeySequence::Delete)) {
    EditText([this] { return model_.DeleteForward(); });
    return;
  }
  if (model_.read_only() && (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
    // Nothing to type: Tab and Shift+Tab move the focus on, as in any view
    // that is only read.
    QAbstractScrollArea::focusNextPrevChild(key == Qt::Key_Tab &&
                                            (modifiers & Qt::ShiftModifier) == 0);
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Type("\n");
    return;
  }
  if (key == Qt::Key_Tab && modifiers == Qt::NoModifier) {
    EditText([this] { return model_.TypeTab(); });
    return;
  }
  if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (modifiers & Qt::ControlModifier) != 0) {
    // Tab types blanks here; Ctrl+Tab and Ctrl+Shift+Tab move the focus on.
    QAbstractScrollArea::focusNextPrevChild(key == Qt::Key_Tab &&
                                            (modifiers & Qt::ShiftModifier) == 0);
    return;
  }
  if (key == Qt::Key_Escape && find_bar_->isVisible()) {
    find_bar_->Close();
    return;
  }
  const QString typed = event->text();
  const bool command_key = (modifiers & Qt::ControlModifier) != 0 &&
                           (modifiers & Qt::AltModifier) == 0;  // AltGr types characters
  if (!typed.isEmpty() && !command_key && typed.at(0).isPrint()) {
    Type(typed.toStdString());
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void DataMemo::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) Type(event->commitString().toStdString());
  event->accept();
}

QVariant DataMemo::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImCursorRectangle) {
    const long long row = static_cast<long long>(model_.caret_row());
    const long long top = static_cast<long long>(model_.top_row());
    const int x = kMargin + static_cast<int>(model_.caret_cell()) * char_width_;
    const int y = kMargin + static_cast<int>(row - top) * line_height_;
    return QRect(x, y, 1, line_height_);
  }
  return QAbstractScrollArea::inputMethodQuery(query);
}

// --- Mouse ---

PanePosition DataMemo::PositionAt(QPoint point) const {
  const std::size_t rows = model_.row_count();
  const long long offset = point.y() < kMargin ? -1 : (point.y() - kMargin) / line_height_;
  const long long row = std::clamp<long long>(static_cast<long long>(model_.top_row()) + offset, 0,
                                              static_cast<long long>(rows) - 1);
  const int x = std::max(0, point.x() - kMargin);
  const auto cell = static_cast<std::size_t>((x + char_width_ / 2) / char_width_);
  return model_.PositionAtCell(static_cast<std::size_t>(row), cell);
}

void DataMemo::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (event->button() == Qt::MiddleButton) {
    // X11: the primary selection goes in where the middle button is.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) return;
    const QMimeData* pasted = clipboard->mimeData(QClipboard::Selection);
    if (pasted == nullptr || !pasted->hasText()) return;
    const std::string typed = pasted->text().toStdString();
    setFocus(Qt::MouseFocusReason);
    model_.SetCaret(PositionAt(point), false);
    Type(typed);
    return;
  }
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  const bool third_click =
      double_click_time_ >= 0 &&
      now - double_click_time_ < QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
      (point - double_click_point_).manhattanLength() <
          QGuiApplication::styleHints()->startDragDistance();
  double_click_time_ = -1;
  if (third_click) {
    model_.SelectLineAt(PositionAt(point));
    ModelChanged();
    OfferPrimarySelection();
    return;
  }
  MoveCaret(PositionAt(point), (event->modifiers() & Qt::ShiftModifier) != 0);
  selecting_ = true;
}

void DataMemo::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_ || (event->buttons() & Qt::LeftButton) == 0) return;
  drag_point_ = event->position().toPoint();
  MoveCaret(PositionAt(drag_point_), true);
  // Beyond the top or the bottom edge the text scrolls on by itself.
  const bool outside = drag_point_.y() < 0 || drag_point_.y() >= viewport()->height();
  if (outside && scroll_timer_ == 0) scroll_timer_ = startTimer(50);
  if (!outside && scroll_timer_ != 0) {
    killTimer(scroll_timer_);
    scroll_timer_ = 0;
  }
}

void DataMemo::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && selecting_) {
    selecting_ = false;
    OfferPrimarySelection();
  }
  if (scroll_timer_ != 0) {
    killTimer(scroll_timer_);
    scroll_timer_ = 0;
  }
}

void DataMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  model_.SelectWordAt(PositionAt(event->position().toPoint()));
  ModelChanged();
  OfferPrimarySelection();
  double_click_time_ = QDateTime::currentMSecsSinceEpoch();
  double_click_point_ = event->position().toPoint();
}

void DataMemo::AutoScroll() {
  const std::size_t top = model_.top_row();
  model_.ScrollTo(drag_point_.y() < 0 ? (top > 0 ? top - 1 : 0) : top + 1);
  MoveCaret(PositionAt(drag_point_), true);
}

void DataMemo::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

// --- Focus and the caret ---

void DataMemo::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  RestartCaretBlink();
  viewport()->update();
}

void DataMemo::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (blink_timer_ != 0) {
    killTimer(blink_timer_);
    blink_timer_ = 0;
  }
  viewport()->update();
}

void DataMemo::RestartCaretBlink() {
  caret_shown_ = true;
  if (blink_timer_ != 0) {
    killTimer(blink_timer_);
    blink_timer_ = 0;
  }
  const int period = QApplication::cursorFlashTime() / 2;
  if (hasFocus() && period > 0) blink_timer_ = startTimer(period);
}

void DataMemo::timerEvent(QTimerEvent* event) {
  if (event->timerId() == blink_timer_) {
    caret_shown_ = !caret_shown_;
    viewport()->update();
  } else if (event->timerId() == scroll_timer_) {
    AutoScroll();
  } else {
    QAbstractScrollArea::timerEvent(event);
  }
}

// Tab is typed into the pane rather than moving the focus on; in the find
// bar it moves between the bar's controls as usual, and from its first or
// last control on to the pane.
bool DataMemo::focusNextPrevChild(bool next) {
  if (!find_bar_->isAncestorOf(QApplication::focusWidget())) return false;
  const bool match_selected = find_.MatchIsSelected();
  const bool moved = QAbstractScrollArea::focusNextPrevChild(next);
  // Tab is a typing key here: arriving by Tab from the find bar with its
  // match selected, the next Tab would type blanks over a match the user
  // never selected. The caret goes to the match's start instead, as in a
  // text view that shows a match without selecting it; Esc, which closes
  // the bar, leaves the match selected for the user to act on. (After the
  // focus has moved, so that a screen reader hears the pane take the focus
  // before the caret move.)
  if (moved && match_selected && hasFocus()) {
    model_.SetCaret(selection().from, false);
    ModelChanged();
  }
  return moved;
}

}  // namespace dravelin
