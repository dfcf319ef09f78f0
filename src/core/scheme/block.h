#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/records/graph_record.h"
#include "core/scheme/block_kind.h"
#include "core/scheme/scheme_geometry.h"

namespace tornel {

struct TConnectLine;

// Where a point in block coordinates falls.
struct BlockHit {
  enum class Area { Body, InputStrip, OutputStrip, None };
  Area Where = Area::None;
  // The port hit in that strip, or -1 when the point lies between ports.
  int Port = -1;
};

// One block of a scheme. Its kind fixes counts, sides, group and defaults
// (BlockFactory makes blocks); the connection fields are kept by Scheme so
// that a line's invariants always hold: InLine[i] is the line into input i
// (InConnected[i] exactly when it is set), OutLineCount[k] counts every line
// leaving output k, the one being dragged included, and OutConnected[k] is
// OutLineCount[k] > 0.
class TBlock {
public:
  TBlock() = default;
  TBlock(const TBlock&) = delete;
  TBlock& operator=(const TBlock&) = delete;

  bool Selected = false;
  // Mirrored: inputs on the right edge, outputs on the left.
  bool Rotated = false;
  bool HasInputs = false;
  bool HasOutputs = false;
  std::array<bool, kMaxInputs> InConnected{};
  std::array<bool, kMaxOutputs> OutConnected{};
  std::array<int32_t, kMaxOutputs> OutLineCount{};
  int32_t OutCount = 0;
  int32_t InCount = 0;
  std::array<TConnectLine*, kMaxInputs> InLine{};
  std::array<Point, kMaxOutputs> OutPort{};
  std::array<Point, kMaxInputs> InPort{};
  std::array<std::string, 2> LabelLine;
  std::array<double, 3> Params{1.0, 1.0, 1.0};
  std::array<std::string, 3> ParamNames;
  int8_t Group = 0;
  int8_t Kind = 0;
  // The sum's sign of input 1: set is plus.
  bool Option = false;
  // The device blocks' channel, 0-based.
  int32_t Channel = 0;
  std::string Hint;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  // The graph block fills the drawing area. Its bounds stay those it goes
  // back to, so the file, undo and the lines see them unchanged.
  bool Maximised = false;
  // The graph block's record and its sample file; null for other kinds.
  std::unique_ptr<TGraphRecord> Record;

  PlotRect Bounds() const { return {Left, Top, Left + Width, Top + Height}; }
  bool CanRotate() const { return HasInputs && HasOutputs; }

  // Mirrors the block and moves its ports to the other edges.
  void Rotate();
  // The x of every port from Rotated and Width; y values stay.
  void PlacePorts();

  // Which strip or the body a point (block coordinates) lies in, and the
  // first port of that strip whose y it hits (port.y - 5 < y < port.y + 5).
  BlockHit HitTest(Point p) const;

  // Port positions in scheme coordinates.
  Point InputPoint(int input) const;
  Point OutputPoint(int output) const;
};

}  // namespace tornel
