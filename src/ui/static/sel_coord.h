#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tornel {
class TGraphRecord;
}

class ChannelCheckGroup;

// "Координаты": ticks a set of ADC channels (the filter commands).
class TSelCoord : public QDialog {
  Q_OBJECT

public:
  explicit TSelCoord(QWidget* parent = nullptr);

  // Box i: caption names[i], enabled by bit i of `enabled`, ticked by bit i
  // of `checked`. A disabled box keeps its tick and is returned with it.
  void FillSelection(std::span<const std::string> names, uint16_t enabled, uint16_t checked);
  uint16_t SelectionMask() const;

  ChannelCheckGroup* GroupBox1() const { return group_; }

private:
  ChannelCheckGroup* group_;
};

// The channels a filter command works on: the record's ADC channels, the
// recorded ones selectable, those of its dependencies and shown curves
// preselected. Nothing when the user cancels. The mask is as ticked: unrecorded
// channels pass through it unchanged.
std::optional<uint16_t> SelectFilterChannels(const tornel::TGraphRecord& record,
                                             QWidget* parent = nullptr);
