#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/config/channel_table.h"
#include "core/device/device.h"

namespace tornel {

// Every DAC slot of the channel table, in use or not.
inline constexpr int kCapSlots = kChannelSlots - kCapSlotBase;
// The DAC settings dialog's track bars run over 0..1022.
inline constexpr int kCapTrackMax = 1022;

// Where one DAC's two track bars stand: the zero code and the zero code plus
// the test level, both on the 0..1022 scale.
struct CapTrackPositions {
  int Offset = 0;
  int Level = 0;
  bool operator==(const CapTrackPositions&) const = default;
};

// The texts of one DAC tab's fields, UTF-8, numbers with the system's
// decimal separator.
struct CapTabFields {
  std::string Offset;  // the zero code
  std::string Urov;    // the test level as a fraction of full scale
  std::string Base;    // the test level in the channel's unit
  std::string RealBase;
};

// The working copy the DAC settings dialog edits: scaling and zero codes of
// the 16 DACs, and the test levels the dialog drives the DACs in use to. The
// test levels are never stored; the rest reaches the channel table only
// through CopyTo, when the user confirms the dialog.
class CapSettings {
public:
  std::array<double, kCapSlots> CapBase{};
  std::array<double, kCapSlots> CapRealBase{};
  std::array<int16_t, kCapSlots> CapOffset{};
  std::array<int16_t, kCapSlots> CapTestLevel{};
  int CapCount = 0;

  static CapSettings FromTable(const ChannelTable& table);
  // Base, RealBase and Offset of all 16 DACs.
  void CopyTo(ChannelTable& table) const;

  // Where tab `t`'s track bars stand when it is shown.
  CapTrackPositions Positions(int t) const;
  CapTabFields Fields(int t) const;

  // The zero-code bar moved: the level bar keeps its distance from it (as
  // far as the bar reaches); returns where both stand now.
  CapTrackPositions MoveOffset(int t, int offsetPosition);
  // The level bar moved.
  void MoveLevel(int t, CapTrackPositions positions);
  // Leaving tab `t` or confirming: the bars become its zero code and test
  // level; the typed bench value becomes Base when the level is not 0.
  void StoreCapTab(int t, CapTrackPositions positions, std::string_view base,
                   std::string_view realBase);

  // Every DAC in use at its zero code plus its test level.
  void WriteOutputs(Device& device) const;
  // The test levels of the DACs in use, for the ramp back to zero.
  std::span<const int16_t> Levels() const;
};

}  // namespace tornel
