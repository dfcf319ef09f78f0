#pragma once

#include <cstdint>
#include <string>

namespace tornel {

// One acquisition backend: the bench's 16 ADC inputs and its DAC outputs.
// Called from one thread at a time (the GUI thread, or the scan thread while
// the GUI thread waits for it), so implementations need no lock. Read and
// Write report no errors: a read always yields a code.
class Device {
public:
  virtual ~Device() = default;
  // One conversion of ADC input `channel` (0..15): a raw signed code, 511
  // standing for the channel's Base. Other channels read 0.
  virtual int16_t Read(int16_t channel) = 0;
  // Outputs `code` (already clamped to 0..1023) on DAC `channel` and holds it
  // until the next write.
  virtual void Write(int16_t channel, int16_t code) = 0;
  // As Read and Write, but a device that can fail (a real card) throws
  // DeviceError with its reason instead of reading 0 or dropping the code.
  // A recording uses these, so that a card unplugged mid-run stops it rather
  // than filling the record with zeros.
  virtual int16_t ReadChecked(int16_t channel) { return Read(channel); }
  virtual void WriteChecked(int16_t channel, int16_t code) { Write(channel, code); }
  // What the status bar shows, so that a recording made on the model is never
  // taken for a real one: "модель стенда", "нет", "comedi /dev/comedi0".
  virtual std::string Description() const = 0;
};

}  // namespace tornel
