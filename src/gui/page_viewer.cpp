#include "gui/page_viewer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/fonts.h"
#include "gui/text_codec.h"

namespace tolvane::gui {
namespace {

constexpr const char* kViewerCaption = "Browser";
constexpr const char* kNoPage = "No page has been loaded yet.";

}  // namespace

PageViewer::PageViewer(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint) {
  setObjectName(QStringLiteral("PageViewer"));
  setWindowTitle(QString::fromLatin1(kViewerCaption));
  setModal(false);
  resize(900, 640);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  View = new QTextBrowser(this);
  View->setObjectName(QStringLiteral("PageView"));
  View->setOpenLinks(false);
  View->setOpenExternalLinks(false);
  layout->addWidget(View);
}

void PageViewer::ShowPageOf(Browser& browser) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("page.htm"));
  QString html;
  if (dir.isValid() &&
      browser.SaveDocument(QFile::encodeName(path).toStdString()) ==
          SaveResult::kOk) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
      const QByteArray bytes = file.readAll();
      html = DisplayText(std::string_view(
          bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
  }
  if (html.isEmpty()) {
    View->setPlainText(QString::fromLatin1(kNoPage));
  } else {
    View->setHtml(html);
  }
  show();
  raise();
  activateWindow();
}

}  // namespace tolvane::gui
