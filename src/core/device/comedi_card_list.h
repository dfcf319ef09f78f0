#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/device/comedi_card_info.h"

namespace tornel {

// What a card's device file holds; throws UserError, naming the file, when it
// cannot be opened.
using ComediCardProbe = std::function<ComediCardInfo(const std::string& path)>;

// The comedi device files in `folder` ("comedi" and a number, as udev names
// them), in the order of their numbers. None when the folder cannot be read.
std::vector<std::string> FindComediDeviceFiles(const std::string& folder);

// One block per device file in `folder` (DescribeComediCard), the probe's
// message for a card that does not open, or "Платы сбора данных не
// найдены" when there is none.
std::string ListComediCards(const std::string& folder, const ComediCardProbe& probe);

}  // namespace tornel
