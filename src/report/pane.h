// The text pane that reports and help texts are shown in.

#ifndef DRAVELIN_REPORT_PANE_H_
#define DRAVELIN_REPORT_PANE_H_

#include <string_view>

namespace dravelin {

class Pane {
 public:
  virtual ~Pane() = default;

  // Appends `line` as one new line at the end of the pane; an empty text
  // gives an empty line.
  virtual void AppendPaneLine(std::string_view line) = 0;

  // Removes all text; the pane is empty afterwards.
  virtual void ClearPane() = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_PANE_H_
