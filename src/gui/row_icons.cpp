#include "gui/row_icons.h"

#include <QFont>
#include <QPainter>
#include <array>

namespace tolvane::gui {
namespace {

struct IconLook {
  QColor background;
  QColor digit;
};

IconLook LookOf(int index) {
  switch (index) {
    case 0:
      return {QColor(192, 192, 192), QColor(0, 128, 0)};
    case 1:
      return {QColor(255, 0, 0), Qt::black};
    case 2:
      return {QColor(255, 255, 0), Qt::black};
    case 3:
      return {QColor(0, 128, 128), Qt::black};
    case 4:
      return {QColor(255, 0, 255), Qt::black};
    default:
      return {QColor(255, 255, 255), Qt::black};
  }
}

QPixmap Draw(int index) {
  const IconLook look = LookOf(index);
  QPixmap pixmap(kRowIconSize, kRowIconSize);
  pixmap.fill(look.background);
  QPainter painter(&pixmap);
  if (index == 0) {
    // The zero-bid icon stands apart from the deviation colours by its frame.
    painter.setPen(QPen(QColor(255, 255, 0), 2));
    painter.drawRect(QRectF(1, 1, kRowIconSize - 2, kRowIconSize - 2));
  } else {
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(0, 0, kRowIconSize - 1, kRowIconSize - 1);
  }
  QFont font;
  font.setFamilies({"Arial", "Liberation Sans", "Nimbus Sans", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(look.digit);
  painter.drawText(QRect(0, 0, kRowIconSize, kRowIconSize), Qt::AlignCenter,
                   QString::number(index));
  return pixmap;
}

}  // namespace

const QPixmap& RowIcon(int index) {
  static const std::array<QPixmap, kRowIconCount> icons = [] {
    std::array<QPixmap, kRowIconCount> drawn;
    for (int i = 0; i < kRowIconCount; ++i) {
      drawn[static_cast<std::size_t>(i)] = Draw(i);
    }
    return drawn;
  }();
  if (index < 0) index = 0;
  if (index >= kRowIconCount) index = kRowIconCount - 1;
  return icons[static_cast<std::size_t>(index)];
}

QColor RowIconBackground(int index) { return LookOf(index).background; }

}  // namespace tolvane::gui
