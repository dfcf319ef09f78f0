#include "core/spectrum/spectrum_text.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

SpectrumResult Result(double resolution, double a1) {
  SpectrumResult r;
  r.window = WindowFunction::Rectangular;
  r.from = 0.5;
  r.to = 2;
  r.frames = 3000;
  r.sampleRate = 2000;
  r.resolutionHz = resolution;
  r.dc = -0.5;
  r.fundamentalHz = 50;
  r.thdPct = 12.345;
  r.harmonics = {{1, 50, a1}, {2, 100, a1 / 8}};
  return r;
}

// Frequencies show a digit finer than the resolution, amplitudes five
// significant digits of the fundamental's, shares two decimals.
TEST(SpectrumTextTest, TableDecimalsFollowResolutionAndFundamental) {
  struct Case {
    double resolution, a1;
    std::string unit;
    std::string table;
  };
  const Case cases[] = {
      {1, 10, "В", "№\tf, Гц\tA, В\t%\n1\t50,0\t10,000\t100,00\n2\t100,0\t1,250\t12,50\n"},
      {0.05, 0.2, "", "№\tf, Гц\tA\t%\n1\t50,000\t0,20000\t100,00\n2\t100,000\t0,02500\t12,50\n"},
      {250, 5000, "А", "№\tf, Гц\tA, А\t%\n1\t50\t5000,0\t100,00\n2\t100\t625,0\t12,50\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HarmonicTableText(Result(c.resolution, c.a1), c.unit, ','), c.table);
  }
}

TEST(SpectrumTextTest, SummaryNamesFundamentalThdDcAndWindow) {
  EXPECT_EQ(SpectrumSummaryText(Result(1.0 / 3, 10), "В", '.'),
            "Основная гармоника 50.00 Гц, 10.000 В; THD 12.35 %\n"
            "Постоянная составляющая -0.500 В\n"
            "Окно прямоугольное; 0.5…2 с, 3000 отсчётов по 2000 Гц; разрешение 0.333333 Гц\n");
  SpectrumResult flat = Result(1, 10);
  flat.harmonics.clear();
  flat.window = WindowFunction::Hann;
  EXPECT_EQ(SpectrumSummaryText(flat, "", ','),
            "Основной гармоники нет: сигнал постоянный\n"
            "Постоянная составляющая -0,50000\n"
            "Окно Хеннинга; 0,5…2 с, 3000 отсчётов по 2000 Гц; разрешение 1 Гц\n");
}

}  // namespace
}  // namespace tornel
