#include "gui/pictures.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <functional>

namespace tolvane::gui {
namespace {

constexpr int kS = kButtonPictureSize;

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kGreen(0, 150, 60);
const QColor kBlue(30, 90, 200);
const QColor kRed(210, 30, 30);
const QColor kGold(235, 185, 30);

class Canvas {
 public:
  Canvas() : pixmap_(kS, kS) {
    pixmap_.fill(Qt::transparent);
    painter_.begin(&pixmap_);
    painter_.setRenderHint(QPainter::Antialiasing);
  }
  QPainter& P() { return painter_; }
  QPixmap Take() {
    painter_.end();
    return pixmap_;
  }

 private:
  QPixmap pixmap_;
  QPainter painter_;
};

void Magnifier(QPainter& p, QPointF centre, qreal radius, QColor rim) {
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
  const QPointF handle = centre + QPointF(radius * 0.75, radius * 0.75);
  p.drawLine(handle, handle + QPointF(radius * 0.9, radius * 0.9));
  p.setPen(QPen(rim, 2));
  p.setBrush(QColor(200, 230, 255));
  p.drawEllipse(centre, radius, radius);
}

void Page(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(QPen(QColor(150, 150, 150), 1));
  for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3) {
    p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
  }
}

void Table(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(QPen(QColor(120, 120, 120), 1));
  for (qreal y = r.top() + 4; y < r.bottom(); y += 4) {
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  }
  p.drawLine(QPointF(r.left() + r.width() / 3, r.top()),
             QPointF(r.left() + r.width() / 3, r.bottom()));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor colour) {
  p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal length = std::hypot(d.x(), d.y());
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  QPainterPath head;
  head.moveTo(to + u * 3);
  head.lineTo(to - u * 4 + n * 4);
  head.lineTo(to - u * 4 - n * 4);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(head);
}

void Cross(QPainter& p, QPointF centre, qreal half) {
  p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre - QPointF(half, half), centre + QPointF(half, half));
  p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

void CheckBox(QPainter& p, QRectF r, bool checked) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::white);
  p.drawRect(r);
  if (!checked) return;
  p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath tick;
  tick.moveTo(r.left() + r.width() * 0.2, r.top() + r.height() * 0.55);
  tick.lineTo(r.left() + r.width() * 0.45, r.top() + r.height() * 0.8);
  tick.lineTo(r.left() + r.width() * 0.85, r.top() + r.height() * 0.2);
  p.setBrush(Qt::NoBrush);
  p.drawPath(tick);
}

void Badge(QPainter& p, const QString& text, QColor colour) {
  const QRectF r(kS - 12, kS - 12, 12, 12);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(r);
  QFont font;
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(r, Qt::AlignCenter, text);
}

void Disc(QPainter& p, QColor colour, const QString& text) {
  p.setPen(QPen(colour.darker(130), 1));
  p.setBrush(colour);
  p.drawEllipse(QRectF(2, 2, kS - 4, kS - 4));
  QFont font;
  font.setFamilies({"DejaVu Serif", "Times New Roman", "serif"});
  font.setPixelSize(16);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(2, 2, kS - 4, kS - 4), Qt::AlignCenter, text);
}

QPixmap DrawSearch() {
  Canvas c;
  Magnifier(c.P(), {9.5, 9.5}, 6.5, kBlue);
  return c.Take();
}

QPixmap DrawGet5() {
  Canvas c;
  Magnifier(c.P(), {9.5, 9.5}, 6.5, kBlue);
  Badge(c.P(), QStringLiteral("5"), kGreen);
  return c.Take();
}

QPixmap DrawNextPage() {
  Canvas c;
  Page(c.P(), {2.5, 2.5, 13, 18});
  Arrow(c.P(), {10, 15}, {20, 15}, kGreen);
  return c.Take();
}

QPixmap DrawNewSearch() {
  Canvas c;
  QPainter& p = c.P();
  // A green burst: a fresh start.
  QPainterPath star;
  for (int i = 0; i < 16; ++i) {
    const qreal angle = i * M_PI / 8;
    const qreal radius = (i % 2 == 0) ? 11 : 6;
    const QPointF point(12 + radius * std::cos(angle),
                        12 + radius * std::sin(angle));
    if (i == 0) {
      star.moveTo(point);
    } else {
      star.lineTo(point);
    }
  }
  star.closeSubpath();
  p.setPen(QPen(kGreen.darker(140), 1));
  p.setBrush(QColor(40, 190, 70));
  p.drawPath(star);
  p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12, 8), QPointF(12, 16));
  p.drawLine(QPointF(8, 12), QPointF(16, 12));
  return c.Take();
}

QPixmap DrawSave() {
  Canvas c;
  QPainter& p = c.P();
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(60, 90, 160));
  p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(6.5, 3.5, 11, 7));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(7.5, 14.5, 9, 6));
  return c.Take();
}

QPixmap DrawAnalysis() {
  Canvas c;
  QPainter& p = c.P();
  p.setPen(QPen(kInk, 1));
  p.drawLine(QPointF(3, 21), QPointF(21, 21));
  const qreal heights[] = {6, 11, 8, 15};
  const QColor colours[] = {kBlue, kGreen, kGold, kRed};
  for (int i = 0; i < 4; ++i) {
    p.setBrush(colours[i]);
    p.drawRect(QRectF(4 + i * 4.5, 21 - heights[i], 3.5, heights[i]));
  }
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(13, 2, 9, 9));
  p.drawLine(QPointF(17.5, 6.5), QPointF(17.5, 3.5));
  p.drawLine(QPointF(17.5, 6.5), QPointF(20, 6.5));
  return c.Take();
}

QPixmap DrawPrint() {
  Canvas c;
  QPainter& p = c.P();
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(6.5, 2.5, 11, 8));
  p.setBrush(QColor(150, 150, 160));
  p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(6.5, 15.5, 11, 6));
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(17, 11, 2.5, 2.5));
  return c.Take();
}

QPixmap DrawSearchTips() {
  Canvas c;
  Disc(c.P(), kBlue, QStringLiteral("i"));
  return c.Take();
}

QPixmap DrawExit() {
  Canvas c;
  QPainter& p = c.P();
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(150, 100, 60));
  p.drawRect(QRectF(3.5, 2.5, 11, 19));
  p.setBrush(kGold);
  p.drawEllipse(QRectF(11, 11, 2, 2));
  Arrow(p, {12, 12}, {21, 12}, kRed);
  return c.Take();
}

QPixmap DrawCsvOut() {
  Canvas c;
  Table(c.P(), {2.5, 2.5, 13, 17});
  Arrow(c.P(), {11, 17}, {21, 17}, kGreen);
  return c.Take();
}

QPixmap DrawCsvIn() {
  Canvas c;
  Table(c.P(), {8.5, 2.5, 13, 17});
  Arrow(c.P(), {2, 17}, {12, 17}, kBlue);
  return c.Take();
}

QPixmap DrawMerge() {
  Canvas c;
  Table(c.P(), {2.5, 2.5, 11, 12});
  Table(c.P(), {10.5, 9.5, 11, 12});
  Badge(c.P(), QStringLiteral("+"), kGreen);
  return c.Take();
}

QPixmap DrawDeleteZeroBid() {
  Canvas c;
  QPainter& p = c.P();
  Table(p, {2.5, 2.5, 16, 16});
  Badge(p, QStringLiteral("0"), kRed);
  return c.Take();
}

QPixmap DrawDeleteUnchecked() {
  Canvas c;
  CheckBox(c.P(), {3.5, 3.5, 12, 12}, false);
  Cross(c.P(), {17, 17}, 4);
  return c.Take();
}

QPixmap DrawDeleteSelected() {
  Canvas c;
  QPainter& p = c.P();
  Table(p, {2.5, 2.5, 16, 16});
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(50, 110, 220, 160));
  p.drawRect(QRectF(3, 7, 15, 4));
  Cross(p, {17, 17}, 4);
  return c.Take();
}

QPixmap DrawCheckAll() {
  Canvas c;
  CheckBox(c.P(), {2.5, 2.5, 11, 11}, true);
  CheckBox(c.P(), {10.5, 10.5, 11, 11}, true);
  return c.Take();
}

QPixmap DrawResume() {
  Canvas c;
  QPainter& p = c.P();
  // A circling arrow around a play mark: start the stalled page again.
  p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3, 3, 18, 18), 100 * 16, 290 * 16);
  QPainterPath head;
  head.moveTo(8.5, 1);
  head.lineTo(13.5, 4);
  head.lineTo(8.5, 7.5);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawPath(head);
  QPainterPath play;
  play.moveTo(10, 8);
  play.lineTo(16, 12);
  play.lineTo(10, 16);
  play.closeSubpath();
  p.setBrush(kBlue);
  p.drawPath(play);
  return c.Take();
}

struct PictureSpec {
  QStringList theme_names;  // empty: always drawn
  std::function<QPixmap()> draw;
};

const QHash<QString, PictureSpec>& ButtonPictures() {
  static const QHash<QString, PictureSpec> pictures = {
      {"SpdBtnSearch", {{"edit-find"}, DrawSearch}},
      {"SpdBtnGet5", {{}, DrawGet5}},
      {"SpdBtnGetNextData", {{"go-next"}, DrawNextPage}},
      {"SpeedButton9", {{}, DrawNewSearch}},
      {"SpeedButton2", {{"document-save"}, DrawSave}},
      {"SpdBttnGetDateStats", {{"office-chart-bar"}, DrawAnalysis}},
      {"SpeedButton1", {{"document-print"}, DrawPrint}},
      {"SpeedButton7", {{}, DrawSearchTips}},
      {"SpdExit", {{"application-exit"}, DrawExit}},
      {"SpdBtnCSVOut", {{"document-export"}, DrawCsvOut}},
      {"SpdBtnCSVIn", {{"document-import"}, DrawCsvIn}},
      {"SpeedButton3", {{}, DrawMerge}},
      {"SpeedButton4", {{}, DrawDeleteZeroBid}},
      {"SpdDeleteUnchecked", {{}, DrawDeleteUnchecked}},
      {"SpdDeleteSelected", {{}, DrawDeleteSelected}},
      {"SpeedButton5", {{}, DrawCheckAll}},
      {"SpdBtnResume", {{}, DrawResume}},
  };
  return pictures;
}

QPixmap DrawProgramIcon(int frame, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  // A price tag with a coin, under a magnifier that circles while the
  // program gathers data.
  QPainterPath tag;
  tag.moveTo(4, 10);
  tag.lineTo(12, 3);
  tag.lineTo(28, 3);
  tag.lineTo(28, 17);
  tag.lineTo(12, 17);
  tag.closeSubpath();
  p.setPen(QPen(QColor(120, 80, 20), 1));
  p.setBrush(QColor(250, 220, 140));
  p.drawPath(tag);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(9, 10), 1.8, 1.8);
  p.setPen(QPen(QColor(150, 110, 10), 1));
  p.setBrush(kGold);
  p.drawEllipse(QPointF(20, 10), 5, 5);
  QFont font;
  font.setPixelSize(8);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(110, 70, 0));
  p.drawText(QRectF(15, 5, 10, 10), Qt::AlignCenter, QStringLiteral("$"));
  const qreal angle = 2 * M_PI * (frame % kProgramIconFrames) /
                      static_cast<qreal>(kProgramIconFrames);
  const QPointF lens(16 + 4 * std::cos(angle), 21 + 2.5 * std::sin(angle));
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(lens + QPointF(4, 4), lens + QPointF(9, 9));
  p.setPen(QPen(kBlue, 2));
  p.setBrush(QColor(200, 230, 255, 190));
  p.drawEllipse(lens, 5.5, 5.5);
  return pixmap;
}

QPixmap DrawOkGlyph() {
  Canvas c;
  QPainter& p = c.P();
  p.setPen(QPen(kGreen, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath tick;
  tick.moveTo(4, 13);
  tick.lineTo(10, 19);
  tick.lineTo(20, 5);
  p.drawPath(tick);
  return c.Take();
}

QPixmap DrawCancelGlyph() {
  Canvas c;
  Cross(c.P(), {12, 12}, 7);
  return c.Take();
}

}  // namespace

QPixmap DrawnButtonPicture(const QString& button_name) {
  const auto it = ButtonPictures().find(button_name);
  if (it == ButtonPictures().end()) return {};
  return it->draw();
}

QIcon ButtonPicture(const QString& button_name) {
  const auto it = ButtonPictures().find(button_name);
  if (it == ButtonPictures().end()) return {};
  for (const QString& name : it->theme_names) {
    if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  }
  return QIcon(it->draw());
}

QPixmap ProgramIcon(int frame, int size) {
  return DrawProgramIcon(frame, size);
}

QIcon OkGlyph() { return QIcon(DrawOkGlyph()); }
QIcon CancelGlyph() { return QIcon(DrawCancelGlyph()); }

}  // namespace tolvane::gui
