#pragma once

#include <QDialog>

#include "core/device/cap_settings.h"

class QLineEdit;
class QSlider;
class QTabBar;
class WindowHost;

namespace tornel {
class ChannelTable;
class Device;
}  // namespace tornel

// "Настройка ЦАП": calibrates the DACs in use against the bench, one tab per
// DAC. The zero-code and level track bars drive the outputs live; the typed
// bench value of the test level becomes the DAC's base value. It edits
// Settings only; the caller copies them into the channel table when the user
// confirms, and returns the outputs to zero in every case.
class TCAPDlg : public QDialog {
  Q_OBJECT

public:
  // Tab names and units come from `table`; nothing here is owned.
  TCAPDlg(const tornel::ChannelTable& table, tornel::Device& device, QWidget* parent = nullptr);

  tornel::CapSettings Settings;

  int Tab() const { return shownTab_; }
  // Shows tab `t`'s fields and bars, then writes every DAC in use.
  void ShowCapTab();
  // The shown tab's bars and edits into Settings.
  void StoreCapTab();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void BuildControls();
  tornel::CapTrackPositions Bars() const;
  void SetBars(tornel::CapTrackPositions positions);
  void ShowLevelFields();
  void OnTabChanged(int tab);
  void TBOffsetChange(int position);
  void TBUrovChange(int position);

  const tornel::ChannelTable& table_;
  tornel::Device& device_;
  int shownTab_ = 0;
  QTabBar* tabs_ = nullptr;
  QSlider* tbOffset_ = nullptr;
  QSlider* tbUrov_ = nullptr;
  QLineEdit* eOffset_ = nullptr;
  QLineEdit* eUrov_ = nullptr;
  QLineEdit* eBase_ = nullptr;
  QLineEdit* eRazm1_ = nullptr;
  QLineEdit* eRealBase_ = nullptr;
  QLineEdit* eRazm2_ = nullptr;
};

// The DAC settings command over the host's channel table and device. The
// DACs in use start at their zero codes; on "Продолжить" the shown tab is
// stored, the DAC entries are copied back, the table is saved and the outputs
// ramp from their test levels back to zero. However the dialog ends, the
// outputs are left at their zero codes. True on "Продолжить"; throws
// UserError when the file cannot be written (after the ramp, the new values
// kept in memory).
bool EditCapSettings(WindowHost& host);
