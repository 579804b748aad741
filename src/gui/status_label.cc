#include "gui/status_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>
#include <memory>

#include "gui/announcer.h"

namespace dravelin {
namespace {

// What a screen reader asks of the status line: a status bar whose name and
// description are the text on show.
class StatusLabelAccessible final : public QAccessibleWidget {
 public:
  explicit StatusLabelAccessible(StatusLabel* label)
      : QAccessibleWidget(label, QAccessible::StatusBar) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name || kind == QAccessible::Description) {
      return static_cast<const QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* StatusLabelFactory(const QString& /*class_name*/, QObject* object) {
  if (auto* label = dynamic_cast<StatusLabel*>(object)) return new StatusLabelAccessible(label);
  return nullptr;
}

}  // namespace

StatusLabel::StatusLabel(QWidget* parent) : QLabel(parent), announcer_(std::make_unique<Announcer>(this)) {
  // Before any interface of a label is asked for, so that this one answers.
  static const bool installed = [] {
    QAccessible::installFactory(&StatusLabelFactory);
    return true;
  }();
  static_cast<void>(installed);
}

StatusLabel::~StatusLabel() = default;

void StatusLabel::ShowText(const QString& text) {
  // Each status is told, a repeated one too: the label tells a new name
  // itself, and the description, which is the same text, is told here.
  const bool repeated = text == this->text();
  setText(text);
  if (repeated) {
    QAccessibleEvent name_changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name_changed);
  }
  QAccessibleEvent description_changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&description_changed);
  announcer_->Announce(text);
  repaint();
}

}  // namespace dravelin
