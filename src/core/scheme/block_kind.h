#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tornel {

// Kind codes: the block's Kind, the editor's placement mode and the type byte
// of the scheme file. 0 is no block; 4 and 8 are unused.
inline constexpr int8_t kKindNone = 0;
inline constexpr int8_t kKindStep = 1;
inline constexpr int8_t kKindLine = 2;
inline constexpr int8_t kKindMeandr = 3;
inline constexpr int8_t kKindImp = 5;
inline constexpr int8_t kKindSinT = 6;
inline constexpr int8_t kKindCosT = 7;
inline constexpr int8_t kKindSum = 9;
inline constexpr int8_t kKindAperiod = 10;
inline constexpr int8_t kKindGraph = 11;
inline constexpr int8_t kKindIntegr = 12;
inline constexpr int8_t kKindPIReg = 13;
inline constexpr int8_t kKindCap = 14;
inline constexpr int8_t kKindAcp = 15;
inline constexpr int8_t kKindProporc = 16;
inline constexpr int8_t kKindMul = 17;
inline constexpr int8_t kKindZi = 18;
inline constexpr int8_t kKindOgr = 19;

// Evaluation groups of the calculation.
inline constexpr int8_t kGroupDynamic = 1;
inline constexpr int8_t kGroupGenerator = 2;
inline constexpr int8_t kGroupProporc = 3;
inline constexpr int8_t kGroupSum = 4;
inline constexpr int8_t kGroupMul = 5;
inline constexpr int8_t kGroupZi = 6;
inline constexpr int8_t kGroupOgr = 7;
inline constexpr int8_t kGroupCap = 8;
inline constexpr int8_t kGroupAcp = 9;
inline constexpr int8_t kGroupGraph = 10;

inline constexpr int kMaxInputs = 16;
inline constexpr int kMaxOutputs = 2;

// How a kind's size is found.
enum class SizeRule {
  Fixed,      // Width x Height of the table
  Dynamic,    // wider label + 30, 2.5 text heights
  Generator,  // wider label + 50, 34 high
  Device,     // label + 30, 1.5 text heights
};

// What a right click on the block does.
enum class EditKind { ParamDialog, ToggleSign, AcpChannel, CapChannel, GraphSettings };

// One row of the parameter dialog: the parameter it edits and its caption.
struct ParamRow {
  int Index = 0;
  std::string_view Label;
  int Decimals = 4;
};

// Everything a kind fixes when a block of it is made.
struct BlockKindInfo {
  int8_t Kind;
  int8_t Group;
  int InCount;
  int OutCount;
  std::string_view ClassName;
  // The palette caption, and the block's Hint.
  std::string_view Caption;
  std::array<std::string_view, 3> ParamNames;
  std::array<double, 3> Params;
  SizeRule Size;
  int Width;  // for SizeRule::Fixed (and the first layout of the others)
  int Height;
  EditKind Edit;
  // Rows of the parameter dialog, in order; Rows[i].Label empty ends the list.
  std::array<ParamRow, 3> Rows;
  // The dialog's caption: the block's Hint or "Параметры блока".
  std::string_view DialogCaption;
};

// The kinds of the table in palette code order.
const std::array<BlockKindInfo, 17>& BlockKinds();

bool IsKnownKind(int kind);

// The entry of `kind`; any code not in the table gives the proportional block.
const BlockKindInfo& KindInfo(int kind);

}  // namespace tornel
