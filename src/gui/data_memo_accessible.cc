#include "gui/data_memo_accessible.h"

#include <QAccessible>
#include <QLatin1StringView>
#include <optional>
#include <string>
#include <utility>

#include "gui/accessible_offset.h"
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

// The pane's unit for a boundary of Qt's, if it has one.
std::optional<PaneTextUnit> UnitOf(QAccessible::TextBoundaryType boundary) {
  switch (boundary) {
    case QAccessible::CharBoundary:
      return PaneTextUnit::kCharacter;
    case QAccessible::WordBoundary:
      return PaneTextUnit::kWord;
    case QAccessible::LineBoundary:
      return PaneTextUnit::kRow;
    case QAccessible::ParagraphBoundary:
      return PaneTextUnit::kLine;
    default:
      return std::nullopt;
  }
}

}  // namespace

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
  memo()->SelectOffsets(FromAccessibleOffset(start), FromAccessibleOffset(end));
}

int DataMemoAccessible::cursorPosition() const {
  return ToAccessibleOffset(memo()->model().caret_offset());
}

void DataMemoAccessible::setCursorPosition(int position) {
  memo()->MoveCaret(memo()->model().PositionAt(FromAccessibleOffset(position)), false);
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

QString DataMemoAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                         int* start, int* end) const {
  const std::optional<PaneTextUnit> unit = UnitOf(boundary);
  if (!unit) return QAccessibleTextInterface::textAtOffset(offset, boundary, start, end);
  const PaneOffsets at = memo()->model().UnitAt(FromAccessibleOffset(offset), *unit);
  *start = ToAccessibleOffset(at.from);
  *end = ToAccessibleOffset(at.to);
  return text(*start, *end);
}

QString DataMemoAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                             int* start, int* end) const {
  const std::optional<PaneTextUnit> unit = UnitOf(boundary);
  if (!unit) return QAccessibleTextInterface::textBeforeOffset(offset, boundary, start, end);
  const PaneOffsets before = memo()->model().UnitBefore(FromAccessibleOffset(offset), *unit);
  *start = ToAccessibleOffset(before.from);
  *end = ToAccessibleOffset(before.to);
  return text(*start, *end);
}

QString DataMemoAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                            int* start, int* end) const {
  const std::optional<PaneTextUnit> unit = UnitOf(boundary);
  if (!unit) return QAccessibleTextInterface::textAfterOffset(offset, boundary, start, end);
  const PaneOffsets after = memo()->model().UnitAfter(FromAccessibleOffset(offset), *unit);
  *start = ToAccessibleOffset(after.from);
  *end = ToAccessibleOffset(after.to);
  return text(*start, *end);
}

// --- Geometry ---

QRect DataMemoAccessible::characterRect(int offset) const {
  const DataMemo* pane = memo();
  const PaneModel& model = pane->model();
  const PanePosition position = model.PositionAt(FromAccessibleOffset(offset));
  const std::size_t row = model.RowOf(position);
  if (row < model.top_row() || row >= model.top_row() + model.visible_rows()) return {};
  const QRect cell = pane->CellRect(row, position.column - model.Row(row).column);
  return QRect(pane->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

int DataMemoAccessible::offsetAtPoint(const QPoint& point) const {
  const DataMemo* pane = memo();
  const QPoint local = pane->viewport()->mapFromGlobal(point);
  if (!pane->viewport()->rect().contains(local)) return -1;
  return ToAccessibleOffset(pane->model().OffsetOf(pane->PositionAt(local)));
}

void DataMemoAccessible::scrollToSubstring(int start, int end) {
  memo()->ScrollOffsetsIntoSight(FromAccessibleOffset(start), FromAccessibleOffset(end));
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
  memo()->ReplaceOffsets(FromAccessibleOffset(start), FromAccessibleOffset(end),
                         text.toStdString());
}

}  // namespace dravelin
