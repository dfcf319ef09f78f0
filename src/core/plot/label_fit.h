#pragma once

#include <optional>
#include <span>
#include <vector>

namespace tornel {

// Where a text lies along its row (or column) of labels: from lo up to, not
// including, hi.
struct LabelSpan {
  int lo = 0;
  int hi = 0;
};

// Which labels of a row to draw so that no two texts come closer than `gap`:
// the title that shares the row keeps its place, then the first label, the
// last one and the others in order are each kept while they clear everything
// kept before them. A narrow plot thus shows every other label or fewer,
// never two run together.
std::vector<bool> LabelsThatFit(std::span<const LabelSpan> labels, std::optional<LabelSpan> title,
                                int gap);

}  // namespace tornel
