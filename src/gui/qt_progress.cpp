#include "gui/qt_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

#include "app/application.h"
#include "gui/text_codec.h"

namespace tolvane::gui {
namespace {

// The bar counts in thousandths: a file's size in bytes may not fit the
// dialog's int.
constexpr int kSteps = 1000;

}  // namespace

QtProgress::~QtProgress() { Close(); }

void QtProgress::Show(const std::string& caption, std::uint64_t total) {
  Close();
  total_ = total;
  dialog_ = new QProgressDialog(parent_);
  dialog_->setWindowTitle(QString::fromUtf8(kApplicationTitle));
  dialog_->setLabelText(DisplayText(caption));
  dialog_->setCancelButtonText(QString::fromUtf8(kProgressCancel));
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->setMinimumDuration(kProgressShowAfterMs);
  // The bar stays up at its end until the work closes it.
  dialog_->setAutoReset(false);
  dialog_->setAutoClose(false);
  dialog_->setRange(0, kSteps);
  // The first value starts the clock that decides whether it shows.
  dialog_->setValue(0);
}

void QtProgress::Set(std::uint64_t done) {
  if (!dialog_) return;
  const int value =
      total_ == 0 ? kSteps
                  : static_cast<int>(std::min(done, total_) * kSteps / total_);
  // A new value lets the events of a modal dialog run once it shows; a
  // step too small to move the bar must still keep the windows painted.
  if (value != dialog_->value()) {
    dialog_->setValue(value);
  } else if (dialog_->isVisible()) {
    QCoreApplication::processEvents();
  }
}

bool QtProgress::Cancelled() const { return dialog_ && dialog_->wasCanceled(); }

void QtProgress::Close() {
  delete dialog_.data();
  dialog_ = nullptr;
}

}  // namespace tolvane::gui
