#pragma once

#include <QFont>

namespace tolvane::gui {

// The fonts the windows were laid out in, or the nearest installed ones.
// Sizes are in pixels so the layout holds at any screen resolution.

// "MS Sans Serif" 8 point: the windows' own font.
QFont FormFont();
// "Arial" 8 point: the summary memo.
QFont MemoFont();
// "QuickType Mono" at the given pixel height, fixed pitch.
QFont FixedFont(int pixel_size);
// The heavy face of the online help button's "?".
QFont HeavyFont(int pixel_size);

}  // namespace tolvane::gui
