#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <cstdint>
#include <string>

#include "platform/progress.h"

class QWidget;

namespace tolvane::gui {

inline constexpr const char* kProgressCancel = "Cancel";
// Work that ends sooner than this never shows the bar.
inline constexpr int kProgressShowAfterMs = 500;

// The bar as a modal progress dialog over the window: made when work
// starts, it appears once the work has run for half a second and looks like
// running on; while it shows, every step lets the event loop run, so the
// windows repaint and its Cancel button (or Escape) is noticed.
class QtProgress : public Progress {
 public:
  explicit QtProgress(QWidget* parent) : parent_(parent) {}
  ~QtProgress() override;
  QtProgress(const QtProgress&) = delete;
  QtProgress& operator=(const QtProgress&) = delete;

  void Show(const std::string& caption, std::uint64_t total) override;
  void Set(std::uint64_t done) override;
  bool Cancelled() const override;
  void Close() override;

  // The dialog while work runs, for the tests; nullptr otherwise.
  QProgressDialog* Dialog() const { return dialog_; }

 private:
  QPointer<QWidget> parent_;
  QPointer<QProgressDialog> dialog_;
  std::uint64_t total_ = 0;
};

}  // namespace tolvane::gui
