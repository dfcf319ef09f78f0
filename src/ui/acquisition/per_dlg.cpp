#include "ui/acquisition/per_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <span>

#include "core/acquisition/scan_result.h"
#include "core/device/asmcode.h"
#include "core/device/simulated_bench.h"
#include "core/records/graph_record.h"
#include "core/records/temp_file.h"
#include "core/text/number_text.h"
#include "ui/acquisition/recording_progress.h"
#include "ui/widgets/channel_check_group.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/edit_numbers.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/window_host.h"

namespace {

constexpr int kDecimals = 3;

QString Fixed(double value) { return FixedText(value, kDecimals); }

// A stored amplitude as a whole number of codes; a broken value from the
// configuration file reads as 0 instead of overflowing.
int Codes(double amplitude) {
  if (!std::isfinite(amplitude)) return 0;
  return static_cast<int>(std::clamp(std::trunc(amplitude), -32768.0, 32767.0));
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, bool readOnly = false) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(readOnly);
  return edit;
}

QString ChannelName(const std::string& name) {
  return QString::fromStdString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

TPerDlg::TPerDlg(WindowHost& host) : QDialog(host.DialogParent()), host_(host) {
  setObjectName(QStringLiteral("TPerDlg"));
  setWindowTitle(QStringLiteral("Переходный процесс"));
  FileName = tornel::TGraphRecord::MakeTempName();
  BuildControls();
  timerBg_ = new QTimer(this);
  timerBg_->setObjectName(QStringLiteral("TimerBg"));
  timerBg_->setInterval(1);
  connect(timerBg_, &QTimer::timeout, this, &TPerDlg::TimerBgTimer);
  resize(DesignSize(this, {560, 540}));
}

TPerDlg::~TPerDlg() {
  Thread.reset();  // joined before the file goes
  if (ownsFile_) tornel::RemoveFileIfExists(FileName);
}

void TPerDlg::BuildControls() {
  acpGroup_ = new ChannelCheckGroup(QStringLiteral("Каналы АЦП"), 1, this);
  acpGroup_->setObjectName(QStringLiteral("AcpGroup"));

  auto* durationGroup = new QGroupBox(QStringLiteral("Длительность переходного процесса, с"), this);
  durationGroup->setObjectName(QStringLiteral("DurationGroup"));
  durationEdit_ = MakeEdit(durationGroup, "DurationEdit");
  (new QVBoxLayout(durationGroup))->addWidget(durationEdit_);

  auto* modeGroup = new QGroupBox(QStringLiteral("Режим"), this);
  modeGroup->setObjectName(QStringLiteral("ModeGroup"));
  autoModeBox_ = new QCheckBox(QStringLiteral("Автоматический режим"), modeGroup);
  autoModeBox_->setObjectName(QStringLiteral("AutoModeBox"));
  stendStartBox_ = new QCheckBox(QStringLiteral("Запуск программы со стенда"), modeGroup);
  stendStartBox_->setObjectName(QStringLiteral("StendStartBox"));
  auto* modeLayout = new QVBoxLayout(modeGroup);
  modeLayout->addWidget(autoModeBox_);
  modeLayout->addWidget(stendStartBox_);
  // The model's start button lives in the main window's status bar, which
  // this modal dialog shuts off; it gets one of its own here.
  bench_ = host_.Bench();
  if (bench_ != nullptr) {
    auto* benchButton = new QPushButton(QStringLiteral("Кнопка стенда"), modeGroup);
    benchButton->setObjectName(QStringLiteral("StendButton"));
    benchButton->setAutoDefault(false);
    benchButton->setToolTip(QStringLiteral("Держите нажатой, чтобы подать сигнал пуска со стенда"));
    connect(benchButton, &QPushButton::pressed, this, [this] { bench_->SetStartButton(true); });
    connect(benchButton, &QPushButton::released, this, [this] { bench_->SetStartButton(false); });
    modeLayout->addWidget(benchButton);
  }
  connect(autoModeBox_, &QCheckBox::toggled, this, &TPerDlg::ApplyEnablingRule);

  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("TabControl1"));
  tabs_->addTab(QStringLiteral("ЦАП 1"));
  tabs_->addTab(QStringLiteral("ЦАП 2"));
  connect(tabs_, &QTabBar::currentChanged, this, &TPerDlg::OnTabChanged);

  autoGroup_ = new QGroupBox(QStringLiteral("Автоматический режим"), this);
  autoGroup_->setObjectName(QStringLiteral("AutoGroup"));
  useCapBox_ = new QCheckBox(QStringLiteral("Использовать данный ЦАП"), autoGroup_);
  useCapBox_->setObjectName(QStringLiteral("UseCapBox"));
  connect(useCapBox_, &QCheckBox::toggled, this, &TPerDlg::ApplyEnablingRule);
  auto* autoLayout = new QVBoxLayout(autoGroup_);
  autoLayout->addWidget(useCapBox_);
  autoLayout->addWidget(BuildSignalGroup());

  startButton_ = new QPushButton(QStringLiteral("Старт"), this);
  startButton_->setObjectName(QStringLiteral("StartButton"));
  startButton_->setVisible(false);
  const DialogButtons buttons = MakeDialogButtons(this, "OkButton", "CancelButton", true);

  auto* right = new QVBoxLayout;
  right->addWidget(durationGroup);
  right->addWidget(modeGroup);
  right->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(acpGroup_, 1);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(tabs_);
  layout->addWidget(autoGroup_);
  progress_ = new RecordingProgress(this);
  layout->addWidget(progress_);
  layout->addLayout(buttons.Row);
}

QWidget* TPerDlg::BuildSignalGroup() {
  signalGroup_ = new QGroupBox(QStringLiteral("Настройка сигнала задания"), autoGroup_);
  signalGroup_->setObjectName(QStringLiteral("SignalGroup"));
  delayEdit_ = MakeEdit(signalGroup_, "DelayEdit");
  riseTimeEdit_ = MakeEdit(signalGroup_, "RiseTimeEdit");
  trackBar_ = new QSlider(Qt::Horizontal, signalGroup_);
  trackBar_->setObjectName(QStringLiteral("TrackBar1"));
  trackBar_->setTickPosition(QSlider::TicksBelow);
  trackBar_->setTickInterval(tornel::kFullScaleCode / 4 + 1);
  trackBar_->setPageStep(32);
  valueEdit_ = MakeEdit(signalGroup_, "ValueEdit", true);
  unitEdit_ = MakeEdit(signalGroup_, "UnitEdit", true);
  testButton_ = new QPushButton(QStringLiteral("Тест"), signalGroup_);
  testButton_->setObjectName(QStringLiteral("TestButton"));
  resetButton_ = new QPushButton(QStringLiteral("Сброс"), signalGroup_);
  resetButton_->setObjectName(QStringLiteral("ResetButton"));
  for (QPushButton* b : {testButton_, resetButton_}) b->setAutoDefault(false);
  connect(trackBar_, &QSlider::valueChanged, this, &TPerDlg::ShowPhysicalValue);
  connect(resetButton_, &QPushButton::clicked, this, [this] { trackBar_->setValue(0); });
  connect(testButton_, &QPushButton::pressed, this, &TPerDlg::TestPressed);
  connect(testButton_, &QPushButton::released, this, &TPerDlg::TestReleased);

  auto* grid = new QGridLayout(signalGroup_);
  grid->addWidget(new QLabel(QStringLiteral("Задержка сигнала задания, с"), signalGroup_), 0, 0);
  grid->addWidget(delayEdit_, 0, 1, 1, 2);
  grid->addWidget(
      new QLabel(QStringLiteral("Время нарастания сигнала до базового значения, с"), signalGroup_),
      1, 0);
  grid->addWidget(riseTimeEdit_, 1, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Величина сигнала задания"), signalGroup_), 2, 0);
  grid->addWidget(trackBar_, 3, 0, 1, 3);
  auto* row = new QHBoxLayout;
  row->addWidget(valueEdit_, 2);
  row->addWidget(unitEdit_, 1);
  row->addWidget(testButton_);
  row->addWidget(resetButton_);
  grid->addLayout(row, 4, 0, 1, 3);
  return signalGroup_;
}

void TPerDlg::LoadDefaults() {
  Settings = tornel::LoadTransientDefaults(host_.Channels().ConfigPath, host_.Channels().CapCount);
}

void TPerDlg::SaveDefaults() {
  StoreControls();
  tornel::SaveTransientDefaults(host_.Channels().ConfigPath, host_.Channels().CapCount, Settings);
}

std::string TPerDlg::ReleaseFile() {
  ownsFile_ = false;
  return FileName;
}

void TPerDlg::DisableStartButton() { startButton_->setEnabled(false); }

void TPerDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  host_.SetCapZero();
  RebuildTabs();
  ShowTab(shownTab_);
  acpGroup_->SetCheckedMask(static_cast<uint16_t>(Settings.AcpMask));
  durationEdit_->setText(Fixed(Settings.Duration));
  acpGroup_->SetCaptions(std::span(host_.Channels().ChanName).first(tornel::kAcpChannels));
  autoModeBox_->setChecked(Settings.AutoMode);
  stendStartBox_->setChecked(Settings.StendStart);
  ApplyEnablingRule();
  timerBg_->start();
}

void TPerDlg::RebuildTabs() {
  const tornel::ChannelTable& table = host_.Channels();
  int caps = std::clamp(table.CapCount, 0, tornel::kCapChannels);
  QSignalBlocker block(tabs_);
  while (tabs_->count() > caps) tabs_->removeTab(tabs_->count() - 1);
  while (tabs_->count() < caps) tabs_->addTab(QString());
  for (int i = 0; i < caps; ++i) {
    tabs_->setTabText(
        i, ChannelName(table.ChanName[static_cast<std::size_t>(tornel::kCapSlotBase + i)]));
  }
  shownTab_ = 0;
  tabs_->setCurrentIndex(0);
  tabs_->setVisible(caps > 0);
  autoGroup_->setVisible(caps > 0);
}

void TPerDlg::ShowTab(int tab) {
  if (tab < 0 || tab >= tabs_->count()) return;
  const tornel::ChannelTable& table = host_.Channels();
  std::size_t slot = static_cast<std::size_t>(tornel::kCapSlotBase + tab);
  std::size_t t = static_cast<std::size_t>(tab);
  tornel::TrackRange range = tornel::AmplitudeTrackRange(table.Offset[slot]);
  trackBar_->setRange(range.Minimum, range.Maximum);
  trackBar_->setValue(Codes(Settings.Amplitude[t]));
  useCapBox_->setChecked((Settings.CapMask >> tab) & 1);
  delayEdit_->setText(Fixed(Settings.Delay[t]));
  riseTimeEdit_->setText(Fixed(Settings.RiseTime[t]));
  valueEdit_->setText(Fixed(tornel::LevelToPhysical(Settings.Amplitude[t], table.Base[slot])));
  unitEdit_->setText(QString::fromStdString(table.ChanUnit[slot]));
  ApplyEnablingRule();
}

void TPerDlg::StoreTab(int tab) {
  if (tab < 0 || tab >= tabs_->count()) return;
  std::size_t t = static_cast<std::size_t>(tab);
  uint16_t bit = static_cast<uint16_t>(1u << tab);
  uint16_t mask = static_cast<uint16_t>(Settings.CapMask);
  Settings.CapMask = static_cast<int16_t>(useCapBox_->isChecked() ? mask | bit : mask & ~bit);
  Settings.Delay[t] = LenientNumber(delayEdit_);
  Settings.Amplitude[t] = trackBar_->value();
  Settings.RiseTime[t] = LenientNumber(riseTimeEdit_);
}

void TPerDlg::StoreControls() {
  StoreTab(shownTab_);
  Settings.AcpMask = static_cast<int16_t>(acpGroup_->CheckedMask());
  Settings.Duration = LenientNumber(durationEdit_);
  Settings.AutoMode = autoModeBox_->isChecked();
  Settings.StendStart = stendStartBox_->isChecked();
}

void TPerDlg::ApplyEnablingRule() {
  bool automatic = autoModeBox_->isChecked();
  autoGroup_->setEnabled(automatic);
  useCapBox_->setEnabled(automatic);
  signalGroup_->setEnabled(automatic && useCapBox_->isChecked());
}

void TPerDlg::ShowPhysicalValue(int position) {
  std::size_t slot = static_cast<std::size_t>(tornel::kCapSlotBase + shownTab_);
  valueEdit_->setText(Fixed(tornel::LevelToPhysical(position, host_.Channels().Base[slot])));
}

void TPerDlg::OnTabChanged(int tab) {
  StoreTab(shownTab_);
  shownTab_ = tab;
  ShowTab(tab);
}

void TPerDlg::TestPressed() {
  // The amplitude the user sees, not the one last stored for the tab.
  StoreTab(shownTab_);
  std::size_t slot = static_cast<std::size_t>(tornel::kCapSlotBase + shownTab_);
  int level = Codes(Settings.Amplitude[static_cast<std::size_t>(shownTab_)]);
  tornel::CapWrite(host_.Device(), static_cast<int16_t>(shownTab_),
                   tornel::ClampCapCode(host_.Channels().Offset[slot] + level));
}

void TPerDlg::TestReleased() { host_.SetCapZero(); }

void TPerDlg::TimerBgTimer() {
  if (running_ || !stendStartBox_->isChecked()) return;
  if (!tornel::StendStartSignal(host_.Device())) {
    benchArmed_ = true;
    return;
  }
  if (!benchArmed_) return;
  if (Record(true)) done(QDialog::Accepted);
}

bool TPerDlg::Record(bool fromBench) {
  StoreControls();
  timerBg_->stop();
  running_ = true;
  benchArmed_ = false;
  Thread =
      std::make_unique<TScanThr>(host_.Device(), host_.Channels(), host_.Clock(), host_.Priority());
  Thread->StartButtonOff = [this] { DisableStartButton(); };
  Thread->Request = tornel::MakeScanRequest(Settings, host_.Channels(), FileName);
  Thread->start();
  DisableStartButton();
  progress_->Start(Settings.Duration);
  Thread->WaitFor();
  progress_->Stop();
  running_ = false;

  const QString message = QString::fromStdString(Thread->Result.Message);
  switch (Thread->Result.Outcome) {
    case tornel::ScanOutcome::FileNotCreated:
      ErrorBox::Show(this, message);
      startButton_->setEnabled(true);
      timerBg_->start();
      return false;
    case tornel::ScanOutcome::WriteFailed:
    case tornel::ScanOutcome::Failed:
      ErrorBox::Show(this, message);
      return true;
    case tornel::ScanOutcome::Completed:
      break;
  }
  // The bench operator's message keeps its fixed wording whatever the count.
  if (fromBench)
    ErrorBox::ShowPlain(this, QStringLiteral("Считано %1 точек").arg(Thread->Result.Count));
  return true;
}

void TPerDlg::accept() {
  if (running_) return;
  if (Record(false)) done(QDialog::Accepted);
}

void TPerDlg::reject() {
  if (running_) return;
  if (Thread) {
    Thread->Terminate();
    Thread->WaitFor();
  }
  tornel::RemoveFileIfExists(FileName);
  done(QDialog::Rejected);
}

void TPerDlg::done(int result) {
  if (running_) return;
  timerBg_->stop();
  if (bench_ != nullptr) bench_->SetStartButton(false);
  host_.SetCapZero();
  QDialog::done(result);
}

void TPerDlg::closeEvent(QCloseEvent* event) {
  // A recording always runs its full duration; the window manager's close
  // waits for it like every other input.
  if (running_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}
