#include "core/scheme/resize_block_edit.h"

#include <algorithm>

#include "core/scheme/scheme.h"

namespace tornel {
namespace {

constexpr int kMinWidth = 40;
constexpr int kMinTextHeights = 16;

}  // namespace

void SizeBlock(TBlock& block, int width, int height) {
  block.Width = width;
  block.Height = height;
  for (int i = 0; i < block.InCount; ++i)
    block.InPort[i].y = height * (i + 1) / (block.InCount + 1);
  block.PlacePorts();
}

ResizeBlockEdit::ResizeBlockEdit(const Scheme& scheme, TBlock* block, int width, int height)
    : block_(block),
      oldWidth_(block->Width),
      oldHeight_(block->Height),
      width_(std::max(width, kMinWidth)),
      height_(std::max(height, kMinTextHeights * scheme.Factory().Labels().Measure.TextHeight())) {}

}  // namespace tornel
