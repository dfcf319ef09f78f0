#pragma once

// The page that printing lays graphs and tables out on, in millimetres, as the
// page setup dialog leaves it. Landscape A4 with a wide left margin for
// binding at start.
struct PageSetupValues {
  double PaperWidth = 296.90;
  double PaperHeight = 210.00;
  double MarginLeft = 45.00;
  double MarginRight = 10.00;
  double MarginTop = 30.00;
  double MarginBottom = 10.00;

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
