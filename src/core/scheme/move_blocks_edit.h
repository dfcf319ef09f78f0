#pragma once

#include <memory>
#include <vector>

#include "core/scheme/block.h"
#include "core/scheme/scheme_edit.h"

namespace tornel {

// Moves blocks by an offset; lines follow, since their ends come from the
// ports.
class MoveBlocksEdit final : public SchemeEdit {
public:
  MoveBlocksEdit(std::vector<TBlock*> blocks, int dx, int dy)
      : blocks_(std::move(blocks)), dx_(dx), dy_(dy) {}

  void Apply(Scheme&) override { Shift(dx_, dy_); }
  void Revert(Scheme&) override { Shift(-dx_, -dy_); }
  std::string Text() const override { return "Переместить блоки"; }

  // Moves the whole scheme right and down just enough that no block lies
  // left of or above the drawing area's origin, keeping the layout; null
  // when every block is inside already.
  static std::unique_ptr<MoveBlocksEdit> IntoArea(const Scheme& scheme);

private:
  void Shift(int dx, int dy) {
    for (TBlock* block : blocks_) {
      block->Left += dx;
      block->Top += dy;
    }
  }

  std::vector<TBlock*> blocks_;
  int dx_;
  int dy_;
};

}  // namespace tornel
