#include "core/scheme/line_routing.h"

#include "core/scheme/block.h"

namespace tornel {
namespace {

constexpr int kClearance = 12;

}  // namespace

std::optional<LinePath> RouteLine(Point start, Point end, bool s, bool d) {
  if (start == end) return std::nullopt;
  const int xs = start.x, ys = start.y, xe = end.x, ye = end.y;
  const int m = (xs + xe) / 2;
  const int ym = (ys + ye) / 2;
  int x1 = 0;  // the first vertical
  int c = 0;   // the last vertical
  bool detour = false;
  if (xe < xs) {
    if (s && d) {
      x1 = c = m;
    } else if (s) {
      x1 = c = xe - kClearance;
    } else if (d) {
      x1 = c = xs + kClearance;
    } else {
      x1 = xs + kClearance;
      c = xe - kClearance;
      detour = true;
    }
  } else {
    if (!s && d) {
      x1 = c = xe + kClearance;
    } else if (!s) {
      x1 = c = m;
    } else if (!d) {
      x1 = c = xs - kClearance;
    } else {
      x1 = xs - kClearance;
      c = xe + kClearance;
      detour = true;
    }
  }
  const Point p1{x1, ys};
  const Point p2 = detour ? Point{x1, ym} : Point{x1, ye};
  const Point p3 = detour ? Point{c, ym} : p2;
  return LinePath{start, p1, p2, p3, Point{c, ye}, end};
}

Point LineStart(const TConnectLine& line) { return line.Source->OutputPoint(line.SourceOutput); }

Point LineEnd(const TConnectLine& line) {
  return line.Dest ? line.Dest->InputPoint(line.DestInput) : line.EndPt;
}

std::optional<LinePath> RouteLine(const TConnectLine& line) {
  return RouteLine(LineStart(line), LineEnd(line), line.Source->Rotated,
                   line.Dest != nullptr && line.Dest->Rotated);
}

}  // namespace tornel
