#include "core/scheme/place_block_edit.h"

#include "core/scheme/scheme.h"
#include "core/text/user_error.h"

namespace tornel {

PlaceBlockEdit::PlaceBlockEdit(const Scheme& scheme, int kind, Point at) {
  if (!scheme.CanPlace(kind)) throw UserError("В схеме уже есть блок «График»");
  owned_ = scheme.Factory().CreateBlock(kind);
  owned_->Left = at.x;
  owned_->Top = at.y;
  block_ = owned_.get();
  index_ = scheme.Blocks().size();
}

void PlaceBlockEdit::Apply(Scheme& scheme) { scheme.InsertBlock(index_, std::move(owned_)); }

void PlaceBlockEdit::Revert(Scheme& scheme) { owned_ = scheme.TakeBlock(block_); }

std::string PlaceBlockEdit::Text() const { return "Поставить блок «" + block_->Hint + "»"; }

}  // namespace tornel
