#include "gui/dialog_windows.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "gui/fonts.h"

namespace tolvane::gui {
namespace {

constexpr const char* kDialogCaption = "Dialog";
constexpr const char* kOkCaption = "OK";
constexpr const char* kCancelCaption = "Cancel";
constexpr const char* kHelpCaption = "&Help";
constexpr const char* kMemo1Text = "Memo1";
constexpr int kMemo1PixelHeight = 13;

constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

QFrame* MakeBevel(QWidget* parent, QRect geometry) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setGeometry(geometry);
  return bevel;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        QRect geometry) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

}  // namespace

OKRightWindow::OKRightWindow(QWidget* parent) : QDialog(parent, kDialogFlags) {
  setObjectName(QStringLiteral("OKRightDlg"));
  setWindowTitle(QString::fromLatin1(kDialogCaption));
  setFont(FormFont());
  setModal(false);
  setFixedSize(384, 179);
  Bevel1 = MakeBevel(this, QRect(8, 8, 281, 161));
  OKBtn = MakeButton(this, "OKBtn", kOkCaption, QRect(300, 8, 75, 25));
  OKBtn->setDefault(true);
  CancelBtn =
      MakeButton(this, "CancelBtn", kCancelCaption, QRect(300, 38, 75, 25));
}

AnaWindow::AnaWindow(QWidget* parent) : QDialog(parent, kDialogFlags) {
  setObjectName(QStringLiteral("FrmAna"));
  setWindowTitle(QString());
  setFont(FormFont());
  setModal(false);
  setFixedSize(551, 439);
  Bevel1 = MakeBevel(this, QRect(8, 8, 536, 385));
  Memo1 = new QPlainTextEdit(QString::fromLatin1(kMemo1Text), this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(16, 16, 521, 369);
  Memo1->setFont(FixedFont(kMemo1PixelHeight));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setTabStopDistance(8 * Memo1->fontMetrics().horizontalAdvance(' '));
  OKBtn = MakeButton(this, "OKBtn", kOkCaption, QRect(236, 406, 75, 25));
  OKBtn->setDefault(true);
  CancelBtn =
      MakeButton(this, "CancelBtn", kCancelCaption, QRect(316, 406, 75, 25));
  CancelBtn->hide();
  HelpBtn = MakeButton(this, "HelpBtn", kHelpCaption, QRect(396, 406, 75, 25));
  HelpBtn->hide();
}

void AnaWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    if (const QScreen* desk = screen()) {
      const QRect area = desk->availableGeometry();
      const QRect frame = frameGeometry();
      move(area.x() + (area.width() - frame.width()) / 2,
           area.y() + (area.height() - frame.height()) / 2);
    }
  }
  QDialog::showEvent(event);
}

}  // namespace tolvane::gui
