#include "core/acquisition/transient_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/text/cp1251.h"
#include "core/text/user_error.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(TransientDefaults, MissingFileGivesTheDefaults) {
  TempDir dir;
  TransientSettings s = LoadTransientDefaults(dir.File("Tornel.ini"), 2);
  EXPECT_EQ(s.Duration, 1.0);
  EXPECT_EQ(s.AcpMask, 0);
  EXPECT_EQ(s.CapMask, 0);
  EXPECT_FALSE(s.AutoMode);
  EXPECT_TRUE(s.StendStart);
  EXPECT_EQ(s.Amplitude[0], 0.0);
}

TEST(TransientDefaults, ReadsTheDacsInUseOnly) {
  TempDir dir;
  std::string path = dir.File("Tornel.ini");
  WriteBytes(path, Utf8ToCp1251("[Переходный процесс (defaults)]\r\n"
                                "Время переходного процесса=2,5\r\n"
                                "Величина сигнала ЦАП №1=255\r\n"
                                "Задержка сигнала ЦАП №1=0.5\r\n"
                                "Время нарастания сигнала ЦАП №2=1.25\r\n"
                                "Величина сигнала ЦАП №3=99\r\n"
                                "Маска каналов АЦП=-32768\r\n"
                                "Маска каналов ЦАП=3\r\n"
                                "Автоматический режим=1\r\n"
                                "Управление со стенда=0\r\n"));
  TransientSettings s = LoadTransientDefaults(path, 2);
  EXPECT_EQ(s.Duration, 2.5);
  EXPECT_EQ(s.Amplitude[0], 255.0);
  EXPECT_EQ(s.Delay[0], 0.5);
  EXPECT_EQ(s.RiseTime[1], 1.25);
  EXPECT_EQ(s.Amplitude[2], 0.0);  // DAC 3 is not in use
  EXPECT_EQ(static_cast<uint16_t>(s.AcpMask), 0x8000u);
  EXPECT_EQ(s.CapMask, 3);
  EXPECT_TRUE(s.AutoMode);
  EXPECT_FALSE(s.StendStart);
}

TEST(TransientDefaults, WritesEveryKeyInOrderWithSignedMasks) {
  TempDir dir;
  std::string path = dir.File("Tornel.ini");
  TransientSettings s;
  s.Duration = 0.25;
  s.Amplitude = {-511, 255, 7};
  s.Delay = {0.5, 0};
  s.RiseTime = {0, 1.5};
  s.AcpMask = static_cast<int16_t>(0x8001);
  s.CapMask = 2;
  s.AutoMode = true;
  s.StendStart = false;
  SaveTransientDefaults(path, 2, s);
  EXPECT_EQ(Cp1251ToUtf8(ReadBytes(path)),
            "[Переходный процесс (defaults)]\r\n"
            "Время переходного процесса=0.25\r\n"
            "Величина сигнала ЦАП №1=-511\r\n"
            "Задержка сигнала ЦАП №1=0.5\r\n"
            "Время нарастания сигнала ЦАП №1=0\r\n"
            "Величина сигнала ЦАП №2=255\r\n"
            "Задержка сигнала ЦАП №2=0\r\n"
            "Время нарастания сигнала ЦАП №2=1.5\r\n"
            "Маска каналов АЦП=-32767\r\n"
            "Маска каналов ЦАП=2\r\n"
            "Автоматический режим=1\r\n"
            "Управление со стенда=0\r\n");
  TransientSettings back = LoadTransientDefaults(path, 2);
  EXPECT_EQ(static_cast<uint16_t>(back.AcpMask), 0x8001u);
  EXPECT_EQ(back.Amplitude[0], -511.0);
  EXPECT_EQ(back.RiseTime[1], 1.5);
}

TEST(TransientDefaults, UnwritableFileIsReported) {
  TempDir dir;
  WriteBytes(dir.File("plain"), "x");
  std::string path = dir.File("plain") + "/Tornel.ini";
  EXPECT_THROW(SaveTransientDefaults(path, 2, TransientSettings{}), UserError);
}

TEST(MakeScanRequest, CopiesTheRunWithTruncatedAmplitudesAndTheZeroCodes) {
  ChannelTable table;
  table.Offset[0] = -12;
  table.Offset[15] = 4;
  table.Offset[16] = 500;
  table.Offset[31] = 300;
  TransientSettings s;
  s.Amplitude = {255.9, -100.7, 1e9};
  s.Amplitude[3] = std::nan("");
  s.Delay[1] = 0.3;
  s.RiseTime[1] = 2.0;
  s.AcpMask = 0x0041;
  s.CapMask = 3;
  s.Duration = 2.0;
  s.AutoMode = true;
  ScanRequest r = MakeScanRequest(s, table, "/tmp/Trn5");
  EXPECT_EQ(r.Amplitude[0], 255);
  EXPECT_EQ(r.Amplitude[1], -100);
  EXPECT_EQ(r.Amplitude[2], 32767);
  EXPECT_EQ(r.Amplitude[3], 0);
  EXPECT_EQ(r.Delay[1], 0.3);
  EXPECT_EQ(r.RiseTime[1], 2.0);
  EXPECT_EQ(r.CapZero[0], 500);
  EXPECT_EQ(r.CapZero[15], 300);
  EXPECT_EQ(r.AcpZero[0], -12);
  EXPECT_EQ(r.AcpZero[15], 4);
  EXPECT_EQ(r.AcpMask, 0x0041);
  EXPECT_EQ(r.CapMask, 3);
  EXPECT_TRUE(r.DriveCap);
  EXPECT_EQ(r.Duration, 2.0);
  EXPECT_EQ(r.FileName, "/tmp/Trn5");

  s.AutoMode = false;
  r = MakeScanRequest(s, table, "/tmp/Trn5");
  EXPECT_EQ(r.CapMask, 0);
  EXPECT_FALSE(r.DriveCap);
}

TEST(AmplitudeTrackRange, KeepsZeroCodePlusPositionWithinTheDacRange) {
  struct Case {
    int16_t zero;
    int min, max;
  };
  for (const Case& c : {Case{511, -511, 511}, Case{500, -500, 522}, Case{0, 0, 1022}}) {
    TrackRange range = AmplitudeTrackRange(c.zero);
    EXPECT_EQ(range.Minimum, c.min) << c.zero;
    EXPECT_EQ(range.Maximum, c.max) << c.zero;
  }
}

TEST(LevelToPhysical, FiveHundredElevenCodesAreTheBase) {
  EXPECT_NEAR(LevelToPhysical(255, 1.0), 0.499022, 1e-6);
  EXPECT_DOUBLE_EQ(LevelToPhysical(-511, 2.5), -2.5);
}

}  // namespace
}  // namespace tornel
