// The window's client area below the menu bar: a surface of one colour on
// which each component keeps, as the window is resized, its designed
// distances to the edges it follows.

#ifndef DRAVELIN_GUI_CLIENT_AREA_H_
#define DRAVELIN_GUI_CLIENT_AREA_H_

#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace dravelin {

class ClientArea final : public QWidget {
 public:
  // Which edges of the area a component follows beyond its left edge.
  enum class Follow {
    kAllEdges,        // grows with the area in width and height
    kBottomAndSides,  // stays at the bottom, keeps its height, grows in width
  };

  // `designed` is the area's size as designed, which is also its minimum.
  ClientArea(QWidget* parent, QSize designed, QColor background);

  // Places `child` at `designed` (its place at the designed size) and keeps
  // it there relative to the edges it follows.
  void Place(QWidget* child, QRect designed, Follow follow);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Placement {
    QWidget* child;
    QRect designed;
    Follow follow;
  };

  QRect PlaceOf(const Placement& placement) const;

  QSize designed_;
  std::vector<Placement> placements_;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_CLIENT_AREA_H_
