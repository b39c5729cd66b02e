#include "gui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tolvane::gui {
namespace {

// 8 point at 96 dots per inch.
constexpr int kEightPointPixels = 11;

QFont Make(const QStringList& families, QFont::StyleHint hint, int pixel_size) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(hint);
  font.setPixelSize(pixel_size);
  return font;
}

}  // namespace

QFont FormFont() {
  return Make({"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial",
               "Liberation Sans", "Nimbus Sans", "DejaVu Sans"},
              QFont::SansSerif, kEightPointPixels);
}

QFont MemoFont() {
  return Make(
      {"Arial", "Liberation Sans", "Nimbus Sans", "Helvetica", "DejaVu Sans"},
      QFont::SansSerif, kEightPointPixels);
}

QFont FixedFont(int pixel_size) {
  QFont font = Make({"QuickType Mono", "Courier New", "Liberation Mono",
                     "DejaVu Sans Mono", "Noto Sans Mono", "Nimbus Mono PS"},
                    QFont::Monospace, pixel_size);
  font.setFixedPitch(true);
  return font;
}

QFont HeavyFont(int pixel_size) {
  QFont font = Make({"Arial Black", "DejaVu Sans", "Nimbus Sans"},
                    QFont::SansSerif, pixel_size);
  font.setWeight(QFont::Black);
  return font;
}

}  // namespace tolvane::gui
