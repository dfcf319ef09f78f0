#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/device/asmcode.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel::testing {

class FakeTickClock;

// A device with scripted inputs that logs every output. Each ADC channel reads
// a constant (0 unless set), a sequence (repeated from its start when it runs
// out, or holding its last value), or a function of how many times that
// channel has been read before. Channels outside 0..15 read 0.
class FakeDevice final : public Device {
public:
  struct WriteEntry {
    int16_t channel;
    int16_t code;
    uint32_t tick;  // the clock's Peek() at the write, 0 without a clock
    bool operator==(const WriteEntry&) const = default;
  };
  enum class AfterEnd { Repeat, HoldLast };

  // `clock` (optional, not owned) stamps the write log.
  explicit FakeDevice(const FakeTickClock* clock = nullptr);

  int16_t Read(int16_t channel) override;
  void Write(int16_t channel, int16_t code) override;
  int16_t ReadChecked(int16_t channel) override;
  void WriteChecked(int16_t channel, int16_t code) override;
  std::string Description() const override { return description_; }

  // After `goodReads` reads (of any channel) the device fails as an unplugged
  // card does: Read gives 0, the checked operations throw DeviceError with
  // `reason`. Writes are still logged, so a test sees what was attempted.
  void FailAfterReads(uint64_t goodReads, std::string reason);

  void SetConstant(int16_t channel, int16_t value);
  void SetConstantAll(int16_t value);
  void SetSequence(int16_t channel, std::vector<int16_t> values,
                   AfterEnd afterEnd = AfterEnd::Repeat);
  void SetFunction(int16_t channel, std::function<int16_t(uint64_t readIndex)> function);
  // Called on every read before the value is produced, e.g. to advance a
  // fake clock per conversion.
  void SetReadHook(std::function<void(int16_t channel)> hook) { readHook_ = std::move(hook); }
  void SetDescription(std::string text) { description_ = std::move(text); }
  // Keep the order of channels read (off by default: long loops read a lot).
  void SetLogReads(bool on) { logReads_ = on; }

  const std::vector<WriteEntry>& Writes() const { return writes_; }
  std::vector<WriteEntry> WritesTo(int16_t channel) const;
  // The code last written to `channel`, if any.
  std::optional<int16_t> LastCode(int16_t channel) const;
  void ClearWrites() { writes_.clear(); }
  uint64_t ReadCount(int16_t channel) const;
  uint64_t TotalReads() const;
  const std::vector<int16_t>& ReadLog() const { return readLog_; }

private:
  struct Script {
    std::vector<int16_t> values{0};
    AfterEnd afterEnd = AfterEnd::Repeat;
    std::function<int16_t(uint64_t)> function;
    uint64_t reads = 0;
  };

  const FakeTickClock* clock_;
  std::array<Script, 16> scripts_;
  std::function<void(int16_t)> readHook_;
  std::vector<WriteEntry> writes_;
  std::vector<int16_t> readLog_;
  bool Failed() const;

  bool logReads_ = false;
  std::string description_ = "тестовое устройство";
  std::optional<uint64_t> failAfter_;
  std::string failReason_;
  uint64_t readsDone_ = 0;
};

}  // namespace tornel::testing
