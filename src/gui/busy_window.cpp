#include "gui/busy_window.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include "app/busy_box.h"
#include "gui/fonts.h"
#include "gui/pictures.h"

namespace tolvane::gui {
namespace {

constexpr int kPictureSize = 36;
constexpr int kFrameInterval = 90;

}  // namespace

BusyWindow::BusyWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("BusyBox"));
  setWindowTitle(QString());
  setFont(FormFont());
  setFixedSize(kBusyClientWidth, kBusyClientHeight);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  panel->setGeometry(6, 5, 52, 52);
  Picture = new QLabel(panel);
  Picture->setObjectName(QStringLiteral("Image1"));
  Picture->setGeometry(8, 8, kPictureSize, kPictureSize);
  Picture->setPixmap(ProgramIcon(0, kPictureSize));

  Label1 = new QLabel(QString::fromLatin1(kBusyText), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Label1->setGeometry(66, 3, 452, 56);

  SpdBtnResume = new QToolButton(this);
  SpdBtnResume->setObjectName(QStringLiteral("SpdBtnResume"));
  SpdBtnResume->setToolTip(QString::fromLatin1(kResumeHint));
  SpdBtnResume->setGeometry(524, 4, 62, 53);
  SpdBtnResume->setAutoRaise(true);
  SpdBtnResume->setFocusPolicy(Qt::NoFocus);
  SpdBtnResume->setIcon(ButtonPicture(QStringLiteral("SpdBtnResume")));
  SpdBtnResume->setIconSize(QSize(32, 32));

  animation_.setInterval(kFrameInterval);
  connect(&animation_, &QTimer::timeout, this, &BusyWindow::Advance);
}

void BusyWindow::Advance() {
  frame_ = (frame_ + 1) % kProgramIconFrames;
  Picture->setPixmap(ProgramIcon(frame_, kPictureSize));
}

// The picture turns only while someone can see it. The window first comes
// up over the middle of the main window, where the user is looking; after
// that it stays wherever the user moves it.
void BusyWindow::showEvent(QShowEvent* event) {
  if (!placed_ && parentWidget() != nullptr) {
    const QRect over = parentWidget()->window()->frameGeometry();
    move(over.center() - QPoint(width() / 2, height() / 2));
    placed_ = true;
  }
  QWidget::showEvent(event);
  animation_.start();
}

void BusyWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  animation_.stop();
}

}  // namespace tolvane::gui
