#include "gui/band_bar.h"

#include <QMouseEvent>
#include <QPainter>

namespace tolvane::gui {

BandBar::BandBar(Direction direction, QWidget* parent)
    : QFrame(parent), direction_(direction) {
  setFrameStyle(QFrame::NoFrame);
  setAutoFillBackground(true);
}

void BandBar::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QColor light = palette().color(QPalette::Light);
  const QColor dark = palette().color(QPalette::Dark);
  for (const Band& band : bands_) {
    // The grip: two raised ridges at the start of the band.
    QRect grip;
    QRect edge;
    if (direction_ == Direction::kHorizontal) {
      grip = QRect(2, band.start + 2, 3, band.extent - 4);
      edge = QRect(0, band.start, width(), band.extent);
    } else {
      grip = QRect(band.start + 2, 2, band.extent - 4, 3);
      edge = QRect(band.start, 0, band.extent, height());
    }
    for (int ridge = 0; ridge < 2; ++ridge) {
      const QRect r = direction_ == Direction::kHorizontal
                          ? grip.translated(ridge * 3, 0).adjusted(0, 0, -2, 0)
                          : grip.translated(0, ridge * 3).adjusted(0, 0, 0, -2);
      painter.setPen(light);
      painter.drawLine(r.topLeft(), r.topRight());
      painter.drawLine(r.topLeft(), r.bottomLeft());
      painter.setPen(dark);
      painter.drawLine(r.bottomLeft(), r.bottomRight());
      painter.drawLine(r.topRight(), r.bottomRight());
    }
    // The band's raised border.
    painter.setPen(light);
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
  }
}

void BandBar::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click that a band's panel, label or tool bar let through is
  // not on the bar's own surface: it ends here, printing nothing.
  if (childAt(event->position().toPoint()) != nullptr) {
    event->accept();
    return;
  }
  if (event->button() == Qt::LeftButton) {
    emit DoubleClicked();
    event->accept();
    return;
  }
  QFrame::mouseDoubleClickEvent(event);
}

}  // namespace tolvane::gui
