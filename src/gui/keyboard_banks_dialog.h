// The small modal dialog that asks, before a command that writes the
// keyboard's patch names for a sequencer, which keyboard bank each Compare
// bank stands for. It shows what the core offers (AssignmentDialog): a row
// per bank file with a list of keyboard banks, and OK and Cancel. OK hands
// the choice to `confirm`, which takes it (empty text: the dialog closes,
// accepted) or refuses it with a text that the dialog shows, keeping itself
// open. Cancel, Esc and closing the window take nothing.
//
// Keyboard: Tab and Shift+Tab go from list to list and to the buttons, the
// arrow keys change the list in focus, Enter is OK, Esc is Cancel. Each list
// bears its bank file's name for assistive technologies, and a refusal is
// announced as an alert.

#ifndef DRAVELIN_GUI_KEYBOARD_BANKS_DIALOG_H_
#define DRAVELIN_GUI_KEYBOARD_BANKS_DIALOG_H_

#include <QDialog>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/assignment_dialog.h"

class QComboBox;
class QLabel;

namespace dravelin {

class KeyboardBanksDialog final : public QDialog {
 public:
  using Confirm = std::function<std::string(std::span<const int> chosen)>;

  KeyboardBanksDialog(QWidget* parent, const AssignmentDialog& content, Confirm confirm);

  // One list per bank file, in the order of AssignmentDialog::banks.
  const std::vector<QComboBox*>& lists() const { return lists_; }
  // Empty until a choice was refused.
  QLabel* refusal_label() const { return refusal_; }

  void accept() override;

 private:
  Confirm confirm_;
  std::vector<QComboBox*> lists_;
  QLabel* refusal_ = nullptr;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_KEYBOARD_BANKS_DIALOG_H_
