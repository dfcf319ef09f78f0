#include "core/device/asmcode.h"

#include <algorithm>
#include <atomic>

#include "core/device/null_device.h"

namespace tornel {
namespace {

NullDevice& BuiltInNullDevice() {
  static NullDevice device;
  return device;
}

// Set by the GUI thread, read by the scan thread.
std::atomic<Device*> activeDevice{nullptr};

}  // namespace

void SetActiveDevice(Device* device) { activeDevice.store(device, std::memory_order_release); }

Device& ActiveDevice() {
  Device* device = activeDevice.load(std::memory_order_acquire);
  return device ? *device : BuiltInNullDevice();
}

int16_t AcpRead(int16_t channel) { return ActiveDevice().Read(channel); }

int16_t ClampCapCode(int code) {
  return static_cast<int16_t>(std::clamp<int>(code, kCapMinCode, kCapMaxCode));
}

void CapWrite(int16_t channel, int16_t code) { ActiveDevice().Write(channel, ClampCapCode(code)); }

bool StendStartSignal() {
  Device& device = ActiveDevice();
  int sum = 0;
  for (int i = 0; i < 10; ++i) sum += device.Read(kStendStartChannel);
  return sum / 10 > 500;
}

}  // namespace tornel
