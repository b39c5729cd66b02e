#pragma once

#include <QColor>
#include <QPixmap>

namespace tolvane::gui {

inline constexpr int kRowIconCount = 6;
inline constexpr int kRowIconSize = 16;

// ImageList1: the deviation icons of the grid rows, each a 16 by 16 square
// showing its own digit. Index 0 is the zero-bid icon.
const QPixmap& RowIcon(int index);

// The background of each icon, for tests and the legend.
QColor RowIconBackground(int index);

}  // namespace tolvane::gui
