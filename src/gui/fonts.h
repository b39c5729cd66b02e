#pragma once

#include <QFont>
#include <QStringList>

class QLineEdit;
class QWidget;

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

// The font, a pixel smaller at a time, until every text is at most `width`
// pixels wide: a stand-in face wider than the windows' own must not cut a
// text off inside the places the layout gives it. Never below 8 pixels.
QFont FittedFont(QFont font, const QStringList& texts, int width);

// The width a line edit gives its text: the box less its frame, text
// margins and the edit's own margin on either side.
int LineEditTextWidth(const QLineEdit& edit);

// Room for a label's text: from the label to the control on its right, less
// a small gap.
int RoomBefore(const QWidget& label, const QWidget& next);

}  // namespace tolvane::gui
