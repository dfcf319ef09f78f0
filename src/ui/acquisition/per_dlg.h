#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "core/acquisition/transient_settings.h"
#include "ui/acquisition/scan_thr.h"

class ChannelCheckGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabBar;
class QTimer;
class RecordingProgress;
class WindowHost;

namespace tornel {
class SimulatedBench;
}

// "Переходный процесс": the modal dialog that sets up one transient-response
// recording — the ADC channels, the duration and, in automatic mode, each
// DAC's delayed step or ramp — and runs it, on "Продолжить" or when the bench
// asks for a start. Settings holds what the controls show once stored.
//
// The raw sample file FileName belongs to the dialog, which deletes it on
// Cancel and when it is destroyed, until ReleaseFile() hands it to a record.
class TPerDlg : public QDialog {
  Q_OBJECT

public:
  // Reserves FileName; throws UserError when the temporary folder takes no
  // new file.
  explicit TPerDlg(WindowHost& host);
  ~TPerDlg() override;

  tornel::TransientSettings Settings;
  // The last run's thread, kept after it has ended; null before the first.
  std::unique_ptr<TScanThr> Thread;
  std::string FileName;

  // The section "Переходный процесс (defaults)" of the configuration file.
  void LoadDefaults();
  // Stores the shown tab and the boxes first. Throws UserError when the file
  // cannot be written.
  void SaveDefaults();

  // From now on the file is the caller's.
  std::string ReleaseFile();

  // The run's own call: the invisible "Старт" button goes off.
  void DisableStartButton();

  // "Продолжить": records, then closes with OK (stays open when the raw file
  // could not be created). "Отменить": ends a run, deletes the file, closes.
  void accept() override;
  void reject() override;
  void done(int result) override;

  int ShownTab() const { return shownTab_; }

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  QWidget* BuildSignalGroup();
  void RebuildTabs();
  void ShowTab(int tab);
  void StoreTab(int tab);
  void StoreControls();
  void ApplyEnablingRule();
  void ShowPhysicalValue(int position);
  void OnTabChanged(int tab);
  void TestPressed();
  void TestReleased();
  void TimerBgTimer();
  // Runs one recording and waits for it; true when the dialog may close.
  bool Record(bool fromBench);

  WindowHost& host_;
  ChannelCheckGroup* acpGroup_ = nullptr;
  QLineEdit* durationEdit_ = nullptr;
  QCheckBox* autoModeBox_ = nullptr;
  QCheckBox* stendStartBox_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QGroupBox* autoGroup_ = nullptr;
  QCheckBox* useCapBox_ = nullptr;
  QGroupBox* signalGroup_ = nullptr;
  QLineEdit* delayEdit_ = nullptr;
  QLineEdit* riseTimeEdit_ = nullptr;
  QSlider* trackBar_ = nullptr;
  QLineEdit* valueEdit_ = nullptr;
  QLineEdit* unitEdit_ = nullptr;
  QPushButton* testButton_ = nullptr;
  QPushButton* resetButton_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QTimer* timerBg_ = nullptr;
  RecordingProgress* progress_ = nullptr;
  tornel::SimulatedBench* bench_ = nullptr;  // when the device is the model
  int shownTab_ = 0;
  bool running_ = false;
  // A bench start is taken once the signal has been low since the last run
  // that left the dialog open, so one press starts one run.
  bool benchArmed_ = true;
  bool ownsFile_ = true;
};
