#pragma once

#include <QColor>

#include "core/config/color_names.h"

namespace tornel {

// The colour a stored 0x00BBGGRR value is drawn in, system colours and
// "clNone" included (see DisplayColor).
QColor ToQColor(Color color);

}  // namespace tornel
