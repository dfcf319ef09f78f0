#pragma once

#include <QDialog>
#include <array>

#include "core/device/acp_settings.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class WindowHost;

namespace tornel {
class ChannelTable;
class Device;
class PriorityControl;
class TickClock;
}  // namespace tornel

// "Настройка АЦП": calibrates one ADC channel at a time against the bench —
// its base value (at full scale, or against a one-second reading), its
// per-unit base, its zero code and its filter flag. It edits Settings only;
// the caller copies them into the channel table when the user confirms.
class TACPDlg : public QDialog {
  Q_OBJECT

public:
  // Names and units come from `table`, and so do the priorities that the
  // one-second readings raise; nothing here is owned.
  TACPDlg(const tornel::ChannelTable& table, tornel::Device& device, tornel::TickClock& clock,
          tornel::PriorityControl& priority, QWidget* parent = nullptr);

  tornel::AcpSettings Settings;

  int Channel() const;
  tornel::AcpSettingMode Mode() const;
  QRadioButton* ChannelItem(int ch) const { return channelItems_[static_cast<std::size_t>(ch)]; }
  QRadioButton* ModeItem(int mode) const;

  // Reloads the selected channel's fields, measuring first in the mode
  // "По данным с АЦП"; unsaved edits are lost.
  void ShowAcpChannel();
  // "Сохранить параметры канала АЦП": stores the fields, then shows them
  // again; a zero code that is not an integer is reported and stops it.
  void BtnSaveClick();
  // "Определить уровень нуля": a second of raw reads into the zero field.
  void BtnOffsetNullClick();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void BuildControls();

  const tornel::ChannelTable& table_;
  tornel::MeasurementSetup setup_;
  QButtonGroup* channels_ = nullptr;
  QButtonGroup* modes_ = nullptr;
  std::array<QRadioButton*, tornel::kAcpChannels> channelItems_{};
  QLineEdit* eAcp_ = nullptr;
  QCheckBox* chBFilter_ = nullptr;
  QLineEdit* eStand_ = nullptr;
  QLineEdit* eStandRazm_ = nullptr;
  QLineEdit* eBase_ = nullptr;
  QLineEdit* eBaseRazm_ = nullptr;
  QLineEdit* eZero_ = nullptr;
};

// The ADC settings command over the host's channel table: the dialog over a
// copy of its ADC entries; on "Продолжить" they are copied back and the table
// is saved, and the result is true. Throws UserError when the file cannot be
// written (the new values stay in memory). "Отменить" leaves the table as it
// was.
bool EditAcpSettings(WindowHost& host);
