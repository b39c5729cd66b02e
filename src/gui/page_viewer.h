#pragma once

#include <QDialog>

#include "platform/browser.h"

class QTextBrowser;

namespace tolvane::gui {

// View > Browser: the page the browser panel holds, shown larger in a
// window of its own. It reads a copy of the document and follows no links,
// so it never disturbs a page being gathered.
class PageViewer : public QDialog {
  Q_OBJECT

 public:
  explicit PageViewer(QWidget* parent = nullptr);

  // Refills the view from the browser's current document and shows it.
  void ShowPageOf(Browser& browser);

  QTextBrowser* View = nullptr;
};

}  // namespace tolvane::gui
