// The pane's find bar: a text field, a match-case switch, "N of M", and
// buttons for the previous and the next match and for closing. Ctrl+F opens
// it (DataMemo); typing searches on from the match already found; Enter and
// F3 go to the next match, Shift+Enter and Shift+F3 to the previous, Esc
// closes it and gives the focus back to the pane. The match is selected in
// the pane and scrolled into sight. The bar holds the controls only: what it
// opens with, each search and its count are the pane's (pane/pane_find.h),
// reached through the callbacks of FindBar::Pane. Each count a search shows
// is announced to a screen reader (gui/announcer.h): a search that finds
// nothing is heard as "No matches".

#ifndef DRAVELIN_GUI_FIND_BAR_H_
#define DRAVELIN_GUI_FIND_BAR_H_

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "pane/pane_find.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace dravelin {

class Announcer;

class FindBar final : public QWidget {
 public:
  // What the bar asks of the pane it belongs to.
  struct Pane {
    // Searches for `query` (PaneFind::Search); returns the count to show.
    std::function<QString(const QString& query, bool match_case, PaneFind::Step step)> search;
    // The query to open with, if any (PaneFind::Seed).
    std::function<std::optional<QString>()> seed;
    // The bar was shown or hidden: the pane makes room for it or takes the
    // room back.
    std::function<void()> placed;
  };

  // A child of `pane_widget`, which gets the focus back when the bar closes.
  FindBar(QWidget* pane_widget, Pane pane);
  ~FindBar() override;

  // Shows the bar with the focus in its field, the field's text selected.
  void Open();
  // Hides the bar; the focus goes back to the pane.
  void Close();

  // The next or the previous match of the field's text; with an empty
  // field, opens the bar.
  void FindNext();
  void FindPrevious();

  // Shows `count` (PaneFind::CountText) without announcing it: after the
  // pane's text changed, when the count shown may no longer hold.
  void ShowCount(const QString& count);

  QLineEdit* field() const { return field_; }
  QCheckBox* match_case() const { return match_case_; }
  // "N of M", "No matches", or empty before a search.
  QLabel* count_label() const { return count_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Search(PaneFind::Step step);

  QWidget* pane_widget_;
  Pane pane_;
  QLineEdit* field_;
  QCheckBox* match_case_;
  QLabel* count_;
  QToolButton* previous_;
  QToolButton* next_;
  QToolButton* close_;
  // Says each count a search shows.
  std::unique_ptr<Announcer> announcer_;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_FIND_BAR_H_
