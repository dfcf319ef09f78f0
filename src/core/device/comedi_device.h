#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/device/device.h"

struct comedi_t_struct;

namespace tornel {

struct DeviceChoice;

// A real acquisition card through comedilib. ADC codes are scaled from the
// card's maxdata to a signed full range of about +-512; DAC codes 0..1023 to
// 0..maxdata. Inputs the card does not have read 0; writes to outputs it does
// not have are dropped.
class ComediDevice final : public Device {
public:
  // Opens the card `choice` names. Throws UserError with the device path and
  // the library's own error text when it cannot. A card without analog
  // outputs still opens when no output subdevice was configured; `notice`
  // then tells the user that the DACs do nothing.
  static std::unique_ptr<ComediDevice> Open(const DeviceChoice& choice,
                                            std::string* notice = nullptr);
  ~ComediDevice() override;
  ComediDevice(const ComediDevice&) = delete;
  ComediDevice& operator=(const ComediDevice&) = delete;

  int16_t Read(int16_t channel) override;
  void Write(int16_t channel, int16_t code) override;
  std::string Description() const override;

private:
  struct Subdevice {
    int index = -1;
    int channels = 0;  // at most 16 are used
    unsigned range = 0;
    unsigned aref = 0;
    std::array<uint32_t, 16> maxdata{};
  };

  ComediDevice(comedi_t_struct* handle, std::string path, Subdevice input, Subdevice output);

  comedi_t_struct* handle_;
  std::string path_;
  Subdevice input_;
  Subdevice output_;
};

}  // namespace tornel
