#include "gui/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <QtGlobal>

namespace dravelin {
namespace {

// One of an announcer's children: invisible, never focused, named by the
// text it told last.
class Voice final : public QWidget {
 public:
  explicit Voice(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("Announcement"));
    setFocusPolicy(Qt::NoFocus);
    hide();
  }
  QString said;
};

class VoiceAccessible final : public QAccessibleWidget {
 public:
  explicit VoiceAccessible(Voice* voice) : QAccessibleWidget(voice, QAccessible::Notification) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return static_cast<const Voice*>(widget())->said;
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* VoiceFactory(const QString& /*class_name*/, QObject* object) {
  if (auto* voice = dynamic_cast<Voice*>(object)) return new VoiceAccessible(voice);
  return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* owner) : owner_(owner) {
  static const bool installed = [] {
    QAccessible::installFactory(&VoiceFactory);
    return true;
  }();
  static_cast<void>(installed);
  for (QWidget*& voice : voices_) voice = new Voice(owner);
}

void Announcer::Announce(const QString& text) {
  if (text.isEmpty()) return;
  text_ = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent event(owner_, text);
  QAccessible::updateAccessibility(&event);
#else
  auto* voice = static_cast<Voice*>(voices_[next_]);
  next_ = (next_ + 1) % voices_.size();
  voice->said = text;
  QAccessibleEvent named(voice, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
  QAccessibleEvent shown(voice, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
#endif
}

}  // namespace dravelin
