#pragma once

#include <memory>

#include "core/config/channel_table.h"
#include "core/scheme/block.h"
#include "core/scheme/block_labels.h"
#include "core/scheme/text_measure.h"

namespace tornel {

// Makes blocks of every kind with their defaults, sizes and ports. The
// measure and the channel table are not owned and must outlive the factory
// and every scheme that uses it.
class BlockFactory {
public:
  BlockFactory(const TextMeasure& measure, const ChannelTable& table) : labels_{measure, table} {}

  // A block of `kind` at (0, 0); any code not in the kind table makes a
  // proportional block. The graph block comes with its record and an empty
  // sample file (UserError when none can be created).
  std::unique_ptr<TBlock> CreateBlock(int kind) const;

  const LabelContext& Labels() const { return labels_; }
  const ChannelTable& Table() const { return labels_.Table; }

private:
  LabelContext labels_;
};

}  // namespace tornel
