#include "core/scheme/rotate_blocks_edit.h"

#include "core/scheme/scheme.h"

namespace tornel {

RotateBlocksEdit::RotateBlocksEdit(const Scheme& scheme) {
  for (TBlock* block : scheme.SelectedBlocks()) {
    if (block->CanRotate()) blocks_.push_back(block);
  }
}

}  // namespace tornel
