#include "gui/keyboard_banks_dialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QFont>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "gui/ansi_text.h"

namespace dravelin {

KeyboardBanksDialog::KeyboardBanksDialog(QWidget* parent, const AssignmentDialog& content,
                                         Confirm confirm)
    : QDialog(parent), confirm_(std::move(confirm)) {
  setObjectName(QStringLiteral("KeyboardBanks"));
  setWindowTitle(DecodeAnsi(kAssignmentDialogTitle));
  setModal(true);

  auto* prompt = new QLabel(DecodeAnsi(kAssignmentDialogPrompt), this);
  prompt->setObjectName(QStringLiteral("KeyboardBanksPrompt"));
  prompt->setWordWrap(true);
  prompt->setTextFormat(Qt::PlainText);

  auto* rows = new QWidget;
  auto* grid = new QGridLayout(rows);
  auto* bank_heading = new QLabel(DecodeAnsi(kAssignmentBankColumn), rows);
  auto* keyboard_heading = new QLabel(DecodeAnsi(kAssignmentKeyboardColumn), rows);
  QFont heading_font = bank_heading->font();
  heading_font.setBold(true);
  bank_heading->setFont(heading_font);
  keyboard_heading->setFont(heading_font);
  grid->addWidget(bank_heading, 0, 0);
  grid->addWidget(keyboard_heading, 0, 1);
  QStringList choices;
  for (std::string_view choice : content.choices) choices.append(DecodeAnsi(choice));
  for (std::size_t i = 0; i < content.banks.size(); ++i) {
    const QString bank = DecodeAnsi(content.banks[i]);
    auto* label = new QLabel(bank, rows);
    label->setTextFormat(Qt::PlainText);
    auto* list = new QComboBox(rows);
    list->setObjectName(QStringLiteral("KeyboardBank%1").arg(i));
    list->addItems(choices);
    list->setCurrentIndex(content.chosen[i]);
    list->setAccessibleName(bank);
    list->setAccessibleDescription(DecodeAnsi(kAssignmentKeyboardColumn));
    label->setBuddy(list);
    const int row = static_cast<int>(i) + 1;
    grid->addWidget(label, row, 0);
    grid->addWidget(list, row, 1);
    lists_.push_back(list);
  }
  grid->setColumnStretch(0, 1);

  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("KeyboardBankRows"));
  scroll->setWidget(rows);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);

  refusal_ = new QLabel(this);
  refusal_->setObjectName(QStringLiteral("KeyboardBanksRefusal"));
  refusal_->setWordWrap(true);
  refusal_->setTextFormat(Qt::PlainText);
  refusal_->hide();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(scroll, 1);
  layout->addWidget(refusal_);
  layout->addWidget(buttons);

  // Room for about a dozen rows before the rows scroll.
  const int row_height = lists_.empty() ? 0 : lists_.front()->sizeHint().height() + 6;
  scroll->setMinimumHeight(std::min(12, static_cast<int>(lists_.size()) + 1) * row_height);
  scroll->setMinimumWidth(rows->sizeHint().width() + 24);
  if (!lists_.empty()) lists_.front()->setFocus();
}

void KeyboardBanksDialog::accept() {
  std::vector<int> chosen;
  chosen.reserve(lists_.size());
  for (const QComboBox* list : lists_) chosen.push_back(list->currentIndex());
  const std::string refusal = confirm_(chosen);
  if (refusal.empty()) {
    QDialog::accept();
    return;
  }
  refusal_->setText(DecodeAnsi(refusal));
  refusal_->show();
  QAccessibleEvent alert(refusal_, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

}  // namespace dravelin
