#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/config/color_names.h"

class GrDlgColorShape;
class QCheckBox;

// A channel page of the settings dialog: per channel a colour swatch and a
// check box "draw against time", captioned with the channel's name. Only
// recorded channels can be ticked. The widgets are numbered from
// `firstNumber` (1 for the ADC page, 17 for the DAC page): Shape<n>,
// CheckBox<n>.
class GrDlgChannelPage : public QWidget {
  Q_OBJECT

public:
  static constexpr int kChannels = 16;

  GrDlgChannelPage(int firstNumber, QWidget* parent = nullptr);

  void Load(std::span<const std::string> names, uint16_t recorded, uint16_t shown,
            std::span<const tornel::Color> colors);
  uint16_t ShowMask() const;
  void StoreColors(std::span<tornel::Color> colors) const;

private:
  std::array<GrDlgColorShape*, kChannels> shapes_{};
  std::array<QCheckBox*, kChannels> boxes_{};
};
