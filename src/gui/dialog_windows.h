#pragma once

#include <QDialog>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace tolvane::gui {

// The generic OK/Cancel dialog (caption "Dialog") with its bevel. No command
// opens it; the analysis window is laid out after it.
class OKRightWindow : public QDialog {
  Q_OBJECT

 public:
  explicit OKRightWindow(QWidget* parent = nullptr);

  QFrame* Bevel1 = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
};

// The analysis window: the report in a fixed-pitch memo and an OK button.
// Shown modelessly; OK hides it.
class AnaWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AnaWindow(QWidget* parent = nullptr);

  QFrame* Bevel1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* HelpBtn = nullptr;

 protected:
  // Each show puts the window in the middle of the screen, wherever the
  // main window stands.
  void showEvent(QShowEvent* event) override;
};

}  // namespace tolvane::gui
