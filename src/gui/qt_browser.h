#pragma once

#include <QByteArray>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/browser.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTextBrowser;

namespace tolvane::gui {

// MiniBro: loads pages with Qt's network access, keeps the bytes exactly as
// received and shows them in a read-only view.
//
// Every load that ends, in success or failure, reports download-complete
// through the event loop. A load the site answered brings a page, an error
// page too: its body is the document, which is no result page, so the
// driver's timeout decides. A load the site never answered (no network, a
// refused connection, a certificate that does not verify) leaves an empty
// document and tells why through LastFailure. A load replaced by a new
// navigation or cut short by Stop reports nothing.
class QtBrowser : public Browser {
 public:
  explicit QtBrowser(QWidget* parent);
  ~QtBrowser() override;
  QtBrowser(const QtBrowser&) = delete;
  QtBrowser& operator=(const QtBrowser&) = delete;

  // The view to place in the browser panel. The browser deletes it unless
  // a parent widget has done so first.
  QWidget* View() const;

  // There is no history, so the no-history flag changes nothing.
  void Navigate(const std::string& url, int flags) override;
  void Stop() override;
  SaveResult SaveDocument(const std::string& path) override;
  void SetOnDownloadComplete(std::function<void()> handler) override;
  std::optional<LoadFailure> LastFailure() const override { return failure_; }

  // The current document's bytes; nothing before the first finished load.
  const std::optional<QByteArray>& Document() const { return document_; }
  // The address of the last navigation, after redirects once finished.
  const QString& Address() const { return address_; }

 private:
  void Finished(QNetworkReply* reply, unsigned serial);
  void Abandon();
  void ScheduleShow();
  void ShowDocument();

  QPointer<QTextBrowser> view_;
  std::unique_ptr<QNetworkAccessManager> network_;
  QNetworkReply* reply_ = nullptr;
  // Tells the finish of the current load from that of one already
  // abandoned, whose queued report may still arrive.
  unsigned serial_ = 0;
  std::optional<QByteArray> document_;
  std::optional<LoadFailure> failure_;
  // What made the current load's certificate unacceptable, if anything.
  QString certificate_problem_;
  bool view_update_pending_ = false;
  bool view_stale_ = false;  // the document is newer than the view
  QString address_;
  std::function<void()> on_complete_;
};

}  // namespace tolvane::gui
