#pragma once

#include <array>
#include <string>

#include "core/device/device.h"

namespace tornel {

// The configuration without a device: every input reads 0; writes are only
// remembered, so that tests and the UI can see what would have been output.
class NullDevice final : public Device {
public:
  // `description` is what the status bar shows: "нет", or why there is no
  // device although one was configured.
  explicit NullDevice(std::string description = "нет");
  int16_t Read(int16_t channel) override;
  void Write(int16_t channel, int16_t code) override;
  // Nothing to fail; one call instead of two in the recording's loop.
  int16_t ReadChecked(int16_t channel) override { return Read(channel); }
  void WriteChecked(int16_t channel, int16_t code) override { Write(channel, code); }
  std::string Description() const override;

  // The last code written to DAC `channel` (0..15), 0 before any write.
  int16_t Held(int16_t channel) const;

private:
  std::array<int16_t, 16> held_{};
  std::string description_;
};

}  // namespace tornel
