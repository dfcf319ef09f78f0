#include "core/device/asmcode.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/device/null_device.h"
#include "tests/support/fake_device.h"

namespace tornel {
namespace {

using testing::FakeDevice;

TEST(CapWrite, ClampsToTheDeviceRangeBeforeOutput) {
  struct Case {
    int16_t code;
    int16_t output;
  };
  const Case cases[] = {{1500, 1023}, {-7, 0},    {0, 0},      {1023, 1023},
                        {1024, 1023}, {511, 511}, {-32768, 0}, {32767, 1023}};
  for (const Case& c : cases) {
    FakeDevice device;
    CapWrite(device, 1, c.code);
    ASSERT_EQ(device.Writes().size(), 1u);
    EXPECT_EQ(device.Writes()[0].channel, 1);
    EXPECT_EQ(device.Writes()[0].code, c.output) << "code " << c.code;
  }
}

TEST(StendStartSignal, AveragesTenRawReadsOfInput16WithTruncation) {
  struct Case {
    std::vector<int16_t> reads;
    bool start;
  };
  const Case cases[] = {
      {std::vector<int16_t>(10, 501), true},
      {std::vector<int16_t>(10, 500), false},
      {{556, 556, 556, 556, 556, 556, 556, 556, 556, 0}, false},    // 5004 / 10 = 500
      {{501, 501, 501, 501, 501, 501, 501, 501, 501, 500}, false},  // 5009 / 10 = 500
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 5010}, true},                    // 5010 / 10 = 501
      {std::vector<int16_t>(10, -512), false},
  };
  for (const Case& c : cases) {
    FakeDevice device;
    device.SetSequence(kStendStartChannel, c.reads);
    device.SetConstant(0, 1000);
    EXPECT_EQ(StendStartSignal(device), c.start) << "first read " << c.reads[0];
    EXPECT_EQ(device.ReadCount(kStendStartChannel), 10u);
    EXPECT_EQ(device.TotalReads(), 10u);
  }
}

TEST(NullDevice, ReadsZeroAndHoldsTheLastClampedCode) {
  NullDevice device;
  for (int16_t ch = 0; ch < 16; ++ch) EXPECT_EQ(AcpRead(device, ch), 0);
  CapWrite(device, 1, 1500);
  CapWrite(device, 0, -7);
  EXPECT_EQ(device.Held(1), 1023);
  EXPECT_EQ(device.Held(0), 0);
  CapWrite(device, 99, 5);  // a channel the device does not have is ignored
  EXPECT_EQ(device.Held(99), 0);
}

}  // namespace
}  // namespace tornel
