#include "ui/static/static_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/config/channel_table.h"
#include "core/device/asmcode.h"
#include "core/device/simulated_bench.h"
#include "core/records/day_number.h"
#include "core/static/level_ramp.h"
#include "core/static/point_table_text.h"
#include "core/static/static_note.h"
#include "core/static/static_point.h"
#include "core/static/static_settings.h"
#include "core/text/user_error.h"
#include "ui/static/auto_stat_dlg.h"
#include "ui/static/combo_dlg.h"
#include "ui/static/stat_nastr.h"
#include "ui/static/sweep_box.h"
#include "ui/widgets/column_fit.h"
#include "ui/widgets/design_size.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/qt_busy_cursor.h"
#include "ui/widgets/window_host.h"

namespace {

constexpr int kColumns = tornel::kPointWords;
constexpr int kDacDecimals = 2;
const QColor kRed(255, 0, 0);
const QColor kLime(0, 255, 0);

QString Text(const std::string& s) { return QString::fromStdString(s); }

// A button that stands for an action: its caption, hint and enabled state
// follow the action, and a click triggers it.
void BindButton(QPushButton* button, QAction* action) {
  auto sync = [button, action] {
    button->setText(action->text());
    button->setToolTip(action->toolTip());
    button->setEnabled(action->isEnabled());
  };
  sync();
  QObject::connect(action, &QAction::changed, button, sync);
  QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
}

QPushButton* MakeButton(QWidget* parent, const char* name, QAction* action) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  BindButton(button, action);
  return button;
}

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(true);
  return edit;
}

}  // namespace

TStaticDlg::TStaticDlg(WindowHost& host, QWidget* parent)
    : QDialog(parent), host_(host), points_(tornel::PointFile::CreateTemporary()) {
  setObjectName(QStringLiteral("TStaticDlg"));
  tornel::DayTime opened = tornel::LocalDayTime(std::chrono::system_clock::now());
  note_ = tornel::UnsavedRecording::Begin(
      points_.Path(), tornel::MakeStaticNote(host.Channels(), opened.Date, opened.Time));
  setWindowTitle(QStringLiteral("Статическая характеристика"));
  BuildControls();
  timerBg_ = new QTimer(this);
  timerBg_->setObjectName(QStringLiteral("TimerBg"));
  timerBg_->setInterval(1);
  connect(timerBg_, &QTimer::timeout, this, &TStaticDlg::TimerBgTimer);
  timerAuto_ = new QTimer(this);
  timerAuto_->setObjectName(QStringLiteral("TimerAuto"));
  connect(timerAuto_, &QTimer::timeout, this, &TStaticDlg::TimerAutoTimer);
  resize(DesignSize(this, {623, 405}));
}

TStaticDlg::~TStaticDlg() = default;

QAction* TStaticDlg::MakeAction(const char* name, const QString& text, const QString& hint) {
  auto* action = new QAction(text, this);
  action->setObjectName(QLatin1String(name));
  action->setToolTip(hint.isEmpty() ? text : hint);
  return action;
}

void TStaticDlg::BuildControls() {
  deletePoint_ = MakeAction("ADeletePoint", QStringLiteral("Удалить точку"), {});
  deleteAll_ = MakeAction("ADeleteAll", QStringLiteral("Удалить все"), {});
  savePoint_ =
      MakeAction("ASavePoint", QStringLiteral("Записать"), QStringLiteral("Записать точку"));
  settings_ = MakeAction("AStNastr", QStringLiteral("Настройка"), {});
  autoStart_ =
      MakeAction("AAutoStart", QStringLiteral("Автомат"), QStringLiteral("Автоматический режим"));
  connect(deletePoint_, &QAction::triggered, this, &TStaticDlg::DeletePoint);
  connect(deleteAll_, &QAction::triggered, this, &TStaticDlg::DeleteAll);
  connect(savePoint_, &QAction::triggered, this, [this] { RecordPoint(); });
  connect(settings_, &QAction::triggered, this, &TStaticDlg::EditSettings);
  connect(autoStart_, &QAction::triggered, this, &TStaticDlg::AutoStart);

  grid_ = new QTableWidget(1, kColumns, this);
  grid_->setObjectName(QStringLiteral("StringGrid1"));
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(18);
  grid_->horizontalHeader()->setDefaultSectionSize(50);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(grid_, &QTableWidget::currentCellChanged, this, &TStaticDlg::UpdateActions);

  sweepBox_ = new SweepBox(this);
  connect(sweepBox_, &SweepBox::RightClicked, this, &TStaticDlg::ChooseCoordinates);
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  label3_ = new QLabel(panel);
  label3_->setObjectName(QStringLiteral("Label3"));
  label3_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
  label4_ = new QLabel(panel);
  label4_->setObjectName(QStringLiteral("Label4"));
  label4_->setStyleSheet(QStringLiteral("color: rgb(0, 255, 0);"));
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->addWidget(label3_);
  panelLayout->addWidget(label4_);
  panelLayout->addStretch();

  startFromStend_ = new QCheckBox(
      QStringLiteral("Начать расчет очередной точки статической характеристики после нажатия "
                     "соответствующей кнопки на стенде"),
      this);
  startFromStend_->setObjectName(QStringLiteral("ChBStartFromStend"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(MakeButton(this, "Button1", deletePoint_));
  buttons->addWidget(MakeButton(this, "Button2", deleteAll_));
  saveButton_ = MakeButton(this, "Button3", savePoint_);
  saveButton_->setDefault(true);  // Enter records a point
  buttons->addWidget(saveButton_);
  buttons->addWidget(MakeButton(this, "Button4", settings_));
  buttons->addWidget(MakeButton(this, "Button5", autoStart_));
  // The model's start button lives in the main window's status bar, which
  // this modal window shuts off; it gets one of its own here.
  if (tornel::SimulatedBench* bench = host_.Bench()) {
    auto* benchButton = new QPushButton(QStringLiteral("Кнопка стенда"), this);
    benchButton->setObjectName(QStringLiteral("StendButton"));
    benchButton->setAutoDefault(false);
    benchButton->setToolTip(QStringLiteral("Держите нажатой, чтобы записывать точки со стенда"));
    connect(benchButton, &QPushButton::pressed, this, [bench] { bench->SetStartButton(true); });
    connect(benchButton, &QPushButton::released, this, [bench] { bench->SetStartButton(false); });
    buttons->addWidget(benchButton);
  }
  const DialogButtons closing = MakeDialogButtons(this, "BitBtn1", "BitBtn2", false);
  okButton_ = closing.Ok;
  cancelButton_ = closing.Cancel;

  auto* sweepRow = new QHBoxLayout;
  sweepRow->addWidget(sweepBox_, 3);
  sweepRow->addWidget(panel, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 2);
  layout->addWidget(BuildDacRow(0));
  layout->addWidget(BuildDacRow(1));
  layout->addLayout(sweepRow, 2);
  layout->addWidget(startFromStend_);
  layout->addLayout(buttons);
  layout->addLayout(closing.Row);
}

QWidget* TStaticDlg::BuildDacRow(int dac) {
  auto* row = new QWidget(this);
  const char* names[2][4] = {{"Label1", "TrackBar1", "Edit1", "ERazm1"},
                             {"Label2", "TrackBar2", "Edit2", "ERazm2"}};
  dacNames_[dac] = new QLabel(row);
  dacNames_[dac]->setObjectName(QLatin1String(names[dac][0]));
  trackBars_[dac] = new QSlider(Qt::Horizontal, row);
  trackBars_[dac]->setObjectName(QLatin1String(names[dac][1]));
  trackBars_[dac]->setTickPosition(QSlider::TicksBelow);
  trackBars_[dac]->setTickInterval(10);
  dacValues_[dac] = ReadOnlyEdit(row, names[dac][2]);
  dacUnits_[dac] = ReadOnlyEdit(row, names[dac][3]);
  connect(trackBars_[dac], &QSlider::valueChanged, this,
          [this, dac](int position) { TrackBarChangeSimple(dac, position); });
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(dacNames_[dac], 2);
  layout->addWidget(trackBars_[dac], 5);
  layout->addWidget(dacValues_[dac], 1);
  layout->addWidget(dacUnits_[dac], 1);
  return row;
}

void TStaticDlg::LoadSettings() {
  tornel::StaticSettings s = tornel::LoadStaticSettings(host_.Channels().ConfigPath);
  Coord1 = s.Coord1;
  Coord2 = s.Coord2;
  startFromStend_->setChecked(s.StartFromStend);
}

void TStaticDlg::SaveSettings() {
  tornel::SaveStaticSettings(host_.Channels().ConfigPath,
                             {Coord1, Coord2, startFromStend_->isChecked()});
}

void TStaticDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  ShowHeader();
  sweepBox_->Clear();
  sweep_.Restart(host_.Clock().Now());
  const tornel::ChannelTable& table = host_.Channels();
  for (int dac = 0; dac < 2; ++dac) {
    int minimum = -table.Offset[tornel::kCapSlotBase + dac];
    QSignalBlocker block(trackBars_[dac]);
    trackBars_[dac]->setRange(minimum, minimum + 1022);
    trackBars_[dac]->setValue(0);
    DacLevel[dac] = 0;
  }
  for (int dac = 0; dac < 2; ++dac) TrackBarChangeSimple(dac, trackBars_[dac]->value());
  host_.RampCapToZero(DacLevel);
  UpdateActions();
  timerBg_->start();
}

void TStaticDlg::ShowHeader() {
  const tornel::ChannelTable& table = host_.Channels();
  QStringList header;
  for (int column = 0; column < kColumns; ++column)
    header << Text(tornel::PointHeaderText(table, tornel::PointColumnSlot(column)));
  grid_->setHorizontalHeaderLabels(header);
  WidenColumnsToFit(grid_);
  for (int dac = 0; dac < 2; ++dac) {
    dacNames_[dac]->setText(Text(table.ChanName[tornel::kCapSlotBase + dac]));
    dacUnits_[dac]->setText(Text(table.ChanUnit[tornel::kCapSlotBase + dac]));
  }
}

void TStaticDlg::TrackBarChangeSimple(int dac, int position) {
  DacLevel[dac] = static_cast<int16_t>(position);
  const tornel::ChannelTable& table = host_.Channels();
  tornel::CapWrite(host_.Device(), static_cast<int16_t>(dac),
                   tornel::ClampCapCode(table.Offset[tornel::kCapSlotBase + dac] + position));
  ShowLevel(dac, position);
}

void TStaticDlg::ShowLevel(int dac, int level) {
  dacValues_[dac]->setText(Text(tornel::PhysicalValueText(
      host_.Channels(), tornel::kCapSlotBase + dac, level, kDacDecimals)));
}

void TStaticDlg::TimerBgTimer() {
  if (measuring_) return;
  const tornel::ChannelTable& table = host_.Channels();
  uint32_t now = host_.Clock().Now();
  if (sweep_.WrapIfDue(now)) sweepBox_->Clear();
  int x = sweep_.X(now, sweepBox_->width());
  int height = sweepBox_->height();
  const std::array<std::pair<int16_t, QLabel*>, 2> shown = {{{Coord1, label3_}, {Coord2, label4_}}};
  for (std::size_t i = 0; i < shown.size(); ++i) {
    int16_t ch = shown[i].first;
    auto code = static_cast<int16_t>(static_cast<uint16_t>(tornel::AcpRead(host_.Device(), ch)) +
                                     static_cast<uint16_t>(table.Offset[ch]));
    shown[i].second->setText(Text(tornel::LiveValueText(table, ch, code)));
    sweepBox_->Plot(x, tornel::SweepTrace::Y(code, height), i == 0 ? kRed : kLime);
  }
  if (startFromStend_->isEnabled() && startFromStend_->isChecked() &&
      tornel::StendStartSignal(host_.Device())) {
    RecordPoint();
  }
}

bool TStaticDlg::RecordPoint() {
  if (measuring_) return false;
  measuring_ = true;
  bool added = false;
  try {
    QtBusyCursor cursor;
    tornel::StaticPoint point =
        tornel::MeasureStaticPoint(host_.Device(), host_.Channels(), host_.Clock(),
                                   host_.Priority(), {DacLevel[0], DacLevel[1]}, &cursor);
    points_.Append(point);
    int row = grid_->rowCount() - 1;
    for (int column = 0; column < kColumns; ++column) {
      auto* item =
          new QTableWidgetItem(Text(tornel::PointCellText(host_.Channels(), point, column)));
      grid_->setItem(row, column, item);
    }
    WidenColumnsToFit(grid_);
    grid_->setRowCount(row + 2);
    grid_->setCurrentCell(row + 1, grid_->currentColumn() < 0 ? 0 : grid_->currentColumn());
    added = true;
  } catch (const tornel::UserError& e) {
    ShowError(QString::fromUtf8(e.what()));
  }
  measuring_ = false;
  UpdateActions();
  return added;
}

void TStaticDlg::ShowError(const QString& text) {
  // The background tick stays quiet while the box is up, so a held bench
  // button does not stack one box on another.
  bool was = std::exchange(measuring_, true);
  ErrorBox::Show(this, text);
  measuring_ = was;
}

void TStaticDlg::DeletePoint() {
  int row = grid_->currentRow();
  if (row < 0 || row >= points_.Count()) return;
  try {
    points_.Remove(row);
  } catch (const tornel::UserError& e) {
    ShowError(QString::fromUtf8(e.what()));
    return;
  }
  grid_->removeRow(row);
  UpdateActions();
}

void TStaticDlg::DeleteAll() {
  try {
    points_.Clear();
  } catch (const tornel::UserError& e) {
    ShowError(QString::fromUtf8(e.what()));
    return;
  }
  grid_->setRowCount(0);
  grid_->setRowCount(1);
  grid_->setCurrentCell(0, 0);
  UpdateActions();
}

void TStaticDlg::ChooseCoordinates() {
  if (ramping_) return;  // a window held open would hold the ramp up
  const tornel::ChannelTable& table = host_.Channels();
  QStringList names;
  for (int ch = 0; ch < tornel::kAcpChannels; ++ch) names << Text(table.ChanName[ch]);
  TComboDlg dialog(this);
  dialog.SetSecondShown(true);
  dialog.Label1()->setText(QStringLiteral("Коорд.№1"));
  dialog.Label2()->setText(QStringLiteral("Коорд.№2"));
  dialog.ComboBox1()->addItems(names);
  dialog.ComboBox2()->addItems(names);
  dialog.ComboBox1()->setCurrentIndex(Coord1);
  dialog.ComboBox2()->setCurrentIndex(Coord2);
  if (dialog.exec() != QDialog::Accepted) return;
  Coord1 = static_cast<int16_t>(dialog.ComboBox1()->currentIndex());
  Coord2 = static_cast<int16_t>(dialog.ComboBox2()->currentIndex());
  ErrorBox::Guard(this, [this] { SaveSettings(); });
}

void TStaticDlg::EditSettings() {
  if (!ramping_) EditFilterMask(host_.Channels(), this);
}

void TStaticDlg::AutoStart() {
  if (autoRun_) {
    autoRun_->RequestStop();
    // While the level settles nothing is under way, so the run ends now; a
    // ramp under way ends first.
    if (timerAuto_->isActive()) FinishAutoRun();
    return;
  }
  std::optional<StaticAutoStart> start = AskAutoStart(host_, this);
  if (start) StartAutoRun(start->Dac, start->Request);
}

void TStaticDlg::StartAutoRun(int dac, const tornel::AutoRunRequest& request) {
  if (autoRun_ || dac < 0 || dac > 1) return;
  tornel::AutoRunCheck check = tornel::CheckAutoRun(request);
  if (!check.Starts) {
    if (!check.Message.empty()) ShowError(Text(check.Message));
    return;
  }
  autoRun_.emplace(request);
  autoDac_ = dac;
  autoStart_->setText(QStringLiteral("Стоп"));
  UpdateActions();
  RampToValue(autoRun_->Value());
  QCoreApplication::processEvents();
  timerAuto_->setInterval(autoRun_->TimerIntervalMs());
  SettleOrFinish();
}

void TStaticDlg::TimerAutoTimer() {
  timerAuto_->stop();
  if (!autoRun_) return;
  // A point that cannot be written ends the run rather than repeating the
  // message at every step.
  if (!RecordPoint()) autoRun_->RequestStop();
  std::optional<double> next = autoRun_->NextAfterPoint();
  if (!next) {
    FinishAutoRun();
    return;
  }
  RampToValue(*next);
  SettleOrFinish();
}

void TStaticDlg::SettleOrFinish() {
  if (autoRun_->StopRequested()) {
    FinishAutoRun();  // "Стоп" came during the ramp
  } else {
    timerAuto_->start();  // the settling time starts once the level is there
  }
}

void TStaticDlg::FinishAutoRun() {
  timerAuto_->stop();
  RampTo(autoDac_, 0);
  EndAutoRun();
}

void TStaticDlg::RampToValue(double value) {
  double base = host_.Channels().Base[tornel::kCapSlotBase + autoDac_];
  QSlider* bar = trackBars_[autoDac_];
  RampTo(autoDac_,
         std::clamp(tornel::PositionOfValue(value, base), bar->minimum(), bar->maximum()));
}

void TStaticDlg::RampTo(int dac, int target) {
  QSlider* bar = trackBars_[dac];
  target = std::clamp(target, bar->minimum(), bar->maximum());
  if (target == DacLevel[dac]) return;  // the position does not change
  int16_t from = DacLevel[dac];
  DacLevel[dac] = static_cast<int16_t>(target);
  ramping_ = true;
  UpdateActions();
  tornel::RampDacLevel(host_.Device(), host_.Channels(), host_.Clock(), dac, from,
                       static_cast<int16_t>(target), [this, bar, dac](int16_t level) {
                         QSignalBlocker block(bar);
                         bar->setValue(level);
                         ShowLevel(dac, level);
                         QCoreApplication::processEvents();
                       });
  ramping_ = false;
  UpdateActions();
}

void TStaticDlg::EndAutoRun() {
  autoRun_.reset();
  autoStart_->setText(QStringLiteral("Автомат"));
  UpdateActions();
}

void TStaticDlg::UpdateActions() {
  bool running = autoRun_.has_value();
  int row = grid_->currentRow();
  deletePoint_->setEnabled(row >= 0 && row < grid_->rowCount() - 1);
  deleteAll_->setEnabled(grid_->rowCount() > 1);
  savePoint_->setEnabled(!running);
  settings_->setEnabled(!ramping_);
  okButton_->setEnabled(!running);
  cancelButton_->setEnabled(!running);
  startFromStend_->setEnabled(!running);
  for (int dac = 0; dac < 2; ++dac) trackBars_[dac]->setEnabled(!running || dac != autoDac_);
}

void TStaticDlg::accept() {
  if (!autoRun_) QDialog::accept();
}

void TStaticDlg::reject() {
  if (!autoRun_) QDialog::reject();
}

void TStaticDlg::done(int result) {
  if (autoRun_) return;
  timerBg_->stop();
  if (tornel::SimulatedBench* bench = host_.Bench()) bench->SetStartButton(false);
  host_.RampCapToZero(DacLevel);
  DacLevel = {};
  QDialog::done(result);
}

void TStaticDlg::closeEvent(QCloseEvent* event) {
  // During an automatic run "Стоп" is the way out.
  if (autoRun_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}
