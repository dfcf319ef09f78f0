#pragma once

#include <cstdint>
#include <vector>

#include "core/records/graph_record.h"

namespace tornel {

// The exchange sort of the static window: for each i from the first, every
// later j from the last down to i + 1 whose key is smaller than key[i]
// trades places with i. Returns the frame order it leaves: order[i] is the
// frame that goes to place i. Equal keys end in whatever order this leaves
// (2, 2, 1 for frames A, B, C gives C, B, A), which is part of the result;
// quadratic, for records of a few thousand points.
std::vector<uint32_t> ExchangeSortOrder(std::vector<int16_t> keys);

// Reorders the frames of OrigFile by the values of recorded position
// `column`, ascending. OrigFile is replaced only when the sorted copy is
// complete; then the filtered copy is gone, HasFiltered is false and the
// record shows OrigFile. Throws UserError naming the file that failed, and
// then changes nothing.
void SortRecordRows(TGraphRecord& record, int column);

}  // namespace tornel
