#include "core/scheme/block_kind.h"

namespace tornel {
namespace {

constexpr std::string_view kGain = "Коэффициент усиления K";
constexpr std::string_view kTime = "Постоянная времени T";
constexpr std::string_view kInitial = "Начальные условия";
constexpr std::string_view kParamsCaption = "Параметры блока";

constexpr std::array<double, 3> kOnes{1.0, 1.0, 1.0};
// Dynamic blocks start from a zero state.
constexpr std::array<double, 3> kDynamic{1.0, 1.0, 0.0};

constexpr std::array<ParamRow, 3> Rows(ParamRow a = {}, ParamRow b = {}, ParamRow c = {}) {
  return {a, b, c};
}

constexpr BlockKindInfo Generator(int8_t kind, std::string_view name, std::string_view caption,
                                  std::string_view first) {
  return {kind,
          kGroupGenerator,
          0,
          1,
          name,
          caption,
          {},
          kOnes,
          SizeRule::Generator,
          0,
          34,
          EditKind::ParamDialog,
          Rows({0, first, 2}, {1, "T", 2}),
          kParamsCaption};
}

constexpr BlockKindInfo Dynamic(int8_t kind, int8_t group, std::string_view name,
                                std::string_view caption, std::array<std::string_view, 3> names) {
  std::array<ParamRow, 3> rows{};
  int n = 0;
  for (int i = 0; i < 3; ++i) {
    if (!names[i].empty()) rows[n++] = {i, names[i], 4};
  }
  return {kind,  group,    1,
          1,     name,     caption,
          names, kDynamic, SizeRule::Dynamic,
          0,     0,        EditKind::ParamDialog,
          rows,  caption};
}

// The integrator's "Начальные условия" row edits the value its state
// starts from (Params[2]), so what the dialog shows is what runs.
constexpr std::array<BlockKindInfo, 17> kKinds{{
    Generator(kKindStep, "TGStep", "Ступенчатое воздействие", "Um"),
    Generator(kKindLine, "TGLine", "Линейное воздействие", "K"),
    Generator(kKindMeandr, "TGMeandr", "Меандр", "Um"),
    Generator(kKindImp, "TGImp", "Генератор импульсов", "Um"),
    Generator(kKindSinT, "TGSinT", "Sin(wt)", "Um"),
    Generator(kKindCosT, "TGCosT", "Cos(wt)", "Um"),
    {kKindSum,
     kGroupSum,
     2,
     1,
     "TSumBlock",
     "Сумматор",
     {},
     kOnes,
     SizeRule::Fixed,
     40,
     50,
     EditKind::ToggleSign,
     Rows(),
     "Сумматор"},
    Dynamic(kKindAperiod, kGroupDynamic, "TAperiod", "Апериодическое звено",
            {kGain, kTime, kInitial}),
    {kKindGraph,
     kGroupGraph,
     16,
     0,
     "TGraphBlk",
     "График",
     {},
     kOnes,
     SizeRule::Fixed,
     200,
     300,
     EditKind::GraphSettings,
     Rows(),
     "График"},
    Dynamic(kKindIntegr, kGroupDynamic, "TIntegr", "Интегратор", {kTime, "", kInitial}),
    Dynamic(kKindPIReg, kGroupDynamic, "TPIReg", "ПИ-регулятор", {kGain, kTime, kInitial}),
    {kKindCap,
     kGroupCap,
     1,
     0,
     "TCAPBlk",
     "ЦАП",
     {},
     kOnes,
     SizeRule::Device,
     30,
     0,
     EditKind::CapChannel,
     Rows(),
     "ЦАП"},
    {kKindAcp,
     kGroupAcp,
     0,
     1,
     "TACPBlk",
     "АЦП",
     {},
     kOnes,
     SizeRule::Device,
     30,
     0,
     EditKind::AcpChannel,
     Rows(),
     "АЦП"},
    Dynamic(kKindProporc, kGroupProporc, "TProporc", "Пропорциональное звено", {kGain, "", ""}),
    {kKindMul,
     kGroupMul,
     2,
     1,
     "TMulBlock",
     "Произведение",
     {},
     kOnes,
     SizeRule::Fixed,
     40,
     35,
     EditKind::ParamDialog,
     Rows(),
     "Произведение"},
    {kKindZi,
     kGroupZi,
     1,
     1,
     "TZiBlk",
     "Задатчик интенсивности",
     {},
     kOnes,
     SizeRule::Fixed,
     50,
     34,
     EditKind::ParamDialog,
     Rows({0, "Tзи", 2}),
     kParamsCaption},
    {kKindOgr,
     kGroupOgr,
     1,
     1,
     "TOgrBlk",
     "Ограничение",
     {},
     kOnes,
     SizeRule::Fixed,
     50,
     34,
     EditKind::ParamDialog,
     Rows({0, "Um", 2}),
     kParamsCaption},
}};

constexpr int kProporcEntry = 13;
static_assert(kKinds[kProporcEntry].Kind == kKindProporc);

}  // namespace

const std::array<BlockKindInfo, 17>& BlockKinds() { return kKinds; }

bool IsKnownKind(int kind) {
  for (const BlockKindInfo& info : kKinds) {
    if (info.Kind == kind) return true;
  }
  return false;
}

const BlockKindInfo& KindInfo(int kind) {
  for (const BlockKindInfo& info : kKinds) {
    if (info.Kind == kind) return info;
  }
  return kKinds[kProporcEntry];
}

}  // namespace tornel
