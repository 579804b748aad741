// The window's status line: a one-line label that assistive technology sees
// as the window's status bar, named and described by the text it shows, and
// told each time that text changes.

#ifndef DRAVELIN_GUI_STATUS_LABEL_H_
#define DRAVELIN_GUI_STATUS_LABEL_H_

#include <QLabel>

class QString;

namespace dravelin {

class StatusLabel final : public QLabel {
 public:
  explicit StatusLabel(QWidget* parent);

  // Shows `text` and paints it before returning.
  void ShowText(const QString& text);
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_STATUS_LABEL_H_
