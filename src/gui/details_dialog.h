// The window beside the main window that shows a patch's details (the
// core's "Show Patch Details"): a read-only pane of its own, a second view
// over a pane model of its own, and a Close button. It is not modal: the
// report stays as it was and can be read and clicked meanwhile, and showing
// other details replaces these.
//
// Keyboard: the pane has the focus when the window opens; Tab goes to Close;
// Esc (or Close) closes the window and gives the focus back to the report.
// Assistive technologies read the pane as the read-only text "Patch
// Details", line by line, as they read the report.

#ifndef DRAVELIN_GUI_DETAILS_DIALOG_H_
#define DRAVELIN_GUI_DETAILS_DIALOG_H_

#include <QDialog>
#include <span>
#include <string>

class QPushButton;

namespace dravelin {

class DataMemo;

class DetailsDialog final : public QDialog {
 public:
  // `report` is the pane that gets the focus back when the window closes.
  DetailsDialog(QWidget* parent, DataMemo* report);

  // Shows `lines` from their top, the window named `title`, and brings it
  // to the front with the focus in its pane.
  void ShowLines(const QString& title, std::span<const std::string> lines);

  DataMemo* pane() const { return pane_; }
  QPushButton* close_button() const { return close_; }

 private:
  DataMemo* pane_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_DETAILS_DIALOG_H_
