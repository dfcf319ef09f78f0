#include "core/scheme/model_tables.h"

#include <algorithm>
#include <unordered_map>

#include "core/scheme/block_math.h"

namespace tornel {
namespace {

int DeviceChannel(const TBlock& block) { return std::clamp(block.Channel, 0, kAcpChannels - 1); }

}  // namespace

ModelTables BuildModelTables(const Scheme& scheme) {
  ModelTables t;
  const auto& blocks = scheme.Blocks();
  t.Tag.assign(blocks.size(), -1);
  int* counts[] = {&t.nDyn, &t.nGen, &t.nProp, &t.nSum, &t.nMul, &t.nZi, &t.nOgr};
  int next = 0;
  for (int group = kGroupDynamic; group <= kGroupOgr; ++group) {
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      if (blocks[i]->Group != group) continue;
      t.Tag[i] = next++;
      ++*counts[group - 1];
    }
  }
  t.B = next;
  t.Z = t.B + kAcpChannels;
  std::unordered_map<const TBlock*, int> tagOf;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TBlock& b = *blocks[i];
    if (b.Group == kGroupAcp) t.Tag[i] = t.B + DeviceChannel(b);
    if (b.Group == kGroupCap) t.Tag[i] = t.B + kAcpChannels + DeviceChannel(b);
    tagOf[&b] = t.Tag[i];
  }
  auto feed = [&](const TBlock& b, int input) {
    const TConnectLine* line = b.InLine[input];
    return line ? tagOf.at(line->Source) : t.Z;
  };

  t.X.assign(t.nDyn, 0.0);
  t.X0 = t.Acc = t.X;
  t.V.assign(t.Z + 1, 0.0);
  t.DynKind.assign(t.nDyn, 0);
  t.GenKind.assign(t.nGen, 0);
  t.Src.assign(t.CapSrc(kAcpChannels), t.Z);
  t.P1.assign(t.B, 0.0);
  t.P2 = t.P3 = t.P1;
  t.GraphSources.fill(t.Z);
  const int propAt = t.nDyn + t.nGen;
  const int ziAt = propAt + t.nProp + t.nSum + t.nMul;
  const int ogrAt = ziAt + t.nZi;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TBlock& b = *blocks[i];
    const int k = t.Tag[i];
    switch (b.Group) {
      case kGroupDynamic:
        t.DynKind[k] = static_cast<uint8_t>(b.Kind);
        t.P1[k] = b.Params[0];
        t.P2[k] = b.Params[1];
        t.X[k] = b.Params[2];
        t.V[k] = t.X[k];
        t.Src[k] = feed(b, 0);
        break;
      case kGroupGenerator:
        t.GenKind[k - t.nDyn] = static_cast<uint8_t>(b.Kind);
        t.P1[k] = b.Params[0];
        t.P2[k] = b.Params[1];
        break;
      case kGroupProporc:
        t.P1[k] = b.Params[0];
        t.Src[t.nDyn + (k - propAt)] = feed(b, 0);
        break;
      case kGroupZi:
        t.P1[k] = b.Params[0];
        t.Src[t.nDyn + t.nProp + (k - ziAt)] = feed(b, 0);
        break;
      case kGroupOgr:
        t.P1[k] = b.Params[0];
        t.Src[t.nDyn + t.nProp + t.nZi + (k - ogrAt)] = feed(b, 0);
        break;
      case kGroupSum:
        t.P3[k] = b.Option ? 1.0 : 0.0;
        [[fallthrough]];
      case kGroupMul:
        t.P1[k] = feed(b, 0);
        t.P2[k] = feed(b, 1);
        break;
      case kGroupAcp:
        t.AcpMask |= static_cast<uint16_t>(1u << DeviceChannel(b));
        break;
      case kGroupCap:
        t.Src[t.CapSrc(DeviceChannel(b))] = feed(b, 0);
        t.CapMask |= static_cast<uint16_t>(1u << DeviceChannel(b));
        break;
      case kGroupGraph:
        if (&b != scheme.GraphBlock()) break;
        for (int input = 0; input < kAcpChannels; ++input) {
          if (!b.InLine[input]) continue;
          t.GraphMask |= static_cast<uint16_t>(1u << input);
          t.GraphSources[t.GraphCount++] = feed(b, input);
        }
        break;
    }
  }
  DeriveStepTables(t);
  return t;
}

void DeriveStepTables(ModelTables& t) {
  using Op = ModelTables::StageOp;
  const int genAt = t.nDyn;
  const int propAt = genAt + t.nGen;
  const int sumAt = propAt + t.nProp;
  const int mulAt = sumAt + t.nSum;
  const int ziAt = mulAt + t.nMul;
  const int ogrAt = ziAt + t.nZi;
  const int32_t* propSrc = t.Src.data() + t.nDyn;
  const int32_t* ziSrc = propSrc + t.nProp;
  const int32_t* ogrSrc = ziSrc + t.nZi;
  t.Ops.clear();
  const auto add = [&](Op::Code code, int dst, int32_t a, int32_t b) {
    t.Ops.push_back({code, dst, a, b, t.P1[dst], t.P2[dst]});
  };
  for (int j = genAt; j < propAt; ++j) {
    Op::Code code = Op::Zero;
    switch (t.GenKind[j - genAt]) {
      case kKindStep:
        code = Op::Step;
        break;
      case kKindLine:
        code = Op::Line;
        break;
      case kKindMeandr:
        code = Op::Meandr;
        break;
      case kKindImp:
        code = Op::Imp;
        break;
      case kKindSinT:
        code = Op::Sin;
        break;
      case kKindCosT:
        code = Op::Cos;
        break;
      default:
        break;
    }
    add(code, j, 0, 0);
  }
  for (int j = propAt; j < sumAt; ++j) add(Op::Prop, j, propSrc[j - propAt], 0);
  for (int j = sumAt; j < mulAt; ++j) {
    add(t.P3[j] == 1.0 ? Op::Plus : Op::Minus, j, static_cast<int32_t>(t.P1[j]),
        static_cast<int32_t>(t.P2[j]));
  }
  for (int j = mulAt; j < ziAt; ++j) {
    add(Op::Mul, j, static_cast<int32_t>(t.P1[j]), static_cast<int32_t>(t.P2[j]));
  }
  for (int j = ziAt; j < ogrAt; ++j) add(Op::Zi, j, ziSrc[j - ziAt], 0);
  for (int j = ogrAt; j < ogrAt + t.nOgr; ++j) add(Op::Ogr, j, ogrSrc[j - ogrAt], 0);
  t.Dyn.resize(t.nDyn);
  for (int i = 0; i < t.nDyn; ++i) t.Dyn[i] = {t.DynKind[i], t.Src[i], t.P1[i], t.P2[i]};
}

namespace {

// A stage's algebraic blocks at model time `now`, in evaluation order.
inline void Algebraic(const ModelTables::StageOp* op, const ModelTables::StageOp* end, double* V,
                      double now, double h) {
  using Op = ModelTables::StageOp;
  for (; op != end; ++op) {
    double v;
    switch (op->Op) {
      case Op::Step:
        v = GeneratorValue(kKindStep, op->P1, op->P2, now, h);
        break;
      case Op::Line:
        v = GeneratorValue(kKindLine, op->P1, op->P2, now, h);
        break;
      case Op::Meandr:
        v = GeneratorValue(kKindMeandr, op->P1, op->P2, now, h);
        break;
      case Op::Imp:
        v = GeneratorValue(kKindImp, op->P1, op->P2, now, h);
        break;
      case Op::Sin:
        v = GeneratorValue(kKindSinT, op->P1, op->P2, now, h);
        break;
      case Op::Cos:
        v = GeneratorValue(kKindCosT, op->P1, op->P2, now, h);
        break;
      case Op::Prop:
        v = op->P1 * V[op->A];
        break;
      case Op::Plus:
        v = V[op->A] + V[op->B];
        break;
      case Op::Minus:
        v = V[op->A] - V[op->B];
        break;
      case Op::Mul:
        v = V[op->A] * V[op->B];
        break;
      case Op::Zi:
        v = RampLimiterStage(V[op->Dst], V[op->A], op->P1, h);
        break;
      case Op::Ogr:
        v = LimiterValue(V[op->A], op->P1);
        break;
      default:
        v = 0.0;
        break;
    }
    V[op->Dst] = v;
  }
}

// One step with the dynamic blocks' working values (state, start state,
// accumulator) in locals when their count kN is fixed, so that a small
// scheme's stages keep them in registers instead of waiting on their own
// stores; kN = 0 works on the tables for any count. The arithmetic and its
// order are the same in both.
template <int kN>
void RkStepOf(ModelTables& t, double& time, double h) {
  const int nDyn = kN > 0 ? kN : t.nDyn;
  double* V = t.V.data();
  const ModelTables::StageOp* ops = t.Ops.data();
  const ModelTables::StageOp* opsEnd = ops + t.Ops.size();
  const ModelTables::DynOp* dyn = t.Dyn.data();

  double xLocal[kN > 0 ? kN : 1], x0Local[kN > 0 ? kN : 1], accLocal[kN > 0 ? kN : 1];
  double* X = t.X.data();
  double* X0 = t.X0.data();
  double* Acc = t.Acc.data();
  if constexpr (kN > 0) {
    for (int i = 0; i < kN; ++i) xLocal[i] = X[i];
    X = xLocal;
    X0 = x0Local;
    Acc = accLocal;
  }
  const auto output = [&](int i) __attribute__((always_inline)) {
    return DynamicOutput(dyn[i].Kind, dyn[i].P1, X[i], V[dyn[i].Src]);
  };
  // Every derivative reads the values before any dynamic output moves, and
  // a block's own state only: the state moves on with its derivative. The
  // second stage weighs twice.
  const auto advance = [&](double c, bool twice) __attribute__((always_inline)) {
    for (int i = 0; i < nDyn; ++i) {
      const double d = c * Derivative(dyn[i].Kind, dyn[i].P1, dyn[i].P2, X[i], V[dyn[i].Src]);
      X[i] = X0[i] + d;
      Acc[i] += twice ? 2 * d / 3 : d / 3;
    }
    for (int i = 0; i < nDyn; ++i) V[i] = output(i);
  };

  // Model time in a local: the stores to V could otherwise be `time`.
  const double t0 = time;
  for (int i = 0; i < nDyn; ++i) X0[i] = Acc[i] = X[i];
  // The four stages written out, so that each knows its time and weight.
  Algebraic(ops, opsEnd, V, t0 + 0.0, h);
  advance(h / 2, false);
  Algebraic(ops, opsEnd, V, t0 + h / 2, h);
  advance(h / 2, true);
  Algebraic(ops, opsEnd, V, t0 + h / 2, h);
  advance(h, false);
  Algebraic(ops, opsEnd, V, t0 + h, h);
  advance(h / 2, false);
  for (int i = 0; i < nDyn; ++i) {
    X[i] = Acc[i];
    V[i] = output(i);
  }
  if constexpr (kN > 0) {
    for (int i = 0; i < kN; ++i) t.X[i] = xLocal[i];
  }
  time = t0 + h;
}

}  // namespace

void RkStep(ModelTables& t, double& time, double h) {
  switch (t.nDyn) {
    case 1:
      return RkStepOf<1>(t, time, h);
    case 2:
      return RkStepOf<2>(t, time, h);
    case 3:
      return RkStepOf<3>(t, time, h);
    case 4:
      return RkStepOf<4>(t, time, h);
    case 5:
      return RkStepOf<5>(t, time, h);
    case 6:
      return RkStepOf<6>(t, time, h);
    default:
      return RkStepOf<0>(t, time, h);
  }
}

}  // namespace tornel
