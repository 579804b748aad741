// Qt's accessibility interfaces count text in int, where the pane counts in
// std::size_t: a pane of more than INT_MAX UTF-16 units (a report of over
// 2 GB of text) is told as INT_MAX units long, an offset past INT_MAX as
// INT_MAX, and a negative offset asked for is read as 0. Every offset that
// crosses to or from Qt's interface goes through these two.

#ifndef DRAVELIN_GUI_ACCESSIBLE_OFFSET_H_
#define DRAVELIN_GUI_ACCESSIBLE_OFFSET_H_

#include <algorithm>
#include <climits>
#include <cstddef>

namespace dravelin {

inline int ToAccessibleOffset(std::size_t offset) {
  return static_cast<int>(std::min<std::size_t>(offset, INT_MAX));
}

inline std::size_t FromAccessibleOffset(int offset) {
  return static_cast<std::size_t>(std::max(0, offset));
}

}  // namespace dravelin

#endif  // DRAVELIN_GUI_ACCESSIBLE_OFFSET_H_
