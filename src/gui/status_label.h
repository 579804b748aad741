// The window's status line: a one-line label that assistive technology sees
// as the window's status bar, named and described by the text it shows, and
// told each time that text changes; each text shown is also announced
// (gui/announcer.h), so that a screen reader speaks it wherever the focus is.

#ifndef DRAVELIN_GUI_STATUS_LABEL_H_
#define DRAVELIN_GUI_STATUS_LABEL_H_

#include <QLabel>
#include <memory>

class QString;

namespace dravelin {

class Announcer;

class StatusLabel final : public QLabel {
 public:
  explicit StatusLabel(QWidget* parent);
  ~StatusLabel() override;

  // Shows `text` and paints it before returning.
  void ShowText(const QString& text);

 private:
  std::unique_ptr<Announcer> announcer_;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_STATUS_LABEL_H_
