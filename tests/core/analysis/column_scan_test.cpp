#include "core/analysis/column_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tornel {
namespace {

// Every channel count the dispatch treats apart (one, odd, the packed
// multiples of eight, the largest frame, one past it), over one frame, a
// few, and a whole chunk; codes over the full 16-bit range.
TEST(ColumnScan, ExtremesAndSumsOfEveryChannelCount) {
  uint32_t x = 1;
  auto next = [&x] {
    x = x * 1664525u + 1013904223u;
    return static_cast<int16_t>(x >> 16);
  };
  for (int channels : {1, 3, 8, 16, 24, 32, 33}) {
    for (int64_t frames : {1, 5, 4096}) {
      std::vector<int16_t> data(static_cast<std::size_t>(channels * frames));
      for (auto& v : data) v = next();
      std::vector<int16_t> mins(channels), maxs(channels);
      std::vector<double> sums(channels);
      ColumnExtremes(data.data(), frames, channels, mins.data(), maxs.data());
      ColumnSums(data.data(), frames, channels, sums.data());
      for (int c = 0; c < channels; ++c) {
        int16_t lo = INT16_MAX, hi = INT16_MIN;
        int64_t sum = 0;
        for (int64_t f = 0; f < frames; ++f) {
          const int16_t v = data[static_cast<std::size_t>(f * channels + c)];
          lo = std::min(lo, v);
          hi = std::max(hi, v);
          sum += v;
        }
        ASSERT_EQ(mins[c], lo) << channels << " channels, " << frames << " frames, channel " << c;
        ASSERT_EQ(maxs[c], hi) << channels << " channels, " << frames << " frames, channel " << c;
        ASSERT_EQ(sums[c], static_cast<double>(sum)) << channels << " channels, channel " << c;
      }
    }
  }
}

TEST(ColumnScan, SumsStayExactOverTheLongestRun) {
  for (int16_t v : {INT16_MIN, INT16_MAX}) {
    const std::vector<int16_t> data(65536, v);
    double sum = 0;
    ColumnSums(data.data(), 65536, 1, &sum);
    EXPECT_EQ(sum, 65536.0 * v);
  }
}

TEST(ColumnScan, DoublesOfTheGraphBlock) {
  const std::vector<double> data = {0.5, -1, 2.25, 3, -0.75, 4};
  std::vector<double> mins(2), maxs(2), sums(2);
  ColumnExtremes(data.data(), 3, 2, mins.data(), maxs.data());
  ColumnSums(data.data(), 3, 2, sums.data());
  EXPECT_EQ(mins, (std::vector<double>{-0.75, -1}));
  EXPECT_EQ(maxs, (std::vector<double>{2.25, 4}));
  EXPECT_EQ(sums, (std::vector<double>{2, 6}));
}

}  // namespace
}  // namespace tornel
