#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "core/scheme/block.h"
#include "core/scheme/connect_line.h"
#include "core/scheme/scheme_edit.h"

namespace tornel {

// "Удалить блоки": the selected blocks and every line into or out of them.
// The inputs they fed become free; an output they were fed from stays filled
// only while it still feeds another line.
class DeleteBlocksEdit final : public SchemeEdit {
public:
  explicit DeleteBlocksEdit(const Scheme& scheme);

  void Apply(Scheme& scheme) override;
  void Revert(Scheme& scheme) override;
  std::string Text() const override { return "Удалить блоки"; }
  bool Empty() const { return blocks_.empty(); }

private:
  template <typename T>
  struct Held {
    T* item;
    std::size_t index;  // in the scheme's order before the deletion
    std::unique_ptr<T> owned;
  };

  // Both in ascending index order.
  std::vector<Held<TBlock>> blocks_;
  std::vector<Held<TConnectLine>> lines_;
};

}  // namespace tornel
