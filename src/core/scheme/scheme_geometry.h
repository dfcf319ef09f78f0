#pragma once

namespace tornel {

// Pixel coordinates of the scheme's drawing area (or, for ports, of a block).
struct Point {
  int X = 0;
  int Y = 0;
  bool operator==(const Point&) const = default;
};

// Left, top, right, bottom; right and bottom lie outside.
struct Rect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const Rect&) const = default;

  bool Intersects(const Rect& other) const {
    return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
  }
};

}  // namespace tornel
