#pragma once

#include "core/graph/print_layout.h"

// The page that printing lays graphs and tables out on, in millimetres, as the
// page setup dialog leaves it. Landscape A4 with a wide left margin for
// binding at start.
struct PageSetupValues : tornel::PaperSetup {
  PageSetupValues() : tornel::PaperSetup{296.90, 210.00, 45.00, 10.00, 30.00, 10.00} {}

  static constexpr double kMinMarginLeft = 0.0;
  static constexpr double kMinMarginRight = 0.01;
  static constexpr double kMinMarginTop = 0.0;
  static constexpr double kMinMarginBottom = 0.0;

  // The margins leave some paper to print on.
  bool LeavesPrintableArea() const {
    return MarginLeft + MarginRight < PaperWidth && MarginTop + MarginBottom < PaperHeight;
  }
  bool operator==(const PageSetupValues&) const = default;
};
