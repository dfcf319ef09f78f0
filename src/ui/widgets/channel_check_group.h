#pragma once

#include <QGroupBox>
#include <array>
#include <cstdint>
#include <span>
#include <string>

class QCheckBox;

// A group of 16 channel check boxes in two columns, boxes 0-7 on the left and
// 8-15 on the right; box i stands for bit i of a mask. The boxes are named
// "CheckBox<n>" from `firstNumber` on, as the forms number them.
class ChannelCheckGroup : public QGroupBox {
  Q_OBJECT

public:
  static constexpr int kBoxes = 16;

  ChannelCheckGroup(const QString& title, int firstNumber, QWidget* parent = nullptr);

  QCheckBox* Box(int i) const { return boxes_.at(static_cast<std::size_t>(i)); }
  // Captions from UTF-8 names; an "&" shows as itself.
  void SetCaptions(std::span<const std::string> names);
  void SetEnabledMask(uint16_t mask);
  void SetCheckedMask(uint16_t mask);
  // Every ticked box, enabled or not.
  uint16_t CheckedMask() const;

private:
  std::array<QCheckBox*, kBoxes> boxes_{};
};
