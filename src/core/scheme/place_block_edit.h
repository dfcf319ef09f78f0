#pragma once

#include <memory>

#include "core/scheme/block.h"
#include "core/scheme/scheme_edit.h"

namespace tornel {

// Places a new block of a kind with its top-left corner at a point, after
// every other block.
class PlaceBlockEdit final : public SchemeEdit {
public:
  // Throws UserError "В схеме уже есть блок «График»" for a second graph
  // block, or the factory's error when the graph block's file cannot be made.
  PlaceBlockEdit(const Scheme& scheme, int kind, Point at);

  void Apply(Scheme& scheme) override;
  void Revert(Scheme& scheme) override;
  std::string Text() const override;

  TBlock* Block() const { return block_; }

private:
  TBlock* block_;
  std::unique_ptr<TBlock> owned_;
  std::size_t index_ = 0;
};

}  // namespace tornel
