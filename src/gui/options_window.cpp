#include "gui/options_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/frm_options.h"
#include "gui/fonts.h"
#include "gui/pictures.h"

namespace tolvane::gui {
namespace {

constexpr const char* kOptionsCaption = "Options";
constexpr const char* kTimeoutGroup = " Timeout ";
constexpr const char* kProceedAfter = "Proceed after";
constexpr const char* kSeconds = "seconds.";
constexpr const char* kSiteGroup = " Site ";
constexpr const char* kSoldListings = "Sold listings";
constexpr const char* kClassic = "Completed items (classic)";
constexpr const char* kMarketplace = "Marketplace";
constexpr const char* kOkCaption = "OK";
constexpr const char* kCancelCaption = "Cancel";
// The frame of a dialog on the desktop the window was laid out on.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 27;

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text,
                  QPoint at) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->move(at);
  label->adjustSize();
  return label;
}

}  // namespace

OptionsWindow::OptionsWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FrmOptions"));
  setWindowTitle(QString::fromLatin1(kOptionsCaption));
  setFont(FormFont());
  setModal(false);
  setFixedSize(kOuterWidth - kFrameWidth, kOuterHeight - kFrameHeight);
  move(kScreenPosition);

  GroupBox1 = new QGroupBox(QString::fromLatin1(kTimeoutGroup), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(24, 16, 249, 65);
  Label1 = MakeLabel(GroupBox1, "Label1", kProceedAfter, QPoint(24, 24));
  Edit1 = new QLineEdit(QString::fromLatin1(kDefaultTimeout), GroupBox1);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(96, 24, 37, 21);
  Label2 = MakeLabel(GroupBox1, "Label2", kSeconds, QPoint(144, 24));
  // "Proceed after" must end before the box.
  const QFont fitted =
      FittedFont(FormFont(), {QString::fromLatin1(kProceedAfter)},
                 RoomBefore(*Label1, *Edit1));
  for (QLabel* label : {Label1, Label2}) {
    label->setFont(fitted);
    label->adjustSize();
  }
  Edit1->setFont(fitted);

  // The site and marketplace, in the timeout's manner and font.
  GroupBox2 = new QGroupBox(QString::fromLatin1(kSiteGroup), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(24, 88, 249, 105);
  RbSoldListings =
      new QRadioButton(QString::fromLatin1(kSoldListings), GroupBox2);
  RbSoldListings->setObjectName(QStringLiteral("RbSoldListings"));
  RbSoldListings->setGeometry(16, 20, 217, 17);
  RbSoldListings->setChecked(true);
  RbClassic = new QRadioButton(QString::fromLatin1(kClassic), GroupBox2);
  RbClassic->setObjectName(QStringLiteral("RbClassic"));
  RbClassic->setGeometry(16, 40, 217, 17);
  Label3 = MakeLabel(GroupBox2, "Label3", kMarketplace, QPoint(16, 72));
  CmbMarketplace = new QComboBox(GroupBox2);
  CmbMarketplace->setObjectName(QStringLiteral("CmbMarketplace"));
  CmbMarketplace->setGeometry(96, 68, 137, 21);
  for (const char* host : kMarketplaces) {
    CmbMarketplace->addItem(QString::fromLatin1(host));
  }
  for (QWidget* control : std::initializer_list<QWidget*>{
           RbSoldListings, RbClassic, Label3, CmbMarketplace}) {
    control->setFont(fitted);
  }
  Label3->adjustSize();
  // The classic service has no marketplaces.
  connect(RbSoldListings, &QRadioButton::toggled, CmbMarketplace,
          &QWidget::setEnabled);

  BitBtnOK = new QPushButton(OkGlyph(), QString::fromLatin1(kOkCaption), this);
  BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
  BitBtnOK->setGeometry(56, 204, 75, 25);
  BitBtnOK->setIconSize(QSize(14, 14));
  BitBtnOK->setDefault(true);
  BitBtnCancel =
      new QPushButton(CancelGlyph(), QString::fromLatin1(kCancelCaption), this);
  BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
  BitBtnCancel->setGeometry(144, 204, 75, 25);
  BitBtnCancel->setIconSize(QSize(14, 14));
  BitBtnCancel->setAutoDefault(false);
}

void OptionsWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    BitBtnCancel->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tolvane::gui
