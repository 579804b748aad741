#include "gui/client_area.h"

#include <QPalette>
#include <QResizeEvent>

namespace dravelin {

ClientArea::ClientArea(QWidget* parent, QSize designed, QColor background)
    : QWidget(parent), designed_(designed) {
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, background);
  setPalette(colours);
  setMinimumSize(designed);
  resize(designed);
}

void ClientArea::Place(QWidget* child, QRect designed, Follow follow) {
  placements_.push_back({child, designed, follow});
  child->setGeometry(PlaceOf(placements_.back()));
}

QRect ClientArea::PlaceOf(const Placement& placement) const {
  const int wider = width() - designed_.width();
  const int higher = height() - designed_.height();
  switch (placement.follow) {
    case Follow::kAllEdges:
      return placement.designed.adjusted(0, 0, wider, higher);
    case Follow::kBottomAndSides:
      return placement.designed.translated(0, higher).adjusted(0, 0, wider, 0);
  }
  return placement.designed;
}

void ClientArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (const Placement& placement : placements_) {
    placement.child->setGeometry(PlaceOf(placement));
  }
}

}  // namespace dravelin
