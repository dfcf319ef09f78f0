#pragma once

#include <string>
#include <vector>

#include "core/plot/canvas.h"

namespace tornel::testing {

// A canvas that keeps every call, with text metrics simple enough to work
// out by hand: each character is 6 units wide, every line 10 high.
class RecordingCanvas : public Canvas {
public:
  enum class Kind { Line, Polyline, Text, Clip, Unclip };
  struct Op {
    Kind kind;
    Pen pen;                    // the pen at the time of the call
    std::vector<Point> points;  // Line: both ends; Text: the corner
    std::string text;
    Color color = 0;  // of a text
    PlotRect clip;
  };

  static constexpr int kCharWidth = 6;
  static constexpr int kLineHeight = 10;
  // Not a pen the engine would choose, so a pen left behind shows.
  static constexpr Pen kOwnPen{0x123456, 3, PenStyle::Dotted, PenMode::Invert};

  explicit RecordingCanvas(bool printer = false) : printer_(printer) {}

  Pen GetPen() const override { return pen_; }
  void SetPen(const Pen& pen) override { pen_ = pen; }
  void Line(int x0, int y0, int x1, int y1) override;
  void Polyline(std::span<const Point> points) override;
  void TextOut(int x, int y, std::string_view text, Color color) override;
  TextSize TextExtent(std::string_view text) override;
  void SetClipRect(const PlotRect& rect) override;
  void ClearClip() override;
  bool IsPrinter() const override { return printer_; }

  const std::vector<Op>& Ops() const { return ops_; }
  std::vector<Op> OfKind(Kind kind) const;
  std::vector<std::string> Texts() const;
  // The lines drawn in the given pen style and width.
  std::vector<Op> LinesIn(PenStyle style, int width) const;
  void Clear() { ops_.clear(); }

private:
  bool printer_;
  Pen pen_ = kOwnPen;
  std::vector<Op> ops_;
};

}  // namespace tornel::testing
