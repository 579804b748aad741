#include "gui/data_memo_accessible.h"

#include <QAccessible>
#include <QLatin1StringView>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <string>

#include "gui/ansi_text.h"
#include "gui/data_memo.h"
#include "pane/pane_model.h"

namespace dravelin {
namespace {

QAccessibleInterface* DataMemoFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1StringView(DataMemo::staticMetaObject.className())) {
    if (auto* memo = qobject_cast<DataMemo*>(object)) return new DataMemoAccessible(memo);
  }
  return nullptr;
}

}  // namespace

int ToAccessibleOffset(std::size_t offset) {
  return static_cast<int>(std::min<std::size_t>(offset, INT_MAX));
}

std::size_t FromAccessibleOffset(int offset) {
  return static_cast<std::size_t>(std::max(0, offset));
}

void InstallDataMemoAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(DataMemoFactory);
    return true;
  }();
  (void)installed;
}

DataMemoAccessible::DataMemoAccessible(DataMemo* memo)
    : QAccessibleWidget(memo, QAccessible::EditableText) {}

DataMemo* DataMemoAccessible::memo() const { return static_cast<DataMemo*>(widget()); }

void* DataMemoAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) {
    return static_cast<QAccessibleEditableTextInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(type);
}

QAccessible::State DataMemoAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = !memo()->model().read_only();
  state.readOnly = memo()->model().read_only();
  state.multiLine = true;
  state.selectableText = true;
  state.focusable = true;
  return state;
}

// --- Selection and caret ---

void DataMemoAccessible::selection(int index, int* start, int* end) const {
  *start = *end = 0;
  const PaneModel& model = memo()->model();
  if (index != 0 || !model.has_selection()) return;
  *start = ToAccessibleOffset(model.OffsetOf(model.selection().from));
  *end = ToAccessibleOffset(model.OffsetOf(model.selection().to));
}

int DataMemoAccessible::selectionCount() const { return memo()->model().has_selection() ? 1 : 0; }

void DataMemoAccessible::addSelection(int start, int end) { setSelection(0, start, end); }

void DataMemoAccessible::removeSelection(int index) {
  if (index != 0) return;
  memo()->MoveCaret(memo()->caret(), false);
}

void DataMemoAccessible::setSelection(int index, int start, int end) {
  if (index != 0) return;
  DataMemo* pane = memo();
  pane->model_.Select({pane->model_.PositionAt(FromAccessibleOffset(start)),
                       pane->model_.PositionAt(FromAccessibleOffset(end))});
  pane->ModelChanged();
}

int DataMemoAccessible::cursorPosition() const {
  return ToAccessibleOffset(memo()->model().caret_offset());
}

void DataMemoAccessible::setCursorPosition(int position) {
  memo()->MoveCaret(memo()->model().PositionAt(FromAccessibleOffset(position)),
                    false);
}

// --- Text ---

QString DataMemoAccessible::text(QAccessible::Text type) const {
  return QAccessibleWidget::text(type);
}

QString DataMemoAccessible::text(int start, int end) const {
  if (end < start) std::swap(start, end);
  return Utf16ToQString(memo()->model().TextBetween(FromAccessibleOffset(start),
                                                    FromAccessibleOffset(end)));
}

int DataMemoAccessible::characterCount() const {
  return ToAccessibleOffset(memo()->model().CharacterCount());
}

bool DataMemoAccessible::UnitAt(int offset, QAccessible::TextBoundaryType boundary, int* start,
                                int* end) const {
  const PaneModel& model = memo()->model();
  const std::size_t count = model.CharacterCount();
  const std::size_t at = std::min(FromAccessibleOffset(offset), count);
  const PanePosition position = model.PositionAt(at);
  PaneRange unit;
  switch (boundary) {
    case QAccessible::CharBoundary: {
      const std::size_t from = model.OffsetOf(position);
      const std::u16string next = model.TextBetween(from, from + 2);
      const std::size_t length = next.empty() ? 0 : next[0] >= 0xD800 && next[0] < 0xDC00 ? 2 : 1;
      *start = ToAccessibleOffset(from);
      *end = ToAccessibleOffset(from + length);
      return true;
    }
    case QAccessible::WordBoundary:
      unit = model.WordAround(position);
      break;
    case QAccessible::LineBoundary: {
      // The row as it shows, with the line break after a line's last row.
      const PaneRow row = model.Row(model.RowOf(position));
      const bool last_row = row.column + row.columns >= model.text().LineChars(row.line);
      unit = {{row.line, row.column},
              last_row ? PanePosition{row.line + 1, 0}
                       : PanePosition{row.line, row.column + row.columns}};
      break;
    }
    case QAccessible::ParagraphBoundary:
      unit = {{position.line, 0}, {position.line + 1, 0}};
      break;
    default:
      return false;
  }
  *start = ToAccessibleOffset(model.OffsetOf(unit.from));
  *end = ToAccessibleOffset(model.OffsetOf(unit.to));
  return true;
}

QString DataMemoAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                         int* start, int* end) const {
  if (!UnitAt(offset, boundary, start, end)) {
    return QAccessibleTextInterface::textAtOffset(offset, boundary, start, end);
  }
  return text(*start, *end);
}

QString DataMemoAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                             int* start, int* end) const {
  int from = 0;
  int to = 0;
  if (!UnitAt(offset, boundary, &from, &to)) {
    return QAccessibleTextInterface::textBeforeOffset(offset, boundary, start, end);
  }
  if (from == 0) {
    *start = *end = 0;
    return {};
  }
  return textAtOffset(from - 1, boundary, start, end);
}

QString DataMemoAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                            int* start, int* end) const {
  int from = 0;
  int to = 0;
  if (!UnitAt(offset, boundary, &from, &to)) {
    return QAccessibleTextInterface::textAfterOffset(offset, boundary, start, end);
  }
  if (to >= characterCount() || to == from) {
    *start = *end = characterCount();
    return {};
  }
  return textAtOffset(to, boundary, start, end);
}

// --- Geometry ---

QRect DataMemoAccessible::characterRect(int offset) const {
  const DataMemo* pane = memo();
  const PaneModel& model = pane->model();
  const PanePosition position = model.PositionAt(FromAccessibleOffset(offset));
  const std::size_t row = model.RowOf(position);
  if (row < model.top_row() || row >= model.top_row() + model.visible_rows()) return {};
  const std::size_t cell = position.column - model.Row(row).column;
  const QPoint corner(
      DataMemo::kMargin + static_cast<int>(cell) * pane->char_width_,
      DataMemo::kMargin + static_cast<int>(row - model.top_row()) * pane->line_height_);
  return QRect(pane->viewport()->mapToGlobal(corner), QSize(pane->char_width_, pane->line_height_));
}

int DataMemoAccessible::offsetAtPoint(const QPoint& point) const {
  const DataMemo* pane = memo();
  const QPoint local = pane->viewport()->mapFromGlobal(point);
  if (!pane->viewport()->rect().contains(local)) return -1;
  return ToAccessibleOffset(pane->model().OffsetOf(pane->PositionAt(local)));
}

void DataMemoAccessible::scrollToSubstring(int start, int end) {
  DataMemo* pane = memo();
  PaneModel& model = pane->model_;
  const std::size_t first =
      model.RowOf(model.PositionAt(FromAccessibleOffset(start)));
  const std::size_t last =
      model.RowOf(model.PositionAt(FromAccessibleOffset(end)));
  if (first < model.top_row() || last >= model.top_row() + model.visible_rows()) {
    model.ScrollTo(first);
    pane->ModelChanged();
  }
}

QString DataMemoAccessible::attributes(int, int* start, int* end) const {
  // One font and colour throughout.
  *start = 0;
  *end = characterCount();
  return {};
}

// --- Editing ---

void DataMemoAccessible::deleteText(int start, int end) { replaceText(start, end, QString()); }

void DataMemoAccessible::insertText(int offset, const QString& text) {
  replaceText(offset, offset, text);
}

void DataMemoAccessible::replaceText(int start, int end, const QString& text) {
  DataMemo* pane = memo();
  const std::string utf8 = text.toStdString();
  pane->EditText(
      [&] {
        return pane->model_.ReplaceOffsets(FromAccessibleOffset(start),
                                           FromAccessibleOffset(end), utf8);
      });
}

}  // namespace dravelin
