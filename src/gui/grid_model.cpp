#include "gui/grid_model.h"

#include <algorithm>

#include "analysis/icons.h"
#include "gui/qt_controls.h"
#include "gui/row_icons.h"
#include "gui/text_codec.h"

namespace tolvane::gui {
namespace {

constexpr const char* kColumnCaptions[kGridColumns] = {
    "Item", "Description", "Bids", "Price", "Ended"};

std::string_view CellText(const RowView& row, int column) {
  switch (column) {
    case 0:
      return row.item;
    case 1:
      return row.description;
    case 2:
      return row.bids;
    case 3:
      return row.price;
    default:
      return row.ended;
  }
}

}  // namespace

ResultGridModel::ResultGridModel(QObject* parent)
    : QAbstractTableModel(parent) {
  flush_timer_.setSingleShot(true);
  flush_timer_.setInterval(kFrameMilliseconds);
  connect(&flush_timer_, &QTimer::timeout, this, &ResultGridModel::Flush);
}

ResultGridModel::~ResultGridModel() {
  if (grid_ != nullptr) grid_->SetObserver(nullptr);
}

void ResultGridModel::Attach(ResultGrid* grid) {
  beginResetModel();
  if (grid_ != nullptr) grid_->SetObserver(nullptr);
  grid_ = grid;
  shown_ = grid_ != nullptr ? grid_->Count() : 0;
  changed_first_ = changed_last_ = -1;
  if (grid_ != nullptr) grid_->SetObserver(this);
  endResetModel();
}

int ResultGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_;
}

int ResultGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumns;
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
  if (grid_ == nullptr || !index.isValid() || index.row() >= shown_ ||
      index.row() >= grid_->Count()) {
    return {};
  }
  const RowView row = grid_->Row(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return DisplayText(CellText(row, index.column()));
    case Qt::CheckStateRole:
      if (index.column() != 0) return {};
      return row.checked ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole: {
      if (index.column() != 0) return {};
      const int icon = DeviationIcon(row, grid_->IconAverage());
      if (icon < 0) return {};
      return RowIcon(icon);
    }
    default:
      return {};
  }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation,
                                     int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole &&
      section >= 0 && section < kGridColumns) {
    return QString::fromLatin1(kColumnCaptions[section]);
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags =
      Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == 0) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool ResultGridModel::setData(const QModelIndex& index, const QVariant& value,
                              int role) {
  if (grid_ == nullptr || role != Qt::CheckStateRole || !index.isValid() ||
      index.column() != 0 || index.row() >= grid_->Count()) {
    return false;
  }
  grid_->SetChecked(index.row(), value.toInt() == Qt::Checked);
  // The user's own click shows at once.
  Flush();
  return true;
}

void ResultGridModel::RowsAppended(int, int) { Schedule(); }

void ResultGridModel::RowsReset() {
  changed_first_ = changed_last_ = -1;
  beginResetModel();
  shown_ = grid_ != nullptr ? grid_->Count() : 0;
  endResetModel();
  emit RowsReplaced();
}

void ResultGridModel::RowsChanged(int first, int last) {
  if (changed_first_ < 0) {
    changed_first_ = first;
    changed_last_ = last;
  } else {
    changed_first_ = std::min(changed_first_, first);
    changed_last_ = std::max(changed_last_, last);
  }
  Schedule();
}

void ResultGridModel::Schedule() {
  if (!flush_timer_.isActive()) flush_timer_.start();
}

void ResultGridModel::Flush() {
  flush_timer_.stop();
  if (grid_ == nullptr) return;
  const int count = grid_->Count();
  if (count > shown_) {
    beginInsertRows({}, shown_, count - 1);
    shown_ = count;
    endInsertRows();
  }
  if (changed_first_ >= 0) {
    const int first = changed_first_;
    const int last = std::min(changed_last_, shown_ - 1);
    changed_first_ = changed_last_ = -1;
    if (first <= last) {
      emit dataChanged(index(first, 0), index(last, 0),
                       {Qt::CheckStateRole, Qt::DecorationRole});
    }
  }
}

}  // namespace tolvane::gui
