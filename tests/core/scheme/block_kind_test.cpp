#include "core/scheme/block_kind.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(BlockKind, UnknownCodesGiveTheProportionalBlock) {
  for (int kind : {0, 4, 8, 20, 255, -1}) {
    EXPECT_FALSE(IsKnownKind(kind)) << kind;
    EXPECT_EQ(KindInfo(kind).Kind, kKindProporc) << kind;
  }
}

}  // namespace
}  // namespace tornel
