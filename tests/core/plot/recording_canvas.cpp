#include "recording_canvas.h"

namespace tornel::testing {

void RecordingCanvas::Line(int x0, int y0, int x1, int y1) {
  ops_.push_back({Kind::Line, pen_, {{x0, y0}, {x1, y1}}, {}, 0, {}});
}

void RecordingCanvas::Polyline(std::span<const Point> points) {
  ops_.push_back({Kind::Polyline, pen_, {points.begin(), points.end()}, {}, 0, {}});
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text, Color color) {
  ops_.push_back({Kind::Text, pen_, {{x, y}}, std::string(text), color, {}});
}

TextSize RecordingCanvas::TextExtent(std::string_view text) {
  int chars = 0;
  for (unsigned char c : text) chars += (c & 0xC0) != 0x80;  // UTF-8 lead bytes
  return {chars * kCharWidth, kLineHeight};
}

void RecordingCanvas::SetClipRect(const PlotRect& rect) {
  ops_.push_back({Kind::Clip, pen_, {}, {}, 0, rect});
}

void RecordingCanvas::ClearClip() { ops_.push_back({Kind::Unclip, pen_, {}, {}, 0, {}}); }

std::vector<RecordingCanvas::Op> RecordingCanvas::OfKind(Kind kind) const {
  std::vector<Op> out;
  for (const Op& op : ops_) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> out;
  for (const Op& op : OfKind(Kind::Text)) out.push_back(op.text);
  return out;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::LinesIn(PenStyle style, int width) const {
  std::vector<Op> out;
  for (const Op& op : OfKind(Kind::Line)) {
    if (op.pen.style == style && op.pen.width == width) out.push_back(op);
  }
  return out;
}

}  // namespace tornel::testing
