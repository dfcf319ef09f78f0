#pragma once

#include <array>
#include <optional>

#include "core/scheme/connect_line.h"
#include "core/scheme/scheme_geometry.h"

namespace tornel {

using LinePath = std::array<Point, 6>;

// The 6-point orthogonal polyline from an output at `start` to an input at
// `end`. The orientation of the two blocks picks the shape (a destination
// not yet chosen counts as not rotated); lines that must turn back keep 12
// pixels clear of the ports. Nothing when the two ends coincide.
std::optional<LinePath> RouteLine(Point start, Point end, bool sourceRotated, bool destRotated);

// The two ends of a line in scheme coordinates: its source's output port
// and its destination's input port, or the free end while it is dragged.
Point LineStart(const TConnectLine& line);
Point LineEnd(const TConnectLine& line);

// RouteLine over the line's current ends.
std::optional<LinePath> RouteLine(const TConnectLine& line);

}  // namespace tornel
