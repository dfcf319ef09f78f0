#pragma once

#include <QDialog>
#include <cstdint>

namespace tornel {
class ChannelTable;
}

class ChannelCheckGroup;

// "Настройка": which ADC channels the static window's one-second points
// average as a root mean square (the filter mask) instead of a mean.
class TStatNastr : public QDialog {
  Q_OBJECT

public:
  explicit TStatNastr(QWidget* parent = nullptr);

  uint16_t Mask = 0;

  // Box i is captioned with the name of ADC channel i.
  void SetFilterCaptions(const tornel::ChannelTable& table);
  void MaskToBoxes();
  void BoxesToMask();

  ChannelCheckGroup* GroupBox1() const { return group_; }

private:
  ChannelCheckGroup* group_;
};

// The static window's filter settings command: edits table.FilterMask in
// memory; true when the user confirmed.
bool EditFilterMask(tornel::ChannelTable& table, QWidget* parent = nullptr);
