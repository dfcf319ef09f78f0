#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/device/comedi_card_list.h"
#include "core/device/device.h"
#include "core/device/device_selection.h"
#include "core/device/tick_clock.h"

namespace tornel::cli {

// What the device command reaches outside itself; tests put fakes here.
struct DeviceCommandSystem {
  // Where the card files are, and what one of them holds.
  std::string folder = "/dev";
  ComediCardProbe probe;
  // Opens the card to test; its notices go to the string.
  std::function<std::unique_ptr<Device>(const DeviceChoice&, std::string*)> open;
  // The system's millisecond clock when null.
  TickClock* clock = nullptr;
};

// The system's cards, clock and comedilib.
DeviceCommandSystem RealDeviceSystem();

// tornel-tool device --list
//   one block per /dev/comedi*: board, driver, analog inputs and outputs with
//   their channels, maxdata and ranges, or "Платы сбора данных не найдены";
//   exit 0 either way.
// tornel-tool device --test /dev/comediN [--config INI]
//   with DAC 1 wired to ADC 1, steps DAC 1 through a few levels, reads ADC 1
//   at each and prints the readings and their deviation from a straight line;
//   exit 0 when the card passes, 1 when it does not or cannot be opened. The
//   configuration gives the subdevices, ranges and DAC 1's zero code, where
//   the output is left.
int DeviceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const DeviceCommandSystem& system = RealDeviceSystem());

}  // namespace tornel::cli
