#pragma once

#include <string>

#include "core/text/user_error.h"

namespace tornel {

// The acquisition card failed: what() is "Ошибка платы сбора данных", where
// and the driver's reason, ready for the user.
class DeviceError : public UserError {
public:
  // `where` names the card and the channel ("/dev/comedi0, АЦП 3").
  DeviceError(const std::string& where, const std::string& reason)
      : UserError("Ошибка платы сбора данных (" + where + "): " + reason) {}
};

}  // namespace tornel
