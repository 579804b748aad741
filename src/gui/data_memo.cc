#include "gui/data_memo.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLatin1StringView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QString>
#include <QStyleHints>
#include <QTimerEvent>
#include <algorithm>
#include <climits>
#include <string>
#include <utility>

#include "pane/line_decoding.h"

namespace dravelin {
namespace {

// The UTF-16 index of character `column` in `text` (its size when the text
// is shorter); characters above U+FFFF take two units.
qsizetype Utf16Index(const QString& text, std::size_t column) {
  qsizetype i = 0;
  for (; i < text.size() && column > 0; ++i, --column) {
    if (text.at(i).isHighSurrogate() && i + 1 < text.size()) ++i;
  }
  return i;
}

// Characters [from, to) of `text`.
QString Columns(const QString& text, std::size_t from, std::size_t to) {
  const qsizetype begin = Utf16Index(text, from);
  return text.mid(begin, Utf16Index(text, to) - begin);
}

// The line's characters as shown, appended to `out`.
void AppendShown(std::string_view bytes, QString& out, std::u16string& scratch) {
  if (IsAscii(bytes)) {
    out.append(QLatin1StringView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return;
  }
  scratch.clear();
  AppendDecodedUtf16(bytes, scratch);
  out.append(reinterpret_cast<const QChar*>(scratch.data()),
             static_cast<qsizetype>(scratch.size()));
}

// Control characters (a tab, say) take their one cell as a blank.
QString Printable(QString text) {
  for (QChar& c : text) {
    if (c.unicode() < 0x20) c = QLatin1Char(' ');
  }
  return text;
}

// Text from the clipboard or an input method, with line breaks as '\n'.
std::string TypedText(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text.toStdString();
}

bool IsWordCharacter(char32_t c) { return c == U'_' || QChar::isLetterOrNumber(c); }

constexpr std::size_t kTabWidth = 8;

}  // namespace

DataMemo::OutputHold::OutputHold(DataMemo& memo) : memo_(memo) { ++memo_.holds_; }

DataMemo::OutputHold::~OutputHold() {
  if (--memo_.holds_ == 0 && memo_.output_pending_) memo_.OutputArrived();
}

DataMemo::DataMemo(QWidget* parent) : QAbstractScrollArea(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  // The pane starts with one empty line, after which output is appended.
  text_.AppendLine({});
  UpdateGeometry();
}

DataMemo::~DataMemo() = default;

// --- Program output ---

void DataMemo::AppendLine(std::string_view bytes) {
  text_.AppendLine(bytes);
  if (holds_ > 0) {
    output_pending_ = true;
  } else {
    OutputArrived();
  }
}

void DataMemo::Clear() {
  text_.Clear();
  caret_ = anchor_ = {};
  goal_column_ = 0;
  if (holds_ > 0) {
    output_pending_ = true;
  } else {
    OutputArrived();
  }
}

void DataMemo::OutputArrived() {
  output_pending_ = false;
  UpdateScrollRange();
  MoveCaret(text_.All().to, false);
}

// --- Reading ---

QString DataMemo::LineText(std::size_t line) const {
  QString text;
  std::u16string scratch;
  AppendShown(text_.Line(line), text, scratch);
  return text;
}

QString DataMemo::Text(PaneRange range) const {
  PanePosition from = text_.Clamp(range.from);
  PanePosition to = text_.Clamp(range.to);
  if (to < from) std::swap(from, to);
  // Sized once up front, so that copying a whole report of many megabytes
  // needs no reallocation: no line shows more UTF-16 units than its bytes.
  qsizetype units = 0;
  for (std::size_t line = from.line; line <= to.line; ++line) {
    units += static_cast<qsizetype>(text_.Line(line).size()) + 1;
  }
  QString text;
  text.reserve(units);
  std::u16string scratch;
  for (std::size_t line = from.line; line <= to.line; ++line) {
    if (line > from.line) text.append(QLatin1Char('\n'));
    const bool partial = (line == from.line && from.column > 0) || line == to.line;
    if (!partial) {
      AppendShown(text_.Line(line), text, scratch);
      continue;
    }
    const std::size_t begin = line == from.line ? from.column : 0;
    const std::size_t end = line == to.line ? to.column : text_.LineChars(line);
    text.append(Columns(LineText(line), begin, end));
  }
  return text;
}

PaneRange DataMemo::selection() const {
  return anchor_ < caret_ ? PaneRange{anchor_, caret_} : PaneRange{caret_, anchor_};
}

std::size_t DataMemo::top_row() const {
  return static_cast<std::size_t>(verticalScrollBar()->value());
}

// --- The user's commands ---

void DataMemo::SelectAll() {
  const PaneRange all = text_.All();
  anchor_ = all.from;
  caret_ = all.to;
  viewport()->update();
}

void DataMemo::Copy() {
  const PaneRange range = selection();
  if (range.from == range.to) return;
  QGuiApplication::clipboard()->setText(Text(range));
}

void DataMemo::Cut() {
  if (selection().from == selection().to) return;
  Copy();
  DeleteSelection();
}

void DataMemo::Paste() {
  const QMimeData* pasted = QGuiApplication::clipboard()->mimeData();
  if (pasted == nullptr || !pasted->hasText()) return;
  Type(TypedText(pasted->text()));
}

void DataMemo::DeleteSelection() {
  const PaneRange range = selection();
  if (range.from == range.to) return;
  TextEdited(text_.Delete(range));
}

void DataMemo::Undo() {
  if (const auto range = text_.Undo()) TextEdited(range->to);
}

void DataMemo::Redo() {
  if (const auto range = text_.Redo()) TextEdited(range->to);
}

void DataMemo::Type(std::string_view utf8) {
  if (utf8.empty() && selection().from == selection().to) return;
  TextEdited(text_.Replace(selection(), utf8));
}

void DataMemo::TextEdited(PanePosition caret) {
  UpdateScrollRange();
  MoveCaret(caret, false);
}

void DataMemo::MoveCaret(PanePosition position, bool extend) {
  caret_ = text_.Clamp(position);
  if (!extend) anchor_ = caret_;
  goal_column_ = caret_.column - text_.RowAt(columns_, text_.RowOf(columns_, caret_)).column;
  EnsureCaretVisible();
  RestartCaretBlink();
  viewport()->update();
}

QMenu* DataMemo::CreateContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  const bool selected = selection().from != selection().to;
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
  add("edit-cut", QStringLiteral("Cu&t"), QKeySequence::Cut, selected, &DataMemo::Cut);
  add("edit-copy", QStringLiteral("&Copy"), QKeySequence::Copy, selected, &DataMemo::Copy);
  add("edit-paste", QStringLiteral("&Paste"), QKeySequence::Paste,
      clipboard != nullptr && clipboard->hasText(), &DataMemo::Paste);
  add("edit-delete", QStringLiteral("Delete"), QKeySequence::UnknownKey, selected,
      &DataMemo::DeleteSelection);
  menu->addSeparator();
  add("select-all", QStringLiteral("Select All"), QKeySequence::SelectAll,
      text_.All().from != text_.All().to, &DataMemo::SelectAll);
  return menu;
}

// --- Geometry and painting ---

void DataMemo::UpdateGeometry() {
  const QFontMetrics metrics(font());
  char_width_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('M')));
  line_height_ = std::max(1, metrics.lineSpacing());
  const int text_width = viewport()->width() - 2 * kMargin;
  const auto columns = static_cast<std::size_t>(std::max(1, text_width / char_width_));
  if (columns != columns_) {
    // The line at the top stays at the top.
    const PaneRow top = text_.RowAt(columns_, top_row());
    columns_ = columns;
    UpdateScrollRange();
    ScrollToRow(text_.RowOf(columns_, {top.line, top.column}));
  } else {
    UpdateScrollRange();
  }
  viewport()->update();
}

int DataMemo::VisibleRows() const {
  return std::max(1, (viewport()->height() - kMargin) / line_height_);
}

void DataMemo::UpdateScrollRange() {
  const std::size_t rows = text_.RowCount(columns_);
  const auto visible = static_cast<std::size_t>(VisibleRows());
  const std::size_t last_top = rows > visible ? rows - visible : 0;
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, static_cast<int>(std::min<std::size_t>(last_top, INT_MAX)));
  bar->setPageStep(VisibleRows());
  bar->setSingleStep(1);
}

void DataMemo::ScrollToRow(std::size_t row) {
  verticalScrollBar()->setValue(static_cast<int>(std::min<std::size_t>(row, INT_MAX)));
}

void DataMemo::EnsureCaretVisible() {
  const std::size_t row = text_.RowOf(columns_, caret_);
  const std::size_t top = top_row();
  const auto visible = static_cast<std::size_t>(VisibleRows());
  if (row < top) {
    ScrollToRow(row);
  } else if (row >= top + visible) {
    ScrollToRow(row - visible + 1);
  }
}

void DataMemo::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPalette& colours = palette();
  painter.fillRect(event->rect(), colours.base());
  painter.setFont(font());
  const QFontMetrics metrics(font());
  const PaneRange selected = selection();
  const std::size_t rows = text_.RowCount(columns_);
  const std::size_t top = top_row();
  const int shown = viewport()->height() / line_height_ + 1;
  std::size_t decoded_line = SIZE_MAX;
  QString decoded;
  for (int i = 0; i < shown && top + static_cast<std::size_t>(i) < rows; ++i) {
    const PaneRow row = text_.RowAt(columns_, top + static_cast<std::size_t>(i));
    if (row.line != decoded_line) {
      decoded = Printable(LineText(row.line));
      decoded_line = row.line;
    }
    const int y = kMargin + i * line_height_;
    const int baseline = y + metrics.ascent();
    const auto x_of = [&](std::size_t column) {
      return kMargin + static_cast<int>(column - row.column) * char_width_;
    };
    // The selected columns of this row; a selected line end shows as one
    // more selected cell after the line's last row.
    std::size_t sel_from = row.column;
    std::size_t sel_to = row.column;
    const std::size_t row_end = row.column + row.columns;
    const bool last_row_of_line = row_end >= text_.LineChars(row.line);
    if (row.line >= selected.from.line && row.line <= selected.to.line) {
      sel_from =
          row.line == selected.from.line ? std::max(row.column, selected.from.column) : row.column;
      sel_to = row.line == selected.to.line ? std::min(row_end, selected.to.column)
               : last_row_of_line           ? row_end + 1
                                            : row_end;
      if (sel_to < sel_from) sel_to = sel_from;
    }
    const std::size_t text_sel_to = std::min(sel_to, row_end);
    painter.setPen(colours.color(QPalette::Text));
    if (sel_from > row.column) {
      painter.drawText(x_of(row.column), baseline, Columns(decoded, row.column, sel_from));
    }
    if (sel_to > sel_from) {
      painter.fillRect(
          QRect(x_of(sel_from), y, static_cast<int>(sel_to - sel_from) * char_width_, line_height_),
          colours.highlight());
      painter.setPen(colours.color(QPalette::HighlightedText));
      painter.drawText(x_of(sel_from), baseline, Columns(decoded, sel_from, text_sel_to));
      painter.setPen(colours.color(QPalette::Text));
    }
    if (row_end > text_sel_to) {
      const std::size_t from = std::max(text_sel_to, row.column);
      painter.drawText(x_of(from), baseline, Columns(decoded, from, row_end));
    }
  }
  if (hasFocus() && caret_shown_) {
    const std::size_t caret_row = text_.RowOf(columns_, caret_);
    if (caret_row >= top && caret_row < top + static_cast<std::size_t>(shown)) {
      const PaneRow row = text_.RowAt(columns_, caret_row);
      const int x = kMargin + static_cast<int>(caret_.column - row.column) * char_width_;
      const int y = kMargin + static_cast<int>(caret_row - top) * line_height_;
      painter.fillRect(QRect(x, y, 1, line_height_), colours.color(QPalette::Text));
    }
  }
}

void DataMemo::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateGeometry();
}

void DataMemo::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateGeometry();
}

void DataMemo::scrollContentsBy(int, int) { viewport()->update(); }

// --- Keys ---

PanePosition DataMemo::Before(PanePosition position) const {
  if (position.column > 0) return {position.line, position.column - 1};
  if (position.line > 0) return {position.line - 1, text_.LineChars(position.line - 1)};
  return position;
}

PanePosition DataMemo::After(PanePosition position) const {
  if (position.column < text_.LineChars(position.line)) {
    return {position.line, position.column + 1};
  }
  if (position.line + 1 < text_.line_count()) return {position.line + 1, 0};
  return position;
}

PanePosition DataMemo::PositionInRow(std::size_t row, std::size_t column) const {
  const PaneRow found = text_.RowAt(columns_, row);
  column = std::min(column, found.columns);
  const bool wraps_on = found.column + found.columns < text_.LineChars(found.line);
  // The end of a full row that wraps on is the start of the next row.
  if (wraps_on && column == found.columns && column > 0) --column;
  return {found.line, found.column + column};
}

bool DataMemo::HandleMovementKey(QKeyEvent* event) {
  struct Movement {
    QKeySequence::StandardKey move;
    QKeySequence::StandardKey select;
    enum Kind { kLeft, kRight, kUp, kDown, kPageUp, kPageDown, kLineStart, kLineEnd, kTop, kEnd };
    Kind kind;
  };
  static constexpr Movement kMovements[] = {
      {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Movement::kLeft},
      {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Movement::kRight},
      {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Movement::kUp},
      {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Movement::kDown},
      {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Movement::kPageUp},
      {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Movement::kPageDown},
      {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Movement::kLineStart},
      {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Movement::kLineEnd},
      {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Movement::kTop},
      {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Movement::kEnd},
  };
  for (const Movement& movement : kMovements) {
    const bool extend = event->matches(movement.select);
    if (!extend && !event->matches(movement.move)) continue;
    PanePosition to = caret_;
    const std::size_t row = text_.RowOf(columns_, caret_);
    const std::size_t rows = text_.RowCount(columns_);
    const auto page = static_cast<std::size_t>(VisibleRows());
    bool keeps_goal = false;
    switch (movement.kind) {
      case Movement::kLeft:
        to = !extend && caret_ != anchor_ ? selection().from : Before(caret_);
        break;
      case Movement::kRight:
        to = !extend && caret_ != anchor_ ? selection().to : After(caret_);
        break;
      case Movement::kUp:
        to = row == 0 ? PanePosition{0, 0} : PositionInRow(row - 1, goal_column_);
        keeps_goal = row > 0;
        break;
      case Movement::kDown:
        to = row + 1 >= rows ? text_.All().to : PositionInRow(row + 1, goal_column_);
        keeps_goal = row + 1 < rows;
        break;
      case Movement::kPageUp:
        to = PositionInRow(row > page ? row - page : 0, goal_column_);
        ScrollToRow(top_row() > page ? top_row() - page : 0);
        keeps_goal = true;
        break;
      case Movement::kPageDown:
        to = PositionInRow(std::min(row + page, rows - 1), goal_column_);
        ScrollToRow(top_row() + page);
        keeps_goal = true;
        break;
      case Movement::kLineStart:
        to.column = 0;
        break;
      case Movement::kLineEnd:
        to.column = text_.LineChars(to.line);
        break;
      case Movement::kTop:
        to = {0, 0};
        break;
      case Movement::kEnd:
        to = text_.All().to;
        break;
    }
    const std::size_t goal = goal_column_;
    MoveCaret(to, extend);
    if (keeps_goal) goal_column_ = goal;
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
  const bool backspace = event->key() == Qt::Key_Backspace;
  if (backspace || event->matches(QKeySequence::Delete)) {
    // Without a selection, the character before or after the caret (a line
    // break at a line's start or end).
    if (caret_ == anchor_) anchor_ = backspace ? Before(caret_) : After(caret_);
    DeleteSelection();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Type("\n");
    return;
  }
  if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier) {
    // A tab is blanks up to the next tab stop of the fixed-pitch columns.
    const std::size_t column = selection().from.column;
    Type(std::string(kTabWidth - column % kTabWidth, ' '));
    return;
  }
  const QString text = event->text();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const bool command_key = (modifiers & Qt::ControlModifier) != 0 &&
                           (modifiers & Qt::AltModifier) == 0;  // AltGr types characters
  if (!text.isEmpty() && !command_key && text.at(0).isPrint()) {
    Type(text.toStdString());
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void DataMemo::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) Type(TypedText(event->commitString()));
  event->accept();
}

QVariant DataMemo::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImCursorRectangle) {
    const std::size_t row = text_.RowOf(columns_, caret_);
    const PaneRow found = text_.RowAt(columns_, row);
    const auto top = static_cast<long long>(top_row());
    const int x = kMargin + static_cast<int>(caret_.column - found.column) * char_width_;
    const int y = kMargin + static_cast<int>(static_cast<long long>(row) - top) * line_height_;
    return QRect(x, y, 1, line_height_);
  }
  return QAbstractScrollArea::inputMethodQuery(query);
}

// --- Mouse ---

PanePosition DataMemo::PositionAt(QPoint point) const {
  const std::size_t rows = text_.RowCount(columns_);
  const long long offset = point.y() < kMargin ? -1 : (point.y() - kMargin) / line_height_;
  const long long row = std::clamp<long long>(static_cast<long long>(top_row()) + offset, 0,
                                              static_cast<long long>(rows) - 1);
  const int x = std::max(0, point.x() - kMargin);
  const auto column = static_cast<std::size_t>((x + char_width_ / 2) / char_width_);
  return PositionInRow(static_cast<std::size_t>(row), column);
}

void DataMemo::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  MoveCaret(PositionAt(event->position().toPoint()), (event->modifiers() & Qt::ShiftModifier) != 0);
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
  if (event->button() == Qt::LeftButton) selecting_ = false;
  if (scroll_timer_ != 0) {
    killTimer(scroll_timer_);
    scroll_timer_ = 0;
  }
}

void DataMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // Selects the word under the pointer.
  const PanePosition at = PositionAt(event->position().toPoint());
  const QList<uint> characters = LineText(at.line).toUcs4();
  const auto size = static_cast<std::size_t>(characters.size());
  std::size_t from = std::min(at.column, size);
  std::size_t to = from;
  const auto word = [&](std::size_t i) {
    return IsWordCharacter(characters[static_cast<qsizetype>(i)]);
  };
  if (to < size && word(to)) {
    while (from > 0 && word(from - 1)) --from;
    while (to < size && word(to)) ++to;
  } else if (from > 0 && word(from - 1)) {
    while (from > 0 && word(from - 1)) --from;
  }
  MoveCaret({at.line, from}, false);
  MoveCaret({at.line, to}, true);
}

void DataMemo::AutoScroll() {
  if (drag_point_.y() < 0) {
    ScrollToRow(top_row() > 0 ? top_row() - 1 : 0);
  } else {
    ScrollToRow(top_row() + 1);
  }
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

// Tab is typed into the pane rather than moving the focus on.
bool DataMemo::focusNextPrevChild(bool) { return false; }

}  // namespace dravelin
