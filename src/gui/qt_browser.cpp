#include "gui/qt_browser.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "gui/text_codec.h"
#include "util/error.h"
#include "util/files.h"

namespace tolvane::gui {
namespace {

// The narrowest screen the result pages were made for.
constexpr int kPageLayoutWidth = 800;

// The browser panel shows the page as text and layout only: pictures and
// style sheets are never fetched, so the view itself causes no traffic.
class OfflineTextBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  QVariant loadResource(int, const QUrl&) override { return {}; }
};

// The view shows text and layout only. Style sheets and scripts would cost
// it more time than the whole page's parse (some result pages carry tens of
// kilobytes of style rules), so they are left out of what it is given.
QByteArray WithoutStylesAndScripts(QByteArray html) {
  // Tags in any letter case: positions are found in a lower-case copy.
  QByteArray lower = html.toLower();
  for (const char* tag : {"style", "script"}) {
    const QByteArray open = QByteArray("<") + tag;
    const QByteArray close = QByteArray("</") + tag + ">";
    qsizetype from = 0;
    for (;;) {
      const qsizetype start = lower.indexOf(open, from);
      if (start < 0) break;
      const qsizetype end = lower.indexOf(close, start);
      const qsizetype length =
          end < 0 ? lower.size() - start : end + close.size() - start;
      html.remove(start, length);
      lower.remove(start, length);
      from = start;
    }
  }
  return html;
}

// Why a load that the site never answered failed, in the kinds the driver
// tells the user about.
LoadFailure FailureOf(const QNetworkReply& reply,
                      const QString& certificate_problem) {
  LoadFailure failure;
  failure.detail = reply.errorString().toStdString();
  switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
      failure.kind = LoadFailureKind::kHostNotFound;
      break;
    case QNetworkReply::ConnectionRefusedError:
      failure.kind = LoadFailureKind::kRefused;
      break;
    case QNetworkReply::TimeoutError:
      failure.kind = LoadFailureKind::kTimedOut;
      break;
    case QNetworkReply::SslHandshakeFailedError:
      if (certificate_problem.isEmpty()) {
        failure.kind = LoadFailureKind::kSecureConnection;
      } else {
        failure.kind = LoadFailureKind::kCertificate;
        failure.detail = certificate_problem.toStdString();
      }
      break;
    default:
      failure.kind = LoadFailureKind::kOther;
      break;
  }
  return failure;
}

}  // namespace

QtBrowser::QtBrowser(QWidget* parent)
    : view_(new OfflineTextBrowser(parent)),
      network_(std::make_unique<QNetworkAccessManager>()) {
  view_->setObjectName(QStringLiteral("MiniBro"));
  view_->setReadOnly(true);
  view_->setOpenLinks(false);
  view_->setOpenExternalLinks(false);
  // A page is laid out at the width pages are made for and scrolled in the
  // small panel, as a browser does: squeezed to the panel, a result table's
  // headings would break letter by letter.
  view_->setLineWrapMode(QTextEdit::FixedPixelWidth);
  view_->setLineWrapColumnOrWidth(kPageLayoutWidth);
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
  failure_.reset();
  certificate_problem_.clear();
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
  // Certificates are verified against the system's store; the first
  // complaint is what the user is told.
  QObject::connect(reply, &QNetworkReply::sslErrors, network_.get(),
                   [this, serial](const QList<QSslError>& errors) {
                     if (serial != serial_ || errors.isEmpty()) return;
                     if (certificate_problem_.isEmpty()) {
                       certificate_problem_ = errors.front().errorString();
                     }
                   });
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
  // The page the view waited for will not come: it shows the last one.
  if (view_stale_) ScheduleShow();
}

void QtBrowser::Finished(QNetworkReply* reply, unsigned serial) {
  if (serial != serial_ || reply != reply_) return;
  reply_ = nullptr;
  // An error page's body is the document, as a browser would show it; a
  // load that brought nothing leaves an empty one.
  document_ = reply->readAll();
  address_ = reply->url().toString();
  // Any HTTP answer, an error status included, is the site's page.
  const bool answered =
      reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
  if (reply->error() != QNetworkReply::NoError && !answered) {
    failure_ = FailureOf(*reply, certificate_problem_);
  }
  reply->deleteLater();
  view_stale_ = true;
  ScheduleShow();
  if (on_complete_) on_complete_();
}

// The view follows once the event is handled, so drawing never delays the
// driver's chain. Laying out a result page costs the view a good tenth of a
// second; while the next page of a run is already on its way, the drawing
// waits for that one instead.
void QtBrowser::ScheduleShow() {
  if (view_update_pending_) return;
  view_update_pending_ = true;
  QTimer::singleShot(0, network_.get(), [this] { ShowDocument(); });
}

void QtBrowser::ShowDocument() {
  view_update_pending_ = false;
  if (reply_ != nullptr || !view_stale_) return;
  view_stale_ = false;
  if (!view_ || !document_) return;
  const QByteArray html = WithoutStylesAndScripts(*document_);
  // Only the view decodes: the saved bytes stay as they came.
  view_->setHtml(DisplayText(std::string_view(
      html.constData(), static_cast<std::size_t>(html.size()))));
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
