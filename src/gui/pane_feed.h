// How program output reaches the text pane: lines are gathered while a
// command runs and handed to the pane in large batches, the pane is neither
// laid out nor painted meanwhile, and one output keeps at most a limit of
// lines, the rest counted in a closing note.

#ifndef DRAVELIN_GUI_PANE_FEED_H_
#define DRAVELIN_GUI_PANE_FEED_H_

#include <cstddef>
#include <string>
#include <string_view>

class QPlainTextEdit;
class QString;

namespace dravelin {

// The pane keeps at most this many lines of one output; report files always
// receive every line.
inline constexpr std::size_t kPaneLineLimit = 1'000'000;

class PaneFeed {
 public:
  PaneFeed(QPlainTextEdit* pane, std::size_t line_limit) : pane_(pane), line_limit_(line_limit) {}

  // A command starts or ends; the pane is painted again and receives the
  // lines still gathered when the outermost command ends.
  void BeginCommand();
  void EndCommand();

  void Append(std::string_view line);
  void Clear();

  // Hands the lines gathered so far to the pane.
  void Flush();

  // Lines in the pane, the ones still gathered included.
  std::size_t line_count() const { return lines_; }

 private:
  void Insert(const QString& text);

  QPlainTextEdit* pane_;
  std::size_t line_limit_;
  std::string pending_;  // lines not yet in the pane, joined by '\n'
  std::size_t lines_ = 1;  // the pane starts with one empty line
  std::size_t dropped_ = 0;
  int depth_ = 0;
  bool updates_were_enabled_ = true;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_PANE_FEED_H_
