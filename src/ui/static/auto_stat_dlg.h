#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/static/auto_run.h"
#include "core/static/auto_stat_settings.h"

class QLineEdit;
class QSlider;
class QSpinBox;
class QTabBar;
class WindowHost;

// "Автоматический режим": the automatic run's start and end values, number of
// points and time step, per DAC on its own tab. The start and end are set with
// their track bars (onto the DAC's code grid) or typed, which moves the track
// bar within its range. Showing a tab never changes its values.
class TAutoStatDlg : public QDialog, public tornel::AutoStatSettings {
  Q_OBJECT

public:
  explicit TAutoStatDlg(WindowHost& host, QWidget* parent = nullptr);

  // Tab captions: the names of DAC 1 and DAC 2.
  void LoadAutoTabs();
  // The section "Статическая характеристика (defaults)"; the tab from "Номер ЦАП".
  void LoadAutoSettings();
  // Throws UserError when the file cannot be written.
  void SaveAutoSettings();
  void ShowAutoTab();
  // The start and end as shown, where the user changed them.
  void StoreAutoTab();
  int Tab() const;
  // The run the shown tab asks for.
  tornel::AutoRunRequest Request() const;

  // "Продолжить": a run that would be refused with a message is told here,
  // and the dialog stays open with what the user typed.
  void accept() override;

private:
  void OnTabChanged(int tab);
  void OnTrackBar(int which, int position);
  void OnTyped(int which);
  // A typed value ends up as shown: held to the track bar's range, one decimal.
  void SettleTyped(int which);
  // The track-bar position of `value`, held to the bar's range.
  int ClampedPosition(int which, double value) const;
  double ShownBase() const;

  WindowHost& host_;
  int shownTab_ = 0;
  std::array<bool, 2> changed_{};  // start/end moved or typed since the tab was shown
  std::array<bool, 2> typing_{};   // typed, not yet settled
  QTabBar* tabs_ = nullptr;
  std::array<QSlider*, 2> trackBars_{};
  std::array<QLineEdit*, 2> values_{};
  std::array<QLineEdit*, 2> units_{};
  QSpinBox* points_ = nullptr;
  QLineEdit* timeStep_ = nullptr;
};

// What the user confirmed for a run that may start.
struct StaticAutoStart {
  int Dac = 0;
  tornel::AutoRunRequest Request;
};

// The run dialog with its saved settings. A confirmed run that may start has
// its settings saved and is returned; one refused with a message is told
// while the dialog stays open, and the silent refusals give nothing, like
// Cancel.
std::optional<StaticAutoStart> AskAutoStart(WindowHost& host, QWidget* parent);
