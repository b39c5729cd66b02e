#include "gui/qt_browser.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QUrl>

#include "util/error.h"
#include "util/files.h"

namespace tolvane::gui {
namespace {

// The browser panel shows the page as text and layout only: pictures and
// style sheets are never fetched, so the view itself causes no traffic.
class OfflineTextBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  QVariant loadResource(int, const QUrl&) override { return {}; }
};

// Pages of the old site are in Windows-1252 or plain ASCII; newer ones may
// be UTF-8. Only the view decodes: the saved bytes stay as they came.
QString Decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless |
                          QStringDecoder::Flag::ConvertInvalidToNull);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(bytes);
}

}  // namespace

QtBrowser::QtBrowser(QWidget* parent)
    : view_(new OfflineTextBrowser(parent)),
      network_(std::make_unique<QNetworkAccessManager>()) {
  view_->setObjectName(QStringLiteral("MiniBro"));
  view_->setReadOnly(true);
  view_->setOpenLinks(false);
  view_->setOpenExternalLinks(false);
  network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

QtBrowser::~QtBrowser() {
  Abandon();
  delete view_.data();
}

QWidget* QtBrowser::View() const { return view_.data(); }

void QtBrowser::Navigate(const std::string& url, int) {
  Abandon();
  address_ = QString::fromStdString(url);
  QNetworkRequest request{QUrl(address_)};
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                       QNetworkRequest::AlwaysNetwork);
  reply_ = network_->get(request);
  const unsigned serial = ++serial_;
  QNetworkReply* reply = reply_;
  // Queued: the report comes from the event loop even when Qt finishes a
  // load at once (a refused connection, a bad address).
  QObject::connect(
      reply, &QNetworkReply::finished, network_.get(),
      [this, reply, serial] { Finished(reply, serial); }, Qt::QueuedConnection);
}

void QtBrowser::Stop() { Abandon(); }

void QtBrowser::Abandon() {
  ++serial_;
  if (reply_ == nullptr) return;
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  QObject::disconnect(reply, nullptr, network_.get(), nullptr);
  reply->abort();
  reply->deleteLater();
}

void QtBrowser::Finished(QNetworkReply* reply, unsigned serial) {
  if (serial != serial_ || reply != reply_) return;
  reply_ = nullptr;
  // An error page's body is the document, as a browser would show it; a
  // load that brought nothing leaves an empty one.
  document_ = reply->readAll();
  address_ = reply->url().toString();
  reply->deleteLater();
  if (view_) view_->setHtml(Decode(*document_));
  if (on_complete_) on_complete_();
}

SaveResult QtBrowser::SaveDocument(const std::string& path) {
  if (!document_) return SaveResult::kNoDocument;
  try {
    WriteFileAtomically(
        path, std::string(document_->constData(),
                          static_cast<std::size_t>(document_->size())));
  } catch (const Error&) {
    return SaveResult::kGeneralFailure;
  }
  return SaveResult::kOk;
}

void QtBrowser::SetOnDownloadComplete(std::function<void()> handler) {
  on_complete_ = std::move(handler);
}

}  // namespace tolvane::gui
