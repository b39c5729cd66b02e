#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <type_traits>

namespace tolvane::gui::testing {

// Runs `step` on the modal window of type T once its loop is running, for as
// long as the watch returned is kept. A window that does not come within a
// few seconds, or that the step leaves open, fails the test and is closed
// with every other dialog, so that the test ends rather than waits for ever.
template <typename T = QWidget>
[[nodiscard]] std::unique_ptr<QTimer> WhenModal(
    std::type_identity_t<std::function<void(T&)>> step) {
  auto poll = std::make_unique<QTimer>();
  QTimer* timer = poll.get();
  QElapsedTimer waited;
  waited.start();
  QObject::connect(
      timer, &QTimer::timeout,
      [=, stepped = false, handled = QPointer<QWidget>()]() mutable {
        if (!stepped) {
          if (T* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            stepped = true;
            handled = modal;
            // Checked at once, as the window's loop starts; then now and again.
            timer->setInterval(10);
            step(*modal);
          }
        }
        const bool closed =
            stepped && (handled.isNull() || !handled->isVisible());
        if (!closed && waited.elapsed() < 5000) return;
        timer->stop();
        if (closed) return;
        ADD_FAILURE() << (stepped ? "the modal window stayed open"
                                  : "no modal window came");
        for (QWidget* top : QApplication::topLevelWidgets()) {
          if (auto* dialog = qobject_cast<QDialog*>(top);
              dialog && dialog->isVisible())
            dialog->reject();
        }
      });
  timer->start(0);
  return poll;
}

}  // namespace tolvane::gui::testing
