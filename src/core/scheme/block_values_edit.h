#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/scheme/block.h"
#include "core/scheme/scheme_edit.h"

namespace tornel {

// What the user changes on a block: its parameters, the sum's sign, the
// device blocks' channel.
struct BlockValues {
  std::array<double, 3> Params{};
  bool Option = false;
  int32_t Channel = 0;
  bool operator==(const BlockValues&) const = default;
};

BlockValues ValuesOf(const TBlock& block);

// Sets a block's values and rebuilds its labels and size.
class BlockValuesEdit final : public SchemeEdit {
public:
  BlockValuesEdit(TBlock* block, BlockValues values, std::string text);

  // The parameter dialog's OK: `texts` are the fields of the block's dialog
  // rows (ParamRows) in order, read as the dialogs read numbers (comma or
  // point, text that is not a number is 0). Rows not given keep their value.
  static std::unique_ptr<BlockValuesEdit> Params(TBlock* block,
                                                 const std::vector<std::string>& texts);
  // The sum's right click: the sign of input 1 flips.
  static std::unique_ptr<BlockValuesEdit> ToggleSign(TBlock* block);
  static std::unique_ptr<BlockValuesEdit> Channel(TBlock* block, int channel);

  void Apply(Scheme& scheme) override { Set(scheme, after_); }
  void Revert(Scheme& scheme) override { Set(scheme, before_); }
  std::string Text() const override { return text_; }

private:
  void Set(Scheme& scheme, const BlockValues& values);

  TBlock* block_;
  BlockValues before_;
  BlockValues after_;
  std::string text_;
};

// The rows of the block's parameter dialog, in order (none for the blocks
// whose right click does something else).
std::vector<ParamRow> ParamRows(const TBlock& block);
// The caption of the block's parameter dialog.
std::string DialogCaption(const TBlock& block);
// A row's value as the dialog shows it.
std::string ParamRowText(const TBlock& block, const ParamRow& row);

}  // namespace tornel
