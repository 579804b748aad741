// The pane's find bar: a text field, a match-case switch, "N of M", and
// buttons for the previous and the next match and for closing. Ctrl+F opens
// it (DataMemo); typing searches on from the match already found; Enter and
// F3 go to the next match, Shift+Enter and Shift+F3 to the previous, Esc
// closes it and gives the focus back to the pane. The match is selected in
// the pane and scrolled into sight. The search itself is the pane model's.
// Each count shown is announced to a screen reader (gui/announcer.h): a
// search that finds nothing is heard as "No matches".

#ifndef DRAVELIN_GUI_FIND_BAR_H_
#define DRAVELIN_GUI_FIND_BAR_H_

#include <QWidget>
#include <memory>

#include "pane/pane_search.h"
#include "pane/pane_text.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace dravelin {

class Announcer;
class DataMemo;

class FindBar final : public QWidget {
 public:
  explicit FindBar(DataMemo* memo);
  ~FindBar() override;

  // Shows the bar with the focus in its field, the field's text selected.
  void Open();
  // Hides the bar; the focus goes back to the pane.
  void Close();

  // The next or the previous match of the field's text; with an empty
  // field, opens the bar.
  void FindNext();
  void FindPrevious();

  // The pane's text changed: the count shown may be out of date.
  void TextEdited();

  // Whether the pane's selection is the match the bar selected last (also
  // after a later search found nothing).
  bool MatchIsSelected() const;

  QLineEdit* field() const { return field_; }
  QCheckBox* match_case() const { return match_case_; }
  // "N of M", "No matches", or empty before a search.
  QLabel* count_label() const { return count_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Search(SearchDirection direction, bool from_selection_start);
  void ShowResult(const PaneSearchResult& result);

  DataMemo* memo_;
  QLineEdit* field_;
  QCheckBox* match_case_;
  QLabel* count_;
  QToolButton* previous_;
  QToolButton* next_;
  QToolButton* close_;
  // Says each count as it is shown.
  std::unique_ptr<Announcer> announcer_;
  bool found_ = false;
  PaneRange match_;  // the match selected last, once found_
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_FIND_BAR_H_
