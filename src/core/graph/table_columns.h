#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/records/graph_record.h"
#include "core/records/mask_pair.h"
#include "core/records/sample_format.h"

namespace tornel {

struct TableColumn {
  int Slot = 0;
  int Position = 0;  // index of the channel's value inside a frame
  std::string Name;
  std::string Unit;
  double Scale = 0;  // the channel's Base
};

// What a table of a record shows, copied from the record when the table
// opens: one column per selected channel in slot order (ADC before DAC), one
// row per frame, and a first column of times (or point numbers of a static
// record). Only the sample file may change afterwards; these copies stay.
class TableColumns {
public:
  TableColumns() = default;
  // `selected` is cut to the recorded channels. FrameCount is taken as the
  // record has it now.
  TableColumns(const TGraphRecord& record, MaskPair selected);

  int Count() const { return static_cast<int>(columns_.size()); }
  const TableColumn& operator[](int column) const { return columns_.at(column); }
  MaskPair Recorded() const { return recorded_; }
  MaskPair Selected() const { return selected_; }
  int RecChannelCount() const { return recChannelCount_; }
  SampleFormat Format() const { return format_; }
  bool IsStatic() const { return isStatic_; }
  // Rows below the header: one per whole frame.
  int64_t FrameRows() const { return frameRows_; }
  // Seconds between frames; 0 when there is at most one frame.
  double TimeStep() const { return timeStep_; }

  // The top left cell: "№" for a static record, "t, c" otherwise.
  std::string CornerText() const;
  // "name, unit", or the name alone when the unit is empty.
  std::string HeaderText(int column) const;
  // The first cell of a frame's row: its point number 1, 2, ... or its time
  // with as many decimals as tell consecutive rows apart, at least three.
  std::string RowText(int64_t frame, char separator) const;
  // The physical value of a stored sample of the column: sample / FullScale * Base.
  double Value(int column, double sample) const;
  std::string ValueText(int column, double sample, char separator) const;

private:
  std::vector<TableColumn> columns_;
  MaskPair recorded_;
  MaskPair selected_;
  int recChannelCount_ = 0;
  SampleFormat format_ = SampleFormat::Int16;
  double fullScale_ = kFullScaleCode;
  bool isStatic_ = false;
  int64_t frameRows_ = 0;
  double timeStep_ = 0;
  int timeDecimals_ = 3;
};

}  // namespace tornel
