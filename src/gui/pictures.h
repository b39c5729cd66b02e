#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tolvane::gui {

inline constexpr int kButtonPictureSize = 24;
inline constexpr int kProgramIconFrames = 12;

// The picture of a tool bar or side bar button, by the button's name: the
// desktop theme's icon where it has one, otherwise a drawn one, so every
// button shows a picture on a bare machine. Symbol glyphs (New Search,
// search tips, Resume) are always drawn. Null for a button that shows a
// caption instead (online help's "?").
QIcon ButtonPicture(const QString& button_name);

// The drawn picture alone, never the theme's: what a bare machine shows.
QPixmap DrawnButtonPicture(const QString& button_name);

// The program's icon; frame 0 is the still picture, the others animate it
// in the busy window.
QPixmap ProgramIcon(int frame = 0, int size = 32);

// The glyphs of the options dialog's OK and Cancel buttons.
QIcon OkGlyph();
QIcon CancelGlyph();

}  // namespace tolvane::gui
