#pragma once

#include <cstdint>

#include "core/scheme/scheme_geometry.h"

namespace tornel {

class TBlock;

// A connection from an output to an input. While it is dragged Dest is null
// and EndPt is its free end; a complete line takes both ends from its ports.
struct TConnectLine {
  TBlock* Source = nullptr;
  int32_t SourceOutput = 0;
  TBlock* Dest = nullptr;
  int32_t DestInput = 0;
  Point EndPt;
  bool Visible = true;
};

}  // namespace tornel
