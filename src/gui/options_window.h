#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolvane::gui {

// The options dialog's widgets: the timeout in seconds, below it the site
// Get searches and its marketplace, and OK/Cancel. It is shown modelessly;
// closing it only hides it.
class OptionsWindow : public QDialog {
  Q_OBJECT

 public:
  explicit OptionsWindow(QWidget* parent = nullptr);

  // Outer size and screen position as laid out; the client area is what
  // the frame leaves.
  static constexpr int kOuterWidth = 296;
  static constexpr int kOuterHeight = 282;
  static constexpr QPoint kScreenPosition{113, 199};

  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLabel* Label2 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QRadioButton* RbSoldListings = nullptr;
  QRadioButton* RbClassic = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* CmbMarketplace = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

 protected:
  // Escape presses Cancel, as a Cancel button does.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tolvane::gui
