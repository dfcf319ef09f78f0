#include "fake_device.h"

#include "core/device/device_error.h"
#include "fake_tick_clock.h"

namespace tornel::testing {
namespace {

bool IsAdc(int16_t channel) { return channel >= 0 && channel < 16; }

}  // namespace

FakeDevice::FakeDevice(const FakeTickClock* clock) : clock_(clock) {}

int16_t FakeDevice::Read(int16_t channel) {
  if (Failed()) return 0;
  ++readsDone_;
  if (readHook_) readHook_(channel);
  if (logReads_) readLog_.push_back(channel);
  if (!IsAdc(channel)) return 0;
  Script& script = scripts_[channel];
  uint64_t index = script.reads++;
  if (script.function) return script.function(index);
  const std::vector<int16_t>& values = script.values;
  if (index < values.size()) return values[index];
  return script.afterEnd == AfterEnd::HoldLast ? values.back() : values[index % values.size()];
}

void FakeDevice::Write(int16_t channel, int16_t code) {
  writes_.push_back({channel, code, clock_ ? clock_->Peek() : 0u});
}

bool FakeDevice::Failed() const { return failAfter_ && readsDone_ >= *failAfter_; }

int16_t FakeDevice::ReadChecked(int16_t channel) {
  if (Failed())
    throw DeviceError(description_ + ", АЦП " + std::to_string(channel + 1), failReason_);
  return Read(channel);
}

void FakeDevice::WriteChecked(int16_t channel, int16_t code) {
  if (Failed())
    throw DeviceError(description_ + ", ЦАП " + std::to_string(channel + 1), failReason_);
  Write(channel, code);
}

void FakeDevice::FailAfterReads(uint64_t goodReads, std::string reason) {
  failAfter_ = goodReads;
  failReason_ = std::move(reason);
}

void FakeDevice::SetConstant(int16_t channel, int16_t value) {
  SetSequence(channel, {value}, AfterEnd::HoldLast);
}

void FakeDevice::SetConstantAll(int16_t value) {
  for (int16_t ch = 0; ch < 16; ++ch) SetConstant(ch, value);
}

void FakeDevice::SetSequence(int16_t channel, std::vector<int16_t> values, AfterEnd afterEnd) {
  if (!IsAdc(channel)) return;
  if (values.empty()) values.push_back(0);
  Script& script = scripts_[channel];
  script.values = std::move(values);
  script.afterEnd = afterEnd;
  script.function = nullptr;
  script.reads = 0;
}

void FakeDevice::SetFunction(int16_t channel, std::function<int16_t(uint64_t)> function) {
  if (!IsAdc(channel)) return;
  scripts_[channel].function = std::move(function);
  scripts_[channel].reads = 0;
}

std::vector<FakeDevice::WriteEntry> FakeDevice::WritesTo(int16_t channel) const {
  std::vector<WriteEntry> result;
  for (const WriteEntry& entry : writes_)
    if (entry.channel == channel) result.push_back(entry);
  return result;
}

std::optional<int16_t> FakeDevice::LastCode(int16_t channel) const {
  for (auto it = writes_.rbegin(); it != writes_.rend(); ++it)
    if (it->channel == channel) return it->code;
  return std::nullopt;
}

uint64_t FakeDevice::ReadCount(int16_t channel) const {
  return IsAdc(channel) ? scripts_[channel].reads : 0;
}

uint64_t FakeDevice::TotalReads() const {
  uint64_t total = 0;
  for (const Script& script : scripts_) total += script.reads;
  return total;
}

}  // namespace tornel::testing
