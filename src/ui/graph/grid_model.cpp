#include "ui/graph/grid_model.h"

#include <algorithm>
#include <limits>

#include "core/text/number_text.h"

GridModel::GridModel(tornel::TableColumns columns, const std::string& sampleFile, QObject* parent)
    : QAbstractTableModel(parent),
      columns_(std::move(columns)),
      cache_(columns_.RecChannelCount(), columns_.Format()) {
  cache_.SetFile(sampleFile);
}

// The views count rows in int; a record longer than that shows its first
// 2^31 - 1 frames.
int GridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(std::min<int64_t>(columns_.FrameRows(), std::numeric_limits<int>::max()));
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_.Count();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role != Qt::DisplayRole) return {};
  const tornel::TableColumn& column = columns_[index.column()];
  const auto sample = cache_.Sample(index.row(), column.Position);
  if (!sample) return QString();
  return QString::fromStdString(
      columns_.ValueText(index.column(), *sample, tornel::SystemDecimalSeparator()));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (section >= columns_.Count()) return {};
    return QString::fromStdString(columns_.HeaderText(section));
  }
  return QString::fromStdString(columns_.RowText(section, tornel::SystemDecimalSeparator()));
}

void GridModel::Retarget(const std::string& sampleFile) {
  cache_.SetFile(sampleFile);
  if (rowCount() > 0 && columnCount() > 0) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
  }
}
