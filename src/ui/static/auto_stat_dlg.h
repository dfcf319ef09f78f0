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
// points and time step, per DAC on its own tab. The start and end follow
// their track bars, so they always lie on the DAC's code grid.
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
  void StoreAutoTab();
  int Tab() const;

private:
  void OnTabChanged(int tab);
  void OnTrackBar(int which, int position);

  WindowHost& host_;
  int shownTab_ = 0;
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
// its settings saved and is returned; a refused one is told (or, for the
// silent refusals, not) and gives nothing, like Cancel.
std::optional<StaticAutoStart> AskAutoStart(WindowHost& host, QWidget* parent);
