#include "gui/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace tolvane::gui {
namespace {

// 8 point at 96 dots per inch.
constexpr int kEightPointPixels = 11;
// Below this a fitted text would no longer be readable.
constexpr int kSmallestFittedPixels = 8;

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

QFont FittedFont(QFont font, const QStringList& texts, int width) {
  const auto widest = [&texts](const QFont& candidate) {
    const QFontMetrics metrics(candidate);
    int most = 0;
    for (const QString& text : texts) {
      most = std::max(most, metrics.horizontalAdvance(text));
    }
    return most;
  };
  while (font.pixelSize() > kSmallestFittedPixels && widest(font) > width) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

int LineEditTextWidth(const QLineEdit& edit) {
  // QLineEdit keeps two pixels free at either end of its text.
  constexpr int kEditMargin = 2;
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth = edit.hasFrame()
                         ? edit.style()->pixelMetric(
                               QStyle::PM_DefaultFrameWidth, &option, &edit)
                         : 0;
  const QRect contents =
      edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  const QMargins margins = edit.textMargins();
  return contents.width() - margins.left() - margins.right() - 2 * kEditMargin;
}

int RoomBefore(const QWidget& label, const QWidget& next) {
  constexpr int kGap = 2;
  return next.x() - label.x() - kGap;
}

}  // namespace tolvane::gui
