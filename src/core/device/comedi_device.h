#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/device/comedi_card_info.h"
#include "core/device/device.h"

struct comedi_t_struct;

namespace tornel {

struct DeviceChoice;

// A real acquisition card through comedilib. ADC codes are scaled from the
// card's maxdata to a signed full range of about +-512; DAC codes 0..1023 to
// 0..maxdata (comedi_scaling.h). Channels the card lacks are never asked
// for: Read gives 0 and Write drops the code, the checked operations throw.
class ComediDevice final : public Device {
public:
  // Opens the card `choice` names. Throws UserError with the device path and
  // the library's own error text when it cannot, or when the card has no
  // analog inputs. What the user should know about a card that opened (no
  // analog outputs, fewer channels than the bench has) goes to `notice`.
  static std::unique_ptr<ComediDevice> Open(const DeviceChoice& choice,
                                            std::string* notice = nullptr);
  // What the card at `path` offers, every analog subdevice with the ranges of
  // its first channel; the card is closed again. Throws as Open does.
  static ComediCardInfo Probe(const std::string& path);
  ~ComediDevice() override;
  ComediDevice(const ComediDevice&) = delete;
  ComediDevice& operator=(const ComediDevice&) = delete;

  // 0 for a conversion that failed.
  int16_t Read(int16_t channel) override;
  void Write(int16_t channel, int16_t code) override;
  // DeviceError with the library's reason, or for a channel the card lacks.
  int16_t ReadChecked(int16_t channel) override;
  void WriteChecked(int16_t channel, int16_t code) override;
  // "comedi /dev/comedi0 (board)".
  std::string Description() const override;

private:
  struct Subdevice {
    int index = -1;
    int channels = 0;  // at most 16 are used
    unsigned range = 0;
    unsigned aref = 0;
    std::array<uint32_t, 16> maxdata{};
  };

  ComediDevice(comedi_t_struct* handle, std::string path, std::string board, Subdevice input,
               Subdevice output);
  bool Convert(int16_t channel, int16_t& code);
  bool Output(int16_t channel, int16_t code);
  std::string Where(const char* kind, int16_t channel) const;

  comedi_t_struct* handle_;
  std::string path_;
  std::string board_;
  Subdevice input_;
  Subdevice output_;
};

}  // namespace tornel
