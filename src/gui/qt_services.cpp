#include "gui/qt_services.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QUrl>

#include "gui/text_codec.h"

namespace tolvane::gui {
namespace {

QMessageBox::Icon IconOf(MbIcon icon) {
  switch (icon) {
    case MbIcon::kStop:
      return QMessageBox::Critical;
    case MbIcon::kInformation:
      return QMessageBox::Information;
    case MbIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// A Yes/No question has no third answer: Escape and the close box do
// nothing, where a plain box would take either for No.
class NoEscapeFilter : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

MbResult QtMessageBox::Show(const std::string& text, const std::string& caption,
                            MbButtons buttons, MbIcon icon) {
  QMessageBox box(QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(icon));
  box.setWindowTitle(DisplayText(caption));
  box.setText(DisplayText(text));
  NoEscapeFilter no_escape;
  if (buttons == MbButtons::kYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowFlags(box.windowFlags() | Qt::CustomizeWindowHint);
    box.setWindowFlag(Qt::WindowCloseButtonHint, false);
    box.installEventFilter(&no_escape);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MbResult::kYes;
    case QMessageBox::No:
      return MbResult::kNo;
    case QMessageBox::Ok:
      return MbResult::kOk;
    default:
      return buttons == MbButtons::kYesNo ? MbResult::kNo : MbResult::kOk;
  }
}

bool DesktopShell::Open(const std::string& target) {
  const QString text = DisplayText(target);
  // An address with a scheme goes to its handler; anything else is a file.
  const QUrl url = text.contains(QLatin1String("://"))
                       ? QUrl(text, QUrl::TolerantMode)
                       : QUrl::fromLocalFile(QFile::decodeName(target.c_str()));
  if (!url.isValid()) return false;
  return QDesktopServices::openUrl(url);
}

Date SystemClock::Today() const {
  const QDate today = QDate::currentDate();
  return Date{today.year(), today.month(), today.day()};
}

}  // namespace tolvane::gui
