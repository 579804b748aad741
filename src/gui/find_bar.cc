#include "gui/find_bar.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <memory>
#include <utility>

#include "gui/announcer.h"

namespace dravelin {

FindBar::FindBar(QWidget* pane_widget, Pane pane)
    : QWidget(pane_widget),
      pane_widget_(pane_widget),
      pane_(std::move(pane)),
      field_(new QLineEdit(this)),
      match_case_(new QCheckBox(QStringLiteral("Match case"), this)),
      count_(new QLabel(this)),
      previous_(new QToolButton(this)),
      next_(new QToolButton(this)),
      close_(new QToolButton(this)),
      announcer_(std::make_unique<Announcer>(this)) {
  setObjectName(QStringLiteral("FindBar"));
  setAccessibleName(QStringLiteral("Find"));
  // The desktop's own colours, whatever the pane and the window around it
  // paint with.
  QPalette own = QGuiApplication::palette();
  own.setResolveMask(~QPalette::ResolveMask(0));  // every role its own
  setPalette(own);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  auto* label = new QLabel(QStringLiteral("Find:"), this);
  label->setBuddy(field_);
  field_->setObjectName(QStringLiteral("FindText"));
  field_->setAccessibleName(QStringLiteral("Find text"));
  field_->setClearButtonEnabled(true);
  for (QWidget* control : {static_cast<QWidget*>(field_), static_cast<QWidget*>(match_case_),
                           static_cast<QWidget*>(previous_), static_cast<QWidget*>(next_),
                           static_cast<QWidget*>(close_)}) {
    control->installEventFilter(this);
  }
  match_case_->setObjectName(QStringLiteral("MatchCase"));
  count_->setObjectName(QStringLiteral("MatchCount"));
  // Its text ("3 of 12") is its accessible name; each count shown is
  // announced as well.
  count_->setMinimumWidth(
      count_->fontMetrics().horizontalAdvance(QStringLiteral("0000000 of 0000000")));
  const auto button = [this](QToolButton* tool, const char* name, const QString& text,
                             const QString& tip) {
    tool->setObjectName(QLatin1String(name));
    tool->setText(text);
    tool->setToolTip(tip);
    tool->setAccessibleName(tip);
    tool->setFocusPolicy(Qt::TabFocus);
    tool->setAutoRaise(true);
  };
  button(previous_, "FindPrevious", QStringLiteral("Previous"),
         QStringLiteral("Previous match (Shift+F3)"));
  button(next_, "FindNext", QStringLiteral("Next"), QStringLiteral("Next match (F3)"));
  button(close_, "FindClose", QStringLiteral("Close"), QStringLiteral("Close the find bar (Esc)"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(label);
  layout->addWidget(field_, 1);
  layout->addWidget(match_case_);
  layout->addWidget(count_);
  layout->addWidget(previous_);
  layout->addWidget(next_);
  layout->addWidget(close_);
  connect(field_, &QLineEdit::textEdited, this, [this] { Search(PaneFind::Step::kTyped); });
  connect(match_case_, &QCheckBox::toggled, this, [this] { Search(PaneFind::Step::kTyped); });
  connect(previous_, &QToolButton::clicked, this, &FindBar::FindPrevious);
  connect(next_, &QToolButton::clicked, this, &FindBar::FindNext);
  connect(close_, &QToolButton::clicked, this, &FindBar::Close);
}

FindBar::~FindBar() = default;

void FindBar::Open() {
  if (const std::optional<QString> seed = pane_.seed()) field_->setText(*seed);
  show();
  pane_.placed();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

void FindBar::Close() {
  // The focus first: hiding the control that has it would pass it on as Tab
  // does.
  pane_widget_->setFocus(Qt::OtherFocusReason);
  hide();
  pane_.placed();
}

void FindBar::FindNext() {
  if (field_->text().isEmpty()) {
    Open();
    return;
  }
  Search(PaneFind::Step::kNext);
}

void FindBar::FindPrevious() {
  if (field_->text().isEmpty()) {
    Open();
    return;
  }
  Search(PaneFind::Step::kPrevious);
}

void FindBar::ShowCount(const QString& count) {
  if (count_->text() != count) count_->setText(count);
}

void FindBar::Search(PaneFind::Step step) {
  const QString count = pane_.search(field_->text(), match_case_->isChecked(), step);
  count_->setText(count);
  announcer_->Announce(count);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == field_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      if ((key->modifiers() & Qt::ShiftModifier) != 0) {
        FindPrevious();
      } else {
        FindNext();
      }
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      Close();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace dravelin
