#include "core/scheme/block_factory.h"

#include "core/scheme/graph_block_record.h"

namespace tornel {

std::unique_ptr<TBlock> BlockFactory::CreateBlock(int kind) const {
  const BlockKindInfo& info = KindInfo(kind);
  auto block = std::make_unique<TBlock>();
  block->Kind = info.Kind;
  block->Group = info.Group;
  block->InCount = info.InCount;
  block->OutCount = info.OutCount;
  block->HasInputs = info.InCount > 0;
  block->HasOutputs = info.OutCount > 0;
  block->Hint = std::string(info.Caption);
  for (int i = 0; i < 3; ++i) block->ParamNames[i] = std::string(info.ParamNames[i]);
  block->Params = info.Params;
  const int textHeight = labels_.Measure.TextHeight();
  block->Width = info.Width;
  switch (info.Size) {
    case SizeRule::Dynamic:
      block->Height = static_cast<int>(2.5 * textHeight);
      break;
    case SizeRule::Device:
      block->Height = static_cast<int>(1.5 * textHeight);
      break;
    case SizeRule::Fixed:
    case SizeRule::Generator:
      block->Height = info.Height;
      break;
  }
  for (int i = 0; i < block->InCount; ++i) {
    block->InPort[i].y = block->Height * (i + 1) / (block->InCount + 1);
  }
  for (int k = 0; k < block->OutCount; ++k) block->OutPort[k].y = block->Height / 2;
  if (info.Kind == kKindGraph) {
    block->Left = 20;
    block->Top = 20;
    block->Record = std::make_unique<TGraphRecord>();
    SetUpGraphBlockRecord(*block->Record, labels_.Table);
  }
  UpdateLabels(*block, labels_);
  block->PlacePorts();
  return block;
}

}  // namespace tornel
