#include <gtest/gtest.h>

#include <algorithm>

#include "core/records/sample_summary.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

// 130 frames (two whole blocks of 64 and two frames over) of `channels`
// codes: a small ripple, and per channel c a spike of 1000 + c in frame 64
// + c and a dip of -1000 - c in frame 3 + c, so each channel's block
// extremes sit in a different frame.
std::vector<int16_t> Frames(int channels) {
  std::vector<int16_t> codes;
  for (int f = 0; f < 130; ++f) {
    for (int c = 0; c < channels; ++c) {
      int v = (f * 7 + c * 13) % 11 - 5;
      if (f == 64 + c) v = 1000 + c;
      if (f == 3 + c) v = -1000 - c;
      codes.push_back(static_cast<int16_t>(v));
    }
  }
  return codes;
}

// Whole lanes of eight channels, their rest, and every channel a file can hold.
TEST(SummaryBuilder, BlockExtremesOfEveryChannelWhateverThePieces) {
  for (int channels : {1, 7, 8, 9, 16, 19, 32}) {
    const std::vector<int16_t> codes = Frames(channels);
    const auto n = static_cast<std::size_t>(channels);
    SampleSummaryBuilder<int16_t> builder(channels);
    std::size_t at = 0;
    for (std::size_t piece : {1, 5, 64, 60}) {
      builder.Add(std::span<const int16_t>(codes).subspan(at, piece * n));
      at += piece * n;
    }
    const SampleSummary<int16_t> s = builder.Finish();
    ASSERT_EQ(s.Frames(), 130) << channels;
    ASSERT_EQ(s.Blocks(0), 2) << channels;
    for (int c = 0; c < channels; ++c) {
      // Block 0 holds the dip (frames 3 + c < 64 for every c here but none
      // past 60), block 1 the spike (frame 64 + c < 128).
      const bool dipInFirst = 3 + c < 64;
      EXPECT_EQ(s.Mins(0, c)[0], dipInFirst ? -1000 - c : -5) << channels << " ch " << c;
      EXPECT_EQ(s.Maxs(0, c)[1], 1000 + c) << channels << " ch " << c;
      EXPECT_EQ(s.Maxs(0, c)[0], 5) << channels << " ch " << c;
      EXPECT_EQ(s.Mins(0, c)[1], -5) << channels << " ch " << c;
    }

    testing::TempDir dir;
    testing::WriteBytes(dir.File("s"), testing::Int16Bytes(codes));
    const auto read = SampleSummary<int16_t>::Build(dir.File("s"), channels);
    ASSERT_TRUE(read);
    for (int c = 0; c < channels; ++c) {
      EXPECT_TRUE(std::equal(s.Mins(0, c), s.Mins(0, c) + 2, read->Mins(0, c)));
      EXPECT_TRUE(std::equal(s.Maxs(0, c), s.Maxs(0, c) + 2, read->Maxs(0, c)));
    }
  }
}

}  // namespace
}  // namespace tornel
