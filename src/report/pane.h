// The text pane that reports and help texts are shown in.

#ifndef DRAVELIN_REPORT_PANE_H_
#define DRAVELIN_REPORT_PANE_H_

#include <cstddef>
#include <string_view>

#include "report/text_block.h"

namespace dravelin {

class Pane {
 public:
  virtual ~Pane() = default;

  // Appends `line` as one new line at the end of the pane; an empty text
  // gives an empty line.
  virtual void AppendPaneLine(std::string_view line) = 0;

  // Appends the ended lines of `block`, in order: the same as one
  // AppendPaneLine per line (without its CR LF). A pane that can take many
  // lines at once faster overrides it.
  virtual void AppendPaneBlock(const TextBlock& block) {
    const std::string_view text = block.text();
    std::size_t start = 0;
    for (std::size_t end : block.line_ends()) {
      AppendPaneLine(text.substr(start, end - start));
      start = end + 2;
    }
  }

  // Removes all text; the pane is empty afterwards.
  virtual void ClearPane() = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_PANE_H_
