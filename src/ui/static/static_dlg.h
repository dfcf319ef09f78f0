#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/records/unsaved_recording.h"
#include "core/static/auto_run.h"
#include "core/static/point_file.h"
#include "core/static/sweep_trace.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTableWidget;
class QTimer;
class SweepBox;
class WindowHost;

// "Статическая характеристика": the user sets DAC 1 and DAC 2 with two track
// bars, watches two ADC channels on a live sweep and records points, each a
// one-second average of all 16 ADC channels with the two DAC levels, into a
// table and the point file. An automatic run steps one DAC through a range
// and records a point after each step.
//
// The point file belongs to the window, which deletes it when destroyed,
// until ReleasePointFile() hands it to a record.
class TStaticDlg : public QDialog {
  Q_OBJECT

public:
  // Reserves the point file; throws UserError when no file can be created.
  explicit TStaticDlg(WindowHost& host, QWidget* parent = nullptr);
  ~TStaticDlg() override;

  // The channels on the sweep (0-based) and the bench-button box, in the
  // section "Статическая характеристика (defaults)". SaveSettings throws
  // UserError when the file cannot be written.
  void LoadSettings();
  void SaveSettings();

  // Measures one point and appends it to the file and the table; a point
  // that cannot be written is reported and not counted. True when added.
  bool RecordPoint();

  // Starts an automatic run of DAC `dac` as the run dialog would once
  // confirmed: refusals are told, silent ones just do nothing.
  void StartAutoRun(int dac, const tornel::AutoRunRequest& request);
  bool AutoRunning() const { return autoRun_.has_value(); }

  int32_t PointCount() const { return points_.Count(); }
  const std::string& PointFileName() const { return points_.Path(); }
  std::string ReleasePointFile() { return points_.Release(); }
  // The recovery note of the point file, for the record that takes it.
  std::unique_ptr<tornel::UnsavedRecording> ReleaseNote() { return std::move(note_); }

  int16_t Coord1 = 5;
  int16_t Coord2 = 6;
  std::array<int16_t, 16> DacLevel{};

  void accept() override;
  void reject() override;
  void done(int result) override;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  QWidget* BuildDacRow(int dac);
  QAction* MakeAction(const char* name, const QString& text, const QString& hint);
  void ShowHeader();
  void TrackBarChangeSimple(int dac, int position);
  void ShowLevel(int dac, int level);
  void TimerBgTimer();
  void TimerAutoTimer();
  void DeletePoint();
  void DeleteAll();
  void ChooseCoordinates();
  void EditSettings();
  void AutoStart();
  // Moves the driven DAC to the track-bar position of `value` along a ramp.
  void RampToValue(double value);
  void RampTo(int dac, int target);
  // After a ramp of the run: wait for the level to settle, or end on "Стоп".
  void SettleOrFinish();
  // Back to the zero level along a ramp, then idle.
  void FinishAutoRun();
  void EndAutoRun();
  void UpdateActions();
  void ShowError(const QString& text);

  WindowHost& host_;
  tornel::PointFile points_;
  std::unique_ptr<tornel::UnsavedRecording> note_;
  tornel::SweepTrace sweep_;
  std::optional<tornel::AutoRun> autoRun_;
  int autoDac_ = 0;
  bool measuring_ = false;
  bool ramping_ = false;

  QTableWidget* grid_ = nullptr;
  std::array<QSlider*, 2> trackBars_{};
  std::array<QLabel*, 2> dacNames_{};
  std::array<QLineEdit*, 2> dacValues_{};
  std::array<QLineEdit*, 2> dacUnits_{};
  SweepBox* sweepBox_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QCheckBox* startFromStend_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QAction* deletePoint_ = nullptr;
  QAction* deleteAll_ = nullptr;
  QAction* savePoint_ = nullptr;
  QAction* settings_ = nullptr;
  QAction* autoStart_ = nullptr;
  QTimer* timerBg_ = nullptr;
  QTimer* timerAuto_ = nullptr;
};
