#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "platform/browser.h"

namespace tolvane::gui {

// MiniBro: loads pages with Qt's network access, keeps the bytes exactly as
// received and shows them in a read-only view.
class QtBrowser : public Browser {
 public:
  explicit QtBrowser(QWidget* parent);
  ~QtBrowser() override;

  // The view to place in the browser panel.
  QWidget* View() const { return view_; }

  void Navigate(const std::string& url, int flags) override;
  void Stop() override;
  SaveResult SaveDocument(const std::string& path) override;
  void SetOnDownloadComplete(std::function<void()> handler) override;

 private:
  QWidget* view_;
  std::function<void()> on_complete_;
};

}  // namespace tolvane::gui
