#pragma once

#include "core/scheme/block.h"
#include "core/scheme/scheme_edit.h"

namespace tornel {

// A new size; the input ports follow the height by the rule they were made
// with, height * (i + 1) / (inputs + 1), so that no port is left outside.
void SizeBlock(TBlock& block, int width, int height);

// The graph block's corner grip: a new width and height, held at 40 pixels
// and 16 text heights at least; the ports follow (SizeBlock).
class ResizeBlockEdit final : public SchemeEdit {
public:
  ResizeBlockEdit(const Scheme& scheme, TBlock* block, int width, int height);

  void Apply(Scheme&) override { Set(width_, height_); }
  void Revert(Scheme&) override { Set(oldWidth_, oldHeight_); }
  std::string Text() const override { return "Изменить размер блока"; }
  // The size stays what it was (a click on the grip, or a limit reached).
  bool Empty() const { return width_ == oldWidth_ && height_ == oldHeight_; }

private:
  void Set(int width, int height) { SizeBlock(*block_, width, height); }

  TBlock* block_;
  int oldWidth_, oldHeight_;
  int width_, height_;
};

}  // namespace tornel
