#include "core/device/null_device.h"

#include <utility>

namespace tornel {

NullDevice::NullDevice(std::string description) : description_(std::move(description)) {}

int16_t NullDevice::Read(int16_t) { return 0; }

void NullDevice::Write(int16_t channel, int16_t code) {
  if (channel >= 0 && channel < static_cast<int16_t>(held_.size())) held_[channel] = code;
}

std::string NullDevice::Description() const { return description_; }

int16_t NullDevice::Held(int16_t channel) const {
  return channel >= 0 && channel < static_cast<int16_t>(held_.size()) ? held_[channel] : 0;
}

}  // namespace tornel
