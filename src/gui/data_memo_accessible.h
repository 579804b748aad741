// What an assistive technology (a screen reader, through AT-SPI) reads and
// edits in the window's pane: an editable multi-line text named "Report"
// whose characters, caret, selection, words and lines come from the pane
// model, in UTF-16 offsets over the whole text (gui/accessible_offset.h says
// how they cross Qt's int), through the pane's public interface.

#ifndef DRAVELIN_GUI_DATA_MEMO_ACCESSIBLE_H_
#define DRAVELIN_GUI_DATA_MEMO_ACCESSIBLE_H_

#include <QAccessibleWidget>
#include <cstddef>

namespace dravelin {

class DataMemo;

class DataMemoAccessible final : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface {
 public:
  explicit DataMemoAccessible(DataMemo* memo);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessible::State state() const override;

  // QAccessibleTextInterface.
  void selection(int index, int* start, int* end) const override;
  int selectionCount() const override;
  void addSelection(int start, int end) override;
  void removeSelection(int index) override;
  void setSelection(int index, int start, int end) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(QAccessible::Text type) const override;
  QString text(int start, int end) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                           int* end) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                          int* end) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                       int* end) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int start, int end) override;
  QString attributes(int offset, int* start, int* end) const override;

  // QAccessibleEditableTextInterface.
  void deleteText(int start, int end) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int start, int end, const QString& text) override;

 private:
  DataMemo* memo() const;
};

// Makes QAccessible build a DataMemoAccessible for every DataMemo; once is
// enough, more calls do nothing (SetUpApplication calls it).
void InstallDataMemoAccessibility();

}  // namespace dravelin

#endif  // DRAVELIN_GUI_DATA_MEMO_ACCESSIBLE_H_
