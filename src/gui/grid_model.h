#pragma once

#include <QAbstractTableModel>
#include <QTimer>

#include "listing/result_grid.h"

namespace tolvane::gui {

inline constexpr int kGridColumns = 5;

// ListView1's rows as Qt sees them: a view of the ResultGrid, which stays
// the one source of truth. Appended rows and changed marks are announced in
// batches at screen rate (or at once through Flush), so a million rows added
// one at a time cost a handful of insertions.
class ResultGridModel : public QAbstractTableModel, public GridObserver {
  Q_OBJECT

 public:
  explicit ResultGridModel(QObject* parent = nullptr);
  ~ResultGridModel() override;

  // Starts following the grid; nullptr lets go of it.
  void Attach(ResultGrid* grid);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Only the check box is writable: it sets the row's check mark and
  // nothing else; the statistics catch up at their next run.
  bool setData(const QModelIndex& index, const QVariant& value,
               int role) override;

  void RowsAppended(int first, int last) override;
  void RowsReset() override;
  void RowsChanged(int first, int last) override;

  // Announces the rows and marks waiting for the screen.
  void Flush();

 signals:
  // The rows were replaced (sorted, deleted, cleared): the view takes the
  // selection from the rows again.
  void RowsReplaced();

 private:
  void Schedule();

  ResultGrid* grid_ = nullptr;
  int shown_ = 0;  // rows the view has been told about
  int changed_first_ = -1;
  int changed_last_ = -1;
  QTimer flush_timer_;
};

}  // namespace tolvane::gui
