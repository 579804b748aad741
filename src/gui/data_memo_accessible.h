// What an assistive technology (a screen reader, through AT-SPI) reads and
// edits in the window's pane: an editable multi-line text named "Report"
// whose characters, caret, selection, words and lines come from the pane
// model, in UTF-16 offsets over the whole text.

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
  // The offsets [start, end) of the character, word, row (a line as it
  // shows) or line (a paragraph) at `offset`; false for other boundaries.
  bool UnitAt(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const;
};

// Qt's accessibility interfaces count text in int, where the pane counts in
// std::size_t: a pane of more than INT_MAX UTF-16 units (a report of over
// 2 GB of text) is told as INT_MAX units long, an offset past INT_MAX as
// INT_MAX, and a negative offset asked for is read as 0. Every offset that
// crosses to or from Qt's interface goes through these two.
int ToAccessibleOffset(std::size_t offset);
std::size_t FromAccessibleOffset(int offset);

// Makes QAccessible build a DataMemoAccessible for every DataMemo; once is
// enough, more calls do nothing.
void InstallDataMemoAccessibility();

}  // namespace dravelin

#endif  // DRAVELIN_GUI_DATA_MEMO_ACCESSIBLE_H_
