#include "core/scheme/block.h"

#include <cstdlib>

namespace tornel {
namespace {

constexpr int kStrip = 7;
constexpr int kPortReach = 5;
constexpr int kPortInset = 5;

int FirstPortHit(const std::array<Point, kMaxInputs>& ports, int count, int y) {
  for (int i = 0; i < count; ++i) {
    if (std::abs(y - ports[i].y) < kPortReach) return i;
  }
  return -1;
}

}  // namespace

void TBlock::Rotate() {
  Rotated = !Rotated;
  PlacePorts();
}

void TBlock::PlacePorts() {
  const int inX = Rotated ? Width - 1 : kPortInset;
  const int outX = Rotated ? kPortInset : Width - 1;
  for (int i = 0; i < InCount; ++i) InPort[i].x = inX;
  for (int k = 0; k < OutCount; ++k) OutPort[k].x = outX;
}

BlockHit TBlock::HitTest(Point p) const {
  const bool leftPorts = Rotated ? HasOutputs : HasInputs;
  const bool rightPorts = Rotated ? HasInputs : HasOutputs;
  const int bodyLeft = leftPorts ? kStrip : 0;
  const int bodyRight = rightPorts ? Width - kStrip : Width;
  if (p.x > bodyLeft && p.x < bodyRight) return {BlockHit::Area::Body, -1};
  const bool left = p.x < kStrip;
  const bool right = p.x > Width - kStrip;
  if ((left && !Rotated) || (right && Rotated)) {
    if (!HasInputs) return {};
    return {BlockHit::Area::InputStrip, FirstPortHit(InPort, InCount, p.y)};
  }
  if ((right && !Rotated) || (left && Rotated)) {
    if (!HasOutputs) return {};
    std::array<Point, kMaxInputs> outs{};
    for (int k = 0; k < OutCount; ++k) outs[k] = OutPort[k];
    return {BlockHit::Area::OutputStrip, FirstPortHit(outs, OutCount, p.y)};
  }
  return {};
}

Point TBlock::InputPoint(int input) const {
  return {Left + InPort[input].x, Top + InPort[input].y};
}

Point TBlock::OutputPoint(int output) const {
  return {Left + OutPort[output].x, Top + OutPort[output].y};
}

}  // namespace tornel
