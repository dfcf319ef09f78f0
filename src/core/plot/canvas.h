#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/config/color_names.h"

namespace tornel {

enum class PenStyle : uint8_t { Solid, Dotted };
// Invert draws by inverting the pixels under the line, so drawing the same
// line twice erases it (rubber bands of the editors).
enum class PenMode : uint8_t { Copy, Invert };

struct Pen {
  Color color = 0;  // 0x00BBGGRR
  int width = 1;    // device units
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;
  bool operator==(const Pen&) const = default;
};

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Point&) const = default;
};

// Edges in device units; right and bottom lie just outside, as in the
// window system's rectangles.
struct PlotRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const PlotRect&) const = default;
};

struct TextSize {
  int cx = 0;
  int cy = 0;
};

// The drawing surface of the plot engine: what it needs and nothing more.
// Text is UTF-8 in the canvas's current font.
class Canvas {
public:
  virtual ~Canvas() = default;

  virtual Pen GetPen() const = 0;
  virtual void SetPen(const Pen& pen) = 0;
  // Both end points in the current pen.
  virtual void Line(int x0, int y0, int x1, int y1) = 0;
  virtual void Polyline(std::span<const Point> points) = 0;
  // Single line of text whose top-left corner is (x, y).
  virtual void TextOut(int x, int y, std::string_view text, Color color) = 0;
  virtual TextSize TextExtent(std::string_view text) = 0;
  // Drawing outside the rectangle is cut off until ClearClip.
  virtual void SetClipRect(const PlotRect& rect) = 0;
  virtual void ClearClip() = 0;
  // A printer gets everything in black.
  virtual bool IsPrinter() const = 0;
};
}  // namespace tornel
