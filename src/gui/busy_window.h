#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;

namespace tolvane::gui {

inline constexpr int kBusyClientWidth = 592;
inline constexpr int kBusyClientHeight = 62;

// The widgets of TBusyBox: a tool window without caption text, the program
// icon turning in a raised panel, the gathering note and the Resume button.
class BusyWindow : public QWidget {
  Q_OBJECT

 public:
  explicit BusyWindow(QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QToolButton* SpdBtnResume = nullptr;
  // The animated picture in the raised panel.
  QLabel* Picture = nullptr;
  int Frame() const { return frame_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Advance();

  QTimer animation_;
  int frame_ = 0;
  bool placed_ = false;
};

}  // namespace tolvane::gui
