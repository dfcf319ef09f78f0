#include "core/graph/frame_cache.h"

#include <gtest/gtest.h>

#include "sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using tornel::testing::Int16Bytes;
using tornel::testing::WriteBytes;

// 1000 frames of 3 channels; value of frame f, position p: f * 3 + p - 1500.
std::string ThousandFrames() {
  std::vector<int16_t> v;
  for (int f = 0; f < 1000; ++f) {
    for (int p = 0; p < 3; ++p) v.push_back(static_cast<int16_t>(f * 3 + p - 1500));
  }
  return Int16Bytes(v);
}

class FrameCacheTest : public ::testing::Test {
protected:
  tornel::testing::TempDir dir;
  std::string file = dir.File("Trn1");
};

TEST_F(FrameCacheTest, ReturnsTheValueAtEveryFrameAndPosition) {
  WriteBytes(file, ThousandFrames());
  FrameCache cache(3, SampleFormat::Int16);
  cache.SetFile(file);
  struct Case {
    int64_t frame;
    int position;
    double value;
  };
  const Case cases[] = {{0, 0, -1500},  {0, 2, -1498}, {255, 1, -734}, {256, 0, -732},
                        {999, 2, 1499}, {500, 1, 1},   {1, 0, -1497}};
  for (const Case& c : cases) {
    EXPECT_EQ(cache.Sample(c.frame, c.position), c.value) << c.frame << "/" << c.position;
  }
}

TEST_F(FrameCacheTest, NothingWhereNoWholeFrameIs) {
  WriteBytes(file, Int16Bytes({1, 2, 3, 4, 5}));  // one frame and a part
  FrameCache cache(3, SampleFormat::Int16);
  cache.SetFile(file);
  EXPECT_EQ(cache.Sample(0, 2), 3);
  EXPECT_EQ(cache.Sample(1, 0), std::nullopt);
  EXPECT_EQ(cache.Sample(-1, 0), std::nullopt);
  EXPECT_EQ(cache.Sample(0, 3), std::nullopt);
  cache.SetFile(dir.File("missing"));
  EXPECT_EQ(cache.Sample(0, 0), std::nullopt);
}

TEST_F(FrameCacheTest, AScreenfulOfCellsIsOneRead) {
  WriteBytes(file, ThousandFrames());
  FrameCache cache(3, SampleFormat::Int16);
  cache.SetFile(file);
  for (int repaint = 0; repaint < 3; ++repaint) {
    for (int64_t f = 300; f < 340; ++f) {
      for (int p = 0; p < 3; ++p) ASSERT_TRUE(cache.Sample(f, p));
    }
  }
  EXPECT_EQ(cache.Reads(), 1);
}

TEST_F(FrameCacheTest, ARewrittenFileIsSeenAfterSetFile) {
  WriteBytes(file, Int16Bytes({1, 2, 3}));
  FrameCache cache(3, SampleFormat::Int16);
  cache.SetFile(file);
  EXPECT_EQ(cache.Sample(0, 0), 1);
  WriteBytes(file, Int16Bytes({7, 8, 9}));
  cache.SetFile(file);
  EXPECT_EQ(cache.Sample(0, 0), 7);
  const std::string other = dir.File("Trn1f");
  WriteBytes(other, Int16Bytes({-4, -5, -6}));
  cache.SetFile(other);
  EXPECT_EQ(cache.Sample(0, 1), -5);
}

TEST_F(FrameCacheTest, KeepsBlocksWhileScrollingBackAndForth) {
  WriteBytes(file, ThousandFrames());
  FrameCache cache(3, SampleFormat::Int16);
  cache.SetFile(file);
  for (int pass = 0; pass < 4; ++pass) {
    for (int64_t f : {10, 300, 600, 900}) ASSERT_TRUE(cache.Sample(f, 0));
  }
  EXPECT_EQ(cache.Reads(), 4);
}

TEST_F(FrameCacheTest, ReadsDoubleSamples) {
  WriteBytes(file, tornel::testing::DoubleBytes({0.5, -0.25, 1.0, 2.0}));
  FrameCache cache(2, SampleFormat::Float64);
  cache.SetFile(file);
  EXPECT_EQ(cache.Sample(0, 1), -0.25);
  EXPECT_EQ(cache.Sample(1, 1), 2.0);
  EXPECT_EQ(cache.Sample(2, 0), std::nullopt);
}

}  // namespace
}  // namespace tornel
