#include "core/scheme/move_blocks_edit.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/scheme/scheme.h"

namespace tornel {

std::unique_ptr<MoveBlocksEdit> MoveBlocksEdit::IntoArea(const Scheme& scheme) {
  int64_t left = 0, top = 0, right = 0, bottom = 0;
  std::vector<TBlock*> blocks;
  for (const auto& block : scheme.Blocks()) {
    left = std::min<int64_t>(left, block->Left);
    top = std::min<int64_t>(top, block->Top);
    right = std::max<int64_t>(right, block->Left);
    bottom = std::max<int64_t>(bottom, block->Top);
    blocks.push_back(block.get());
  }
  if (left == 0 && top == 0) return nullptr;
  // A damaged file's far-flung coordinates are left as they are rather than
  // overflow.
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  if (right - left > kMax || bottom - top > kMax) return nullptr;
  return std::make_unique<MoveBlocksEdit>(std::move(blocks), static_cast<int>(-left),
                                          static_cast<int>(-top));
}

}  // namespace tornel
