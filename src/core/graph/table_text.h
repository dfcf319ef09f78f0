#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/graph/table_columns.h"

namespace tornel {

// A block of a table's cells to copy. Columns are the table's own: 0 is the
// time (or point) column, column j >= 1 the channel TableColumns[j - 1].
struct TableTextRequest {
  int64_t FirstFrame = 0;
  int64_t Frames = 0;
  int FirstColumn = 0;
  int Columns = 0;
  bool HeaderRow = false;  // a first line with the column headers
  // Which cells of the block are wanted; the others stay empty. Empty: all.
  std::function<bool(int64_t frame, int column)> Selected;
};

// The cells as spreadsheets take them from the clipboard: tab between cells,
// a line feed after each row, the table's texts with `separator` as the
// decimal sign. The samples are streamed from the file, so any block size
// takes the same memory apart from the text; a frame that cannot be read
// gives empty value cells.
std::string TableText(const TableColumns& table, const std::string& sampleFile,
                      const TableTextRequest& request, char separator);

}  // namespace tornel
