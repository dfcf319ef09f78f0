#pragma once

#include <memory>
#include <string>

#include "core/device/device.h"

struct comedi_t_struct;

namespace tornel {

struct DeviceChoice;

// A real acquisition card through comedilib. ADC codes are scaled from the
// card's maxdata to a signed full range of about +-512; DAC codes 0..1023 to
// 0..maxdata. Inputs or outputs the card does not have read 0 and ignore
// writes.
class ComediDevice final : public Device {
public:
  // Opens the card `choice` names. Throws UserError with the device path and
  // the library's own error text when it cannot.
  static std::unique_ptr<ComediDevice> Open(const DeviceChoice& choice);
  ~ComediDevice() override;
  ComediDevice(const ComediDevice&) = delete;
  ComediDevice& operator=(const ComediDevice&) = delete;

  int16_t Read(int16_t channel) override;
  void Write(int16_t channel, int16_t code) override;
  std::string Description() const override;

private:
  struct Subdevice {
    int index = -1;
    int channels = 0;
    unsigned range = 0;
    unsigned aref = 0;
    unsigned maxdata = 0;
  };

  ComediDevice(comedi_t_struct* handle, std::string path, Subdevice input, Subdevice output);

  comedi_t_struct* handle_;
  std::string path_;
  Subdevice input_;
  Subdevice output_;
};

// Whether comedilib was found when the program was built.
bool ComediAvailable();

}  // namespace tornel
