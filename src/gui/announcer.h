// Says a short text to a screen reader without moving the focus: the find
// bar's "3 of 12" or "No matches", the status line's "Comparing patches...".
// A screen reader speaks a name change only for the object that has the
// focus, so a label that changes is never heard; an announcement is.
//
// Before Qt 6.8 there is no announcement event (from 6.8 on it is used), so
// the text is told as a notification appearing: a hidden child of the
// owner whose accessible role is Notification, named by the text, reports
// itself shown. Three such children take turns, so that a screen reader
// that drops an event made stale by a newer one from the same object still
// speaks two texts told in quick succession ("Comparing patches..." and
// "Finished ...").

#ifndef DRAVELIN_GUI_ANNOUNCER_H_
#define DRAVELIN_GUI_ANNOUNCER_H_

#include <QString>
#include <array>
#include <cstddef>

class QWidget;

namespace dravelin {

class Announcer {
 public:
  // The children it makes belong to `owner`.
  explicit Announcer(QWidget* owner);

  // Tells `text` (nothing for an empty one); a text said again is told again.
  void Announce(const QString& text);

  // The text told last.
  const QString& text() const { return text_; }

 private:
  QWidget* owner_;
  std::array<QWidget*, 3> voices_{};
  std::size_t next_ = 0;
  QString text_;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_ANNOUNCER_H_
