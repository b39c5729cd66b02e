#pragma once

#include <QStringList>
#include <QTableView>
#include <functional>

#include "listing/result_grid.h"

namespace tolvane::gui {

class ResultGridModel;

// ListView1: the report-style table of result rows with check boxes, icons,
// grid lines and whole-row multiple selection. The selection is mirrored
// into the rows, and taken from the rows again whenever they are replaced.
class ResultsTable : public QTableView {
  Q_OBJECT

 public:
  explicit ResultsTable(QWidget* parent = nullptr);

  // Shows the grid through the model (which the table takes over).
  void SetGridModel(ResultGridModel* model, ResultGrid* grid);
  ResultGridModel* GridModel() const { return model_; }

  // Column widths as laid out; the last column takes what is left.
  static constexpr int kColumnWidths[4] = {115, 390, 50, 60};

 signals:
  void ColumnClicked(int column);
  void DoubleClicked();
  // Saved web pages (.htm, .html) were dropped on the table.
  void PagesDropped(const QStringList& files);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  static constexpr int kSmallestPixels = 8;
  // The windows' font, made just small enough for the Item column.
  QFont ItemFittingFont() const;
  void MirrorSelection(const QItemSelection& selected,
                       const QItemSelection& deselected);
  void SelectFromRows();

  ResultGridModel* model_ = nullptr;
  ResultGrid* grid_ = nullptr;
  bool syncing_ = false;
};

}  // namespace tolvane::gui
