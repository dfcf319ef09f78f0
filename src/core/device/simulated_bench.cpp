#include "core/device/simulated_bench.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tornel {
namespace {

// A 0.75 kW induction motor on a frequency converter whose DC link follows
// the frequency, loaded by a machine that develops the torque DAC 1 asks for.
constexpr double kRatedFrequency = 50.0;  // Hz at reference 1
constexpr double kPolePairs = 2.0;
constexpr double kRatedSpeed = 2.0 * std::numbers::pi * kRatedFrequency / kPolePairs;
constexpr double kFullLoadTorque = 5.0;          // N*m at load reference 1
constexpr double kSpeedDroop = 1.57;             // rad/s per N*m (5 % slip at 5 N*m)
constexpr double kSpeedTimeConstant = 0.2;       // s
constexpr double kInertia = 0.0127;              // kg*m^2
constexpr double kPhaseVoltage = 210.0;          // V amplitude at reference 1
constexpr double kMagnetisingCurrent = 2.0;      // A rms once the flux is up
constexpr double kActiveCurrentPerTorque = 0.5;  // A rms per N*m
constexpr double kDcLinkVoltage = 200.0;         // V at reference 1
constexpr double kEfficiency = 0.82;
constexpr double kNoLoadLoss = 0.04;  // kW at reference 1
constexpr double kMainsCurrentPerKw = 1000.0 / (1.7320508 * 380.0 * 0.95);

// The default Base of each input: the value a code of 511 stands for.
constexpr std::array<double, 16> kBase = {15, 220, 15, 220, 100, 188, 25, 1,
                                          1,  20,  1,  1,   1,   1,   1,  1};
// Every input's own small zero error, in codes.
constexpr std::array<double, 16> kZeroError = {7.3,  -5.4, 4.6,  -8.7, 3.2,  6.4, -4.3, 7.6,
                                               -6.3, 5.4,  -7.7, 8.4,  -3.4, 6.3, -6.6, -4.4};

// The state keeps what each input reads in 1/256 of a code; noise of about
// +-3 codes added before the conversion rounds acts as dither, so the mean
// of many reads is the analogue value, fraction included.
constexpr int kFractionBits = 8;

enum Input { kIca, kUca, kIpbc, kUpbc, kF1, kW, kM, kP1, kP2, kIp, kStart = 15 };

constexpr double kTwoPi = 2.0 * std::numbers::pi;

int Code(int input, double value) {
  double codes = std::clamp(value / kBase[input] * 511.0 + kZeroError[input], -4096.0, 4096.0);
  return static_cast<int>(std::lround(codes * (1 << kFractionBits)));
}

}  // namespace

SimulatedBench::SimulatedBench(TickClock& clock, uint32_t seed)
    : clock_(clock), noise_(seed ? seed : 0x9E3779B9u), lastTick_(clock.Now()) {
  Advance(lastTick_);
}

int16_t SimulatedBench::Read(int16_t channel) {
  if (channel < 0 || channel >= 16) return 0;
  if (conversion_.count() > 0) Convert();
  uint32_t now = clock_.Now();
  if (now != lastTick_) Advance(now);
  // A 10-bit converter: -512..511.
  int code = (code_[channel] + Noise() + (1 << (kFractionBits - 1))) >> kFractionBits;
  return static_cast<int16_t>(std::clamp(code, -512, 511));
}

void SimulatedBench::Write(int16_t channel, int16_t code) {
  if (channel >= 0 && channel < 2) capCode_[channel] = code;
}

std::string SimulatedBench::Description() const { return "модель стенда"; }

void SimulatedBench::SetStartButton(bool pressed) {
  startPressed_.store(pressed, std::memory_order_relaxed);
}

bool SimulatedBench::StartButton() const { return startPressed_.load(std::memory_order_relaxed); }

void SimulatedBench::SetCapZeroCodes(int16_t loadZero, int16_t referenceZero) {
  capZero_ = {loadZero, referenceZero};
}

void SimulatedBench::SetConversionTime(std::chrono::nanoseconds time) {
  conversion_ = std::max(time, std::chrono::nanoseconds(0));
}

// A conversion starts when the previous one is done and holds the caller for
// its whole duration, as a polled converter does.
void SimulatedBench::Convert() {
  auto now = std::chrono::steady_clock::now();
  ready_ = std::max(now, ready_) + conversion_;
  while (std::chrono::steady_clock::now() < ready_) {
  }
}

// Triangular noise within +-3 codes (in 1/256 of a code) from xorshift32.
int SimulatedBench::Noise() {
  uint32_t x = noise_;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  noise_ = x;
  return 3 * (static_cast<int>(x >> 24) - static_cast<int>((x >> 16) & 0xFFu));
}

void SimulatedBench::Advance(uint32_t now) {
  double dt = TicksSince(lastTick_, now) / 1000.0;
  lastTick_ = now;

  double reference = (capCode_[1] - capZero_[1]) / 511.0;
  double loadTorque = kFullLoadTorque * (capCode_[0] - capZero_[0]) / 511.0;
  double frequency = kRatedFrequency * reference;
  double synchronous = kTwoPi * frequency / kPolePairs;
  double target = synchronous - kSpeedDroop * loadTorque;

  // The speed loop is a first-order lag, solved exactly over the step.
  speed_ = target + (speed_ - target) * std::exp(-dt / kSpeedTimeConstant);
  double torque = loadTorque + kInertia * (target - speed_) / kSpeedTimeConstant;
  phase_ = std::fmod(phase_ + kTwoPi * frequency * dt, kTwoPi);

  double magnitude = std::abs(reference);
  double sign = reference < 0 ? -1.0 : 1.0;
  double magnetising = kMagnetisingCurrent * std::min(1.0, 5.0 * magnitude);
  double active = kActiveCurrentPerTorque * torque * sign;
  double shaftPower = torque * speed_ / 1000.0;  // kW
  double inputPower = shaftPower >= 0 ? shaftPower / kEfficiency : shaftPower * kEfficiency;
  inputPower += kNoLoadLoss * std::min(1.0, magnitude);
  // The link follows the frequency, and the motor's own voltage while it
  // brakes faster than the reference falls.
  double dcVoltage = kDcLinkVoltage * std::max(magnitude, std::abs(speed_) / kRatedSpeed);

  code_[kIca] = Code(
      kIca, std::numbers::sqrt2 * (active * std::sin(phase_) - magnetising * std::cos(phase_)));
  code_[kUca] = Code(kUca, kPhaseVoltage * magnitude * std::sin(phase_));
  code_[kIpbc] = Code(kIpbc, inputPower * 1000.0 / std::max(dcVoltage, 20.0));
  code_[kUpbc] = Code(kUpbc, dcVoltage);
  code_[kF1] = Code(kF1, frequency);
  code_[kW] = Code(kW, speed_);
  code_[kM] = Code(kM, torque);
  code_[kP1] = Code(kP1, inputPower);
  code_[kP2] = Code(kP2, shaftPower);
  code_[kIp] = Code(kIp, std::abs(inputPower) * kMainsCurrentPerKw);
  for (int input = kIp + 1; input < kStart; ++input) code_[input] = Code(input, 0.0);
  code_[kStart] = Code(kStart, StartButton() ? 1.0 : 0.0);
}

}  // namespace tornel
