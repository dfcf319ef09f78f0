#pragma once

#include <QAbstractTableModel>
#include <string>

#include "core/graph/frame_cache.h"
#include "core/graph/table_columns.h"

// The cells of a table window: one row per frame, one column per selected
// channel; the headers carry the channel names and the frames' times (or
// point numbers). Values are read from the sample file through a small cache
// of the frames around those on screen, so a repaint costs a read or two
// however long the record is. A frame that cannot be read shows empty cells.
class GridModel : public QAbstractTableModel {
  Q_OBJECT

public:
  GridModel(tornel::TableColumns columns, const std::string& sampleFile, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  const tornel::TableColumns& Columns() const { return columns_; }
  const std::string& SampleFile() const { return cache_.File(); }
  // Reads `sampleFile` from now on (the same path again after it was
  // rewritten, too) and repaints every cell.
  void Retarget(const std::string& sampleFile);
  int64_t FileReads() const { return cache_.Reads(); }

private:
  tornel::TableColumns columns_;
  mutable tornel::FrameCache cache_;
};
