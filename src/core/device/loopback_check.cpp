#include "core/device/loopback_check.h"

#include <algorithm>
#include <cmath>

#include "core/device/asmcode.h"
#include "core/text/number_text.h"

namespace tornel {
namespace {

// Puts the DAC back at its zero code on the way out, also after a failure.
class ZeroOnExit {
public:
  ZeroOnExit(Device& device, int16_t dac, int16_t zeroCode)
      : device_(device), dac_(dac), zeroCode_(zeroCode) {}
  ~ZeroOnExit() { CapWrite(device_, dac_, zeroCode_); }
  ZeroOnExit(const ZeroOnExit&) = delete;
  ZeroOnExit& operator=(const ZeroOnExit&) = delete;

private:
  Device& device_;
  int16_t dac_;
  int16_t zeroCode_;
};

void FitLine(LoopbackResult& result) {
  double n = static_cast<double>(result.points.size());
  double meanX = 0.0, meanY = 0.0;
  for (const LoopbackPoint& p : result.points) {
    meanX += p.dacCode / n;
    meanY += p.reading / n;
  }
  double sxy = 0.0, sxx = 0.0;
  for (const LoopbackPoint& p : result.points) {
    sxy += (p.dacCode - meanX) * (p.reading - meanY);
    sxx += (p.dacCode - meanX) * (p.dacCode - meanX);
  }
  result.slope = sxy / sxx;
  result.intercept = meanY - result.slope * meanX;
  result.maxDeviation = 0.0;
  for (LoopbackPoint& p : result.points) {
    p.deviation = p.reading - (result.slope * p.dacCode + result.intercept);
    result.maxDeviation = std::max(result.maxDeviation, std::abs(p.deviation));
  }
}

std::string Fixed(double value, int decimals) { return FormatFixed(value, decimals, ','); }

std::string Column(const std::string& text, std::size_t width) {
  // Widths count bytes: every text here is ASCII.
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

LoopbackResult RunLoopbackCheck(Device& device, TickClock& clock, int16_t dac, int16_t adc,
                                int16_t zeroCode) {
  ZeroOnExit zero(device, dac, zeroCode);
  LoopbackResult result;
  for (std::size_t i = 0; i < kLoopbackLevels.size(); ++i) {
    LoopbackPoint& point = result.points[i];
    point.dacCode = kLoopbackLevels[i];
    device.WriteChecked(dac, point.dacCode);
    uint32_t start = clock.Now();
    while (TicksSince(start, clock.Now()) < kLoopbackSettleMs) {
    }
    double sum = 0.0;
    for (int r = 0; r < kLoopbackReads; ++r) sum += device.ReadChecked(adc);
    point.reading = sum / kLoopbackReads;
  }
  FitLine(result);
  return result;
}

std::string DescribeLoopbackCheck(const LoopbackResult& result, int16_t dac, int16_t adc) {
  const std::string dacName = "ЦАП " + std::to_string(dac + 1);
  const std::string adcName = "АЦП " + std::to_string(adc + 1);
  std::string text = "Код " + dacName + " и показание " + adcName + " (среднее из " +
                     std::to_string(kLoopbackReads) + " отсчётов), отклонение от прямой:\n";
  for (const LoopbackPoint& p : result.points) {
    text += Column(std::to_string(p.dacCode), 8) + Column(Fixed(p.reading, 1), 10) +
            Column(Fixed(p.deviation, 1), 10) + "\n";
  }
  std::string sign = result.intercept < 0 ? " − " : " + ";
  text += "Прямая: " + adcName + " = " + Fixed(result.slope, 4) + " × код" + sign +
          Fixed(std::abs(result.intercept), 1) + "\n";
  text += "Наибольшее отклонение: " + Fixed(result.maxDeviation, 1) + " (допустимо " +
          Fixed(kLoopbackTolerance, 1) + ")\n";
  if (result.Passed()) {
    text += "Исправно: " + adcName + " следует за " + dacName + " по прямой\n";
  } else if (result.slope < kLoopbackMinSlope) {
    text += "Неисправно: " + adcName + " не следует за " + dacName + ". Проверьте, что выход " +
            dacName + " соединён со входом " + adcName + "\n";
  } else {
    text +=
        "Неисправно: показания отходят от прямой. Проверьте диапазоны АЦП и ЦАП (вход не "
        "должен насыщаться) и соединение\n";
  }
  return text;
}

}  // namespace tornel
