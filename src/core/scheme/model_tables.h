#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/config/channel_table.h"
#include "core/scheme/scheme.h"

namespace tornel {

// ADC codes to model values: 1.0 is 511 codes.
inline constexpr double kCodeToModel = 0.0019569471624266144;

// A scheme flattened for the calculation. Blocks of groups 1-7 are numbered
// group by group in scheme order (dynamic blocks 0..nDyn-1, then generators,
// proportional, sums, products, ramp limiters, limiters); V holds their
// values, then the 16 ADC channels at B..B+15, then the zero value at Z =
// B + 16 that every unconnected input reads.
struct ModelTables {
  int nDyn = 0, nGen = 0, nProp = 0, nSum = 0, nMul = 0, nZi = 0, nOgr = 0;
  int B = 0;
  int Z = 0;
  std::vector<double> X, X0, Acc;
  std::vector<double> V;
  std::vector<uint8_t> GenKind, DynKind;
  // Feeds of the dynamic, proportional, ramp-limiter and limiter blocks in
  // that order, then one per DAC channel (16 entries).
  std::vector<int32_t> Src;
  std::vector<double> P1, P2, P3;
  std::array<int32_t, kAcpChannels> GraphSources{};
  int GraphCount = 0;
  uint16_t GraphMask = 0;
  uint16_t AcpMask = 0;
  uint16_t CapMask = 0;
  // The index of each block of the scheme, in scheme order: its value's
  // place in V, B + channel for an ADC block, B + 16 + channel for a DAC
  // block, -1 for the graph block.
  std::vector<int> Tag;

  // Derived from the tables above for the step (DeriveStepTables): each
  // stage's algebraic blocks as one list in evaluation order, and the
  // dynamic blocks with their parameters beside their feed, so that the
  // step walks two short arrays instead of a dozen.
  struct StageOp {
    enum Code : uint8_t {
      Zero,
      Step,
      Line,
      Meandr,
      Imp,
      Sin,
      Cos,
      Prop,
      Plus,
      Minus,
      Mul,
      Zi,
      Ogr
    };
    Code Op = Zero;
    int32_t Dst = 0, A = 0, B = 0;
    double P1 = 0, P2 = 0;
  };
  struct DynOp {
    uint8_t Kind = 0;
    int32_t Src = 0;
    double P1 = 0, P2 = 0;
  };
  std::vector<StageOp> Ops;
  std::vector<DynOp> Dyn;

  int CapSrc(int channel) const { return nDyn + nProp + nZi + nOgr + channel; }
};

// Fills the derived tables; BuildModelTables calls it, and whoever changes
// the tables afterwards calls it again before the next RkStep.
void DeriveStepTables(ModelTables& t);

// Numbers the blocks and fills the tables; every state starts at its
// Params[2], every value at 0 but the dynamic blocks' (their state).
ModelTables BuildModelTables(const Scheme& scheme);

// One classic Runge-Kutta step of length h from `time`, with the algebraic
// blocks evaluated in every stage in the fixed group order (a block reading
// one evaluated later in the stage gets its previous value). `time` ends at
// its start value + h.
void RkStep(ModelTables& t, double& time, double h);

}  // namespace tornel
