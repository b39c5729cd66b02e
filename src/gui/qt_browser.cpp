#include "gui/qt_browser.h"

#include <QTextBrowser>

namespace tolvane::gui {

QtBrowser::QtBrowser(QWidget* parent) : view_(new QTextBrowser(parent)) {}
QtBrowser::~QtBrowser() = default;
void QtBrowser::Navigate(const std::string&, int) {}
void QtBrowser::Stop() {}
SaveResult QtBrowser::SaveDocument(const std::string&) {
  return SaveResult::kNoDocument;
}
void QtBrowser::SetOnDownloadComplete(std::function<void()> handler) {
  on_complete_ = std::move(handler);
}

}  // namespace tolvane::gui
