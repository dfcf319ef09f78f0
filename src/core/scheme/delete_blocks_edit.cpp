#include "core/scheme/delete_blocks_edit.h"

#include "core/scheme/scheme.h"

namespace tornel {

DeleteBlocksEdit::DeleteBlocksEdit(const Scheme& scheme) {
  const auto& blocks = scheme.Blocks();
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    if (blocks[i]->Selected) blocks_.push_back({blocks[i].get(), i, nullptr});
  }
  const auto& lines = scheme.Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TConnectLine& line = *lines[i];
    for (const Held<TBlock>& b : blocks_) {
      if (line.Source == b.item || line.Dest == b.item) {
        lines_.push_back({lines[i].get(), i, nullptr});
        break;
      }
    }
  }
}

void DeleteBlocksEdit::Apply(Scheme& scheme) {
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) it->owned = scheme.TakeLine(it->item);
  for (auto it = blocks_.rbegin(); it != blocks_.rend(); ++it) {
    it->owned = scheme.TakeBlock(it->item);
  }
}

void DeleteBlocksEdit::Revert(Scheme& scheme) {
  for (Held<TBlock>& b : blocks_) scheme.InsertBlock(b.index, std::move(b.owned));
  for (Held<TConnectLine>& l : lines_) scheme.InsertLine(l.index, std::move(l.owned));
}

}  // namespace tornel
