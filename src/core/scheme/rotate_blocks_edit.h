#pragma once

#include <vector>

#include "core/scheme/block.h"
#include "core/scheme/scheme_edit.h"

namespace tornel {

// "Повернуть блоки": mirrors the selected blocks that have both an input and
// an output side; the others stay as they are.
class RotateBlocksEdit final : public SchemeEdit {
public:
  explicit RotateBlocksEdit(const Scheme& scheme);

  void Apply(Scheme&) override { Toggle(); }
  void Revert(Scheme&) override { Toggle(); }
  std::string Text() const override { return "Повернуть блоки"; }
  bool Empty() const { return blocks_.empty(); }

private:
  void Toggle() {
    for (TBlock* block : blocks_) block->Rotate();
  }

  std::vector<TBlock*> blocks_;
};

}  // namespace tornel
