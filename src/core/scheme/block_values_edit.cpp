#include "core/scheme/block_values_edit.h"

#include "core/scheme/block_labels.h"
#include "core/scheme/scheme.h"
#include "core/text/number_text.h"

namespace tornel {

BlockValues ValuesOf(const TBlock& block) { return {block.Params, block.Option, block.Channel}; }

BlockValuesEdit::BlockValuesEdit(TBlock* block, BlockValues values, std::string text)
    : block_(block), before_(ValuesOf(*block)), after_(values), text_(std::move(text)) {}

std::unique_ptr<BlockValuesEdit> BlockValuesEdit::Params(TBlock* block,
                                                         const std::vector<std::string>& texts) {
  BlockValues values = ValuesOf(*block);
  const std::vector<ParamRow> rows = ParamRows(*block);
  for (std::size_t r = 0; r < rows.size() && r < texts.size(); ++r) {
    values.Params[rows[r].Index] = StrToFloatLenient(texts[r]);
  }
  return std::make_unique<BlockValuesEdit>(block, values, "Параметры блока «" + block->Hint + "»");
}

std::unique_ptr<BlockValuesEdit> BlockValuesEdit::ToggleSign(TBlock* block) {
  BlockValues values = ValuesOf(*block);
  values.Option = !values.Option;
  return std::make_unique<BlockValuesEdit>(block, values, "Знак входа сумматора");
}

std::unique_ptr<BlockValuesEdit> BlockValuesEdit::Channel(TBlock* block, int channel) {
  BlockValues values = ValuesOf(*block);
  values.Channel = channel;
  return std::make_unique<BlockValuesEdit>(block, values, "Канал блока «" + block->Hint + "»");
}

void BlockValuesEdit::Set(Scheme& scheme, const BlockValues& values) {
  block_->Params = values.Params;
  block_->Option = values.Option;
  block_->Channel = values.Channel;
  UpdateLabels(*block_, scheme.Factory().Labels());
}

std::vector<ParamRow> ParamRows(const TBlock& block) {
  const BlockKindInfo& info = KindInfo(block.Kind);
  std::vector<ParamRow> rows;
  if (info.Edit != EditKind::ParamDialog) return rows;
  for (const ParamRow& row : info.Rows) {
    if (!row.Label.empty()) rows.push_back(row);
  }
  return rows;
}

std::string DialogCaption(const TBlock& block) {
  return std::string(KindInfo(block.Kind).DialogCaption);
}

std::string ParamRowText(const TBlock& block, const ParamRow& row) {
  return FormatBlockNumber(block.Params[row.Index], row.Decimals);
}

}  // namespace tornel
