#pragma once

#include <QFrame>
#include <vector>

namespace tolvane::gui {

// A band bar (CoolBar): bands with a grip at their start, separated by an
// etched line. Double-clicking the bar itself (not a control on it) is an
// event of the bar.
class BandBar : public QFrame {
  Q_OBJECT

 public:
  enum class Direction { kHorizontal, kVertical };

  BandBar(Direction direction, QWidget* parent);

  // Bands are given by their start (y for a horizontal bar, x for a vertical
  // one) and extent.
  void AddBand(int start, int extent) { bands_.push_back({start, extent}); }

  static constexpr int kGripWidth = 9;

 signals:
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct Band {
    int start;
    int extent;
  };
  Direction direction_;
  std::vector<Band> bands_;
};

}  // namespace tolvane::gui
