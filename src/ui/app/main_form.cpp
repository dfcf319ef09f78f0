#include "ui/app/main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <exception>

#include "core/device/asmcode.h"
#include "core/device/dac_routines.h"
#include "core/device/null_device.h"
#include "core/device/os_priority_control.h"
#include "core/device/simulated_bench.h"
#include "core/device/tick_clock.h"
#include "core/device/zero_calibration.h"
#include "core/text/user_error.h"
#include "ui/acquisition/acp_dlg.h"
#include "ui/acquisition/cap_dlg.h"
#include "ui/app/about_box.h"
#include "ui/app/device_status.h"
#include "ui/app/exit_questions.h"
#include "ui/app/fit_scheme_flow.h"
#include "ui/app/main_actions.h"
#include "ui/app/menu_merger.h"
#include "ui/app/page_setup_dialog.h"
#include "ui/app/spectrum_flow.h"
#include "ui/app/static_flow.h"
#include "ui/app/text_form.h"
#include "ui/app/transient_flow.h"
#include "ui/app/window_arranger.h"
#include "ui/canvas/file_path.h"
#include "ui/config/main_nastr.h"
#include "ui/graph/graph_frm.h"
#include "ui/scheme/struct_frm.h"
#include "ui/widgets/child_menu_provider.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/progress_dlg.h"
#include "ui/widgets/titled_message_box.h"

TMainForm* MainForm = nullptr;

namespace {

// Stand-ins for an environment that names no clock or priority control.
tornel::MonotonicTickClock& SystemClock() {
  static tornel::MonotonicTickClock clock;
  return clock;
}

tornel::NullDevice& NoDevice() {
  static tornel::NullDevice device;
  return device;
}

tornel::OsPriorityControl& SystemPriority() {
  static tornel::OsPriorityControl control;
  return control;
}

}  // namespace

TMainForm::TMainForm(const AppEnvironment& env, QWidget* parent)
    : QMainWindow(parent),
      env_(env),
      printer_(std::make_unique<QPrinter>()),
      mdiArea_(new QMdiArea(this)),
      actions_(std::make_unique<MainActions>(this)) {
  MainForm = this;
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("TornelAD"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/tornel.svg")));

  mdiArea_->setObjectName(QStringLiteral("MdiArea"));
  mdiArea_->setBackground(palette().brush(QPalette::Dark));
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdiArea_);

  const MainActions& a = *actions_;
  commands_ = {a.APerehHar, a.AStaticHar, a.AStructFrm, a.FileOpen,
               a.FileClose, a.FileExit,   a.APageSetup, a.APrintSetup};
  CreateMenus();
  CreateToolBar();
  deviceStatus_ = new DeviceStatus(Device(), env_.bench, this);
  statusBar()->addPermanentWidget(deviceStatus_);
  ConnectActions();
  activatedConnection_ =
      connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::OnSubWindowActivated);

  for (std::string& name : channels_.ChanName) name.clear();
  for (std::string& unit : channels_.ChanUnit) unit.clear();
  channels_.ConfigPath = FilePath(env_.configPath);
  channels_.CapCount = 2;
  printer_->setPageOrientation(QPageLayout::Landscape);
  channels_.LoadConfig();

  setWindowState(windowState() | Qt::WindowMaximized);
  UpdateChildActions();
}

TMainForm::~TMainForm() {
  // Children die after this body; their going must not call back into a
  // window that is half destroyed.
  disconnect(activatedConnection_);
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) window->disconnect(this);
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::CreateMenus() {
  const MainActions& a = *actions_;
  fileMenu_ = new QMenu(QStringLiteral("&Файл"), this);
  fileMenu_->setObjectName(QStringLiteral("FileMenu"));
  fileMenu_->addActions({a.APerehHar, a.AStaticHar, a.AStructFrm});
  fileMenu_->addSeparator();
  fileMenu_->addActions({a.FileOpen, a.FileClose});
  fileMenu_->addSeparator();
  fileMenu_->addActions({a.APageSetup, a.APrintSetup});
  fileMenu_->addSeparator();
  fileMenu_->addAction(a.FileExit);

  settingsMenu_ = new QMenu(QStringLiteral("&Настройка"), this);
  settingsMenu_->setObjectName(QStringLiteral("SettingsMenu"));
  settingsMenu_->addActions({a.ANastrACP, a.ANastrCAP});
  settingsMenu_->addSeparator();
  settingsMenu_->addActions({a.ACalibrZero, a.AResetZero});
  settingsMenu_->addSeparator();
  settingsMenu_->addAction(a.AParams);

  windowMenu_ = new QMenu(QStringLiteral("&Окно"), this);
  windowMenu_->setObjectName(QStringLiteral("WindowMenu"));
  windowMenu_->addActions({a.WindowCascade, a.WindowTileHorizontal, a.WindowTileVertical,
                           a.WindowMinimizeAll, a.WindowArrangeAll});
  connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);

  helpMenu_ = new QMenu(QStringLiteral("&?"), this);
  helpMenu_->setObjectName(QStringLiteral("HelpMenu"));
  helpMenu_->addAction(a.HelpAbout);

  menus_ = std::make_unique<MenuMerger>(
      menuBar(), QList<QMenu*>{fileMenu_, settingsMenu_, windowMenu_, helpMenu_}, windowMenu_);
}

void TMainForm::CreateToolBar() {
  const MainActions& a = *actions_;
  toolBar_ = addToolBar(QStringLiteral("Панель управления"));
  toolBar_->setObjectName(QStringLiteral("ToolBar1"));
  toolBar_->setMovable(true);
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->addActions({a.APerehHar, a.AStaticHar, a.AStructFrm});
  toolBar_->addSeparator();
  toolBar_->addActions({a.FileOpen, a.FileClose});
  toolBar_->addSeparator();
  toolBar_->addAction(a.HelpAbout);
}

void TMainForm::ConnectActions() {
  const MainActions& a = *actions_;
  connect(a.APerehHar, &QAction::triggered, this, &TMainForm::APerehHarExecute);
  connect(a.AStaticHar, &QAction::triggered, this, &TMainForm::AStaticHarExecute);
  connect(a.AStructFrm, &QAction::triggered, this, &TMainForm::AStructFrmExecute);
  connect(a.FileOpen, &QAction::triggered, this, &TMainForm::FileOpenExecute);
  connect(a.FileClose, &QAction::triggered, mdiArea_, &QMdiArea::closeActiveSubWindow);
  connect(a.FileExit, &QAction::triggered, this, &QWidget::close);
  connect(a.APageSetup, &QAction::triggered, this, &TMainForm::APageSetupExecute);
  connect(a.APrintSetup, &QAction::triggered, this, &TMainForm::APrintSetupExecute);
  connect(a.ACalibrZero, &QAction::triggered, this, &TMainForm::ACalibrZeroExecute);
  connect(a.AResetZero, &QAction::triggered, this, &TMainForm::AResetZeroExecute);
  connect(a.HelpAbout, &QAction::triggered, this, &TMainForm::HelpAboutExecute);
  connect(a.ANastrACP, &QAction::triggered, this, &TMainForm::ANastrACPExecute);
  connect(a.ANastrCAP, &QAction::triggered, this, &TMainForm::ANastrCAPExecute);
  connect(a.AParams, &QAction::triggered, this, &TMainForm::AParamsExecute);
  connect(a.WindowCascade, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
  connect(a.WindowTileHorizontal, &QAction::triggered, this,
          [this] { WindowArranger::TileHorizontal(mdiArea_); });
  connect(a.WindowTileVertical, &QAction::triggered, this,
          [this] { WindowArranger::TileVertical(mdiArea_); });
  connect(a.WindowMinimizeAll, &QAction::triggered, this,
          [this] { WindowArranger::MinimizeAll(mdiArea_); });
  connect(a.WindowArrangeAll, &QAction::triggered, this,
          [this] { WindowArranger::ArrangeIcons(mdiArea_); });
}

void TMainForm::UpdateChildActions() {
  const MainActions& a = *actions_;
  bool any = !mdiArea_->subWindowList().isEmpty();
  for (QAction* action : {a.FileClose, a.WindowCascade, a.WindowTileHorizontal,
                          a.WindowTileVertical, a.WindowMinimizeAll, a.WindowArrangeAll}) {
    action->setEnabled(any);
  }
}

void TMainForm::OnSubWindowActivated(QMdiSubWindow* window) {
  // A window being closed stays current for a moment; it brings no menus.
  if (window == nullptr) window = mdiArea_->currentSubWindow();
  if (window != nullptr && !window->isVisible()) window = nullptr;
  auto* provider = window ? dynamic_cast<ChildMenuProvider*>(window->widget()) : nullptr;
  menus_->Merge(provider ? provider->ChildMenus() : QList<QMenu*>{});
  UpdateChildActions();
}

void TMainForm::FillWindowMenu() {
  qDeleteAll(windowListActions_);
  windowListActions_.clear();
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
  if (windows.isEmpty()) return;
  windowListActions_.append(windowMenu_->addSeparator());
  QMdiSubWindow* current = mdiArea_->currentSubWindow();
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows[i];
    QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
    QAction* item = windowMenu_->addAction(number + window->windowTitle());
    item->setCheckable(true);
    item->setChecked(window == current);
    connect(item, &QAction::triggered, this, [this, window] {
      if (mdiArea_->subWindowList().contains(window)) mdiArea_->setActiveSubWindow(window);
    });
    windowListActions_.append(item);
  }
}

QList<QMenu*> TMainForm::ShownMenus() const { return menus_->Shown(); }

QAction* TMainForm::Action(const QString& name) const {
  for (QAction* action : actions_->All()) {
    if (action->objectName() == name) return action;
  }
  return nullptr;
}

void TMainForm::SetCapZero() {
  tornel::SetCapZero(Device(), channels_);
  // The model has to know which codes mean zero reference and zero load.
  if (env_.bench != nullptr) {
    env_.bench->SetCapZeroCodes(channels_.Offset[tornel::kCapSlotBase],
                                channels_.Offset[tornel::kCapSlotBase + 1]);
  }
}

void TMainForm::RampCapToZero(std::span<const int16_t> levels) {
  tornel::RampCapToZero(Device(), channels_, Clock(), levels, &busyCursor_);
}

tornel::Device& TMainForm::Device() { return env_.device ? *env_.device : NoDevice(); }

tornel::TickClock& TMainForm::Clock() { return env_.clock ? *env_.clock : SystemClock(); }

tornel::PriorityControl& TMainForm::Priority() {
  return env_.priority ? *env_.priority : SystemPriority();
}

QMdiSubWindow* TMainForm::Insert(QWidget* child) {
  QMdiSubWindow* window = mdiArea_->addSubWindow(child);
  // Closing the last child, or one in the background, activates nothing.
  connect(window, &QObject::destroyed, this, [this] {
    QTimer::singleShot(0, this, [this] { OnSubWindowActivated(mdiArea_->activeSubWindow()); });
  });
  return window;
}

QMdiSubWindow* TMainForm::AddChild(QWidget* child, const QString& captionPrefix) {
  QMdiSubWindow* window = Insert(child);
  if (auto* graph = qobject_cast<TGraphFrm*>(child)) ConnectSpectrumCommand(*this, *graph);
  if (!captionPrefix.isEmpty()) child->setWindowTitle(NumberedCaption(captionPrefix));
  window->show();
  UpdateChildActions();
  return window;
}

const MainCommands& TMainForm::Commands() const { return commands_; }

QString TMainForm::NumberedCaption(const QString& prefix) const {
  return prefix + QString::number(mdiArea_->subWindowList().size());
}

QMdiSubWindow* TMainForm::AddChildAndLoad(QWidget* child, const std::function<void()>& load) {
  QMdiSubWindow* window = AddChild(child);
  try {
    load();
  } catch (const tornel::UserError& e) {
    delete window;  // the child with it; it never showed a record
    ErrorBox::ShowPlain(this, QString::fromUtf8(e.what()));
    return nullptr;
  } catch (const std::exception& e) {
    ErrorBox::Show(this, QString::fromUtf8(e.what()));
  }
  return window;
}

QString TMainForm::DescriptionPath(const QString& fileName) const {
  if (QDir::isAbsolutePath(fileName)) return fileName;
  for (const QString& folder : env_.textFolders) {
    QString path = folder + "/" + fileName;
    if (QFileInfo(path).isFile()) return path;
  }
  return env_.textFolders.isEmpty() ? fileName : env_.textFolders.first() + "/" + fileName;
}

bool TMainForm::ShowDescription(const QString& fileName) {
  TTextForm form(this);
  connect(&form, &TTextForm::Shown, this, &TMainForm::SetCapZero);
  QString path = DescriptionPath(fileName);
  if (!ErrorBox::Guard(this, [&] { form.LoadFile(path); })) return false;
  return form.exec() == QDialog::Accepted;
}

void TMainForm::APerehHarExecute() {
  if (!ShowDescription(QStringLiteral("PerehDoc.rtf"))) return;
  RunTransientFlow(*this);
}

void TMainForm::AStaticHarExecute() {
  if (!ShowDescription(QStringLiteral("StatDoc.rtf"))) return;
  RunStaticFlow(*this);
}

TMainForm::FileKind TMainForm::KindOfFile(const QString& path) {
  QString name = QFileInfo(path).fileName();
  qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  QString extension = dot < 0 ? QString() : name.mid(dot);
  // Byte for byte: ".DTA" is not a data file.
  if (extension == QLatin1String(".dta")) return FileKind::Data;
  if (extension == QLatin1String(".str")) return FileKind::Scheme;
  return FileKind::Other;
}

void TMainForm::OpenFile(const QString& path) {
  switch (KindOfFile(path)) {
    case FileKind::Data:
      OpenDataFileWindow(path);
      break;
    case FileKind::Scheme:
      OpenSchemeWindow(path);
      break;
    case FileKind::Other:
      break;
  }
}

QMdiSubWindow* TMainForm::OpenDataFileWindow(const QString& path) {
  auto* window = new TGraphFrm(*this);
  return AddChildAndLoad(window, [window, path] { window->OpenDataFile(path); });
}

QMdiSubWindow* TMainForm::OpenSchemeWindow(const QString& path) {
  auto* window = new TStructFrm(*this);
  return AddChildAndLoad(window, [window, path] { window->LoadScheme(path); });
}

void TMainForm::AStructFrmExecute() { AddChild(new TStructFrm(*this)); }

QMdiSubWindow* TMainForm::OpenFitScheme(const tornel::FitSchemeModel& model) {
  return OpenFitSchemeFlow(*this, model);
}

void TMainForm::FileOpenExecute() {
  QFileDialog dialog(this, QStringLiteral("Открыть"), openFolder_,
                     QStringLiteral("Файл данных (*.dta);;Схема (*.str);;Все файлы (*)"));
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A folder of schemes must not look empty each time it is opened again.
  if (!openFilter_.isEmpty()) dialog.selectNameFilter(openFilter_);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  openFilter_ = dialog.selectedNameFilter();
  if (!accepted || dialog.selectedFiles().isEmpty()) return;
  QString path = dialog.selectedFiles().first();
  openFolder_ = QFileInfo(path).absolutePath();
  ErrorBox::Guard(this, [&] { OpenFile(path); });
}

void TMainForm::APageSetupExecute() {
  PageSetupDialog dialog(this);
  dialog.SetValues(pageSetup_);
  if (dialog.exec() == QDialog::Accepted) pageSetup_ = dialog.Values();
}

void TMainForm::APrintSetupExecute() {
  QPrintDialog dialog(printer_.get(), this);
  dialog.setWindowTitle(QStringLiteral("Настройка принтера"));
  dialog.exec();
}

void TMainForm::ACalibrZeroExecute() {
  std::exception_ptr failure;
  {
    TProgressDlg progress;  // the application's, not this window's
    progress.setWindowTitle(QStringLiteral("Калибровка уровня нуля АЦП"));
    progress.SetMax(tornel::kAcpChannels);
    progress.SetPosition(0);
    progress.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    calibrating_ = true;
    try {
      tornel::CalibrateZero(Device(), channels_, Clock(), Priority(),
                            [&](int) { progress.StepIt(); });
    } catch (...) {
      failure = std::current_exception();
    }
    calibrating_ = false;
  }
  if (failure) {
    ErrorBox::Guard(this, [&] { std::rethrow_exception(failure); });
    return;
  }
  // Sixteen seconds of a still window deserve a word that it worked.
  ErrorBox::ShowPlain(this, QStringLiteral("Смещения нуля каналов АЦП найдены и записаны"));
}

void TMainForm::AResetZeroExecute() {
  // A calibration takes a quiet bench and sixteen seconds to redo.
  const auto answer =
      TitledMessageBox::Ask(this, QStringLiteral("Сбросить смещения нуля всех каналов АЦП?"),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  if (answer != QMessageBox::Yes) return;
  ErrorBox::Guard(this, [this] { tornel::ResetZero(channels_); });
}

void TMainForm::ANastrACPExecute() {
  ErrorBox::Guard(this, [this] { EditAcpSettings(*this); });
}

void TMainForm::ANastrCAPExecute() {
  ErrorBox::Guard(this, [this] { EditCapSettings(*this); });
}

void TMainForm::AParamsExecute() {
  ErrorBox::Guard(this, [this] { EditParams(Channels(), this); });
}

void TMainForm::HelpAboutExecute() {
  TAboutBox box(this);
  box.exec();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Only the program's own showing, not a restore from the task bar in the
  // middle of an experiment.
  if (!event->spontaneous()) SetCapZero();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (calibrating_) {
    event->ignore();
    return;
  }
  // Every question first: a Cancel must not find the other windows gone.
  if (!AskEveryClosingQuestion(*mdiArea_)) {
    event->ignore();
    return;
  }
  // A child that still stays keeps the program open.
  mdiArea_->closeAllSubWindows();
  if (!mdiArea_->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  SetCapZero();
  event->accept();
}
