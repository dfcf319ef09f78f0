#pragma once

#include <QMainWindow>
#include <QMetaObject>
#include <QPrinter>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "core/config/channel_table.h"
#include "ui/app/app_environment.h"
#include "ui/app/page_setup_values.h"
#include "ui/app/qt_busy_cursor.h"

class DeviceStatus;
class MainActions;
class MenuMerger;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace tornel {
class Device;
class PriorityControl;
class SimulatedBench;
class TickClock;
}  // namespace tornel

// The program's one main window: a multiple-document frame whose children are
// graph and scheme windows. It owns the channel table of the run, offers every
// top-level command through one action list shared by the menu and the tool
// bar, runs the experiment flows (description, dialog, graph window) and
// keeps the page setup and the printer that printing uses. Other windows
// reach it through the global MainForm.
class TMainForm : public QMainWindow {
  Q_OBJECT

public:
  // Sets MainForm and makes env.device the active device; loads the channel
  // table from env.configPath.
  explicit TMainForm(const AppEnvironment& env, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The one channel table of the run.
  tornel::ChannelTable Channels;

  // Every DAC in use at its zero code, on the active device.
  void SetCapZero();
  // The DACs in use back to zero along a ramp, with the hourglass; GUI thread
  // only (the scan thread calls tornel::RampCapToZero itself, without a
  // cursor).
  void RampCapToZero(std::span<const int16_t> levels);
  tornel::Device& Device();
  // The device as the simulated bench, when it is one.
  tornel::SimulatedBench* Bench() { return env_.bench; }
  tornel::TickClock& Clock();
  tornel::PriorityControl& Priority();

  QMdiArea* MdiArea() const { return mdiArea_; }
  // Adds `child` as an MDI child window and shows it. A child that implements
  // ChildMenuProvider brings its menus while it is active.
  QMdiSubWindow* AddChild(QWidget* child);
  // The same, captioned NumberedCaption(captionPrefix) counted with the new
  // child: the rule by which experiment results are titled.
  QMdiSubWindow* AddChild(QWidget* child, const QString& captionPrefix);
  // prefix + the number of child windows now.
  QString NumberedCaption(const QString& prefix) const;
  // Adds and shows `child`, then runs `load` (the child reading its file).
  // A UserError closes the new child again and shows its text in a plain
  // message box; the result is then nullptr. Other errors are shown in the
  // error box, the child stays.
  QMdiSubWindow* AddChildAndLoad(QWidget* child, const std::function<void()>& load);

  const PageSetupValues& PageSetup() const { return pageSetup_; }
  void SetPageSetup(const PageSetupValues& values) { pageSetup_ = values; }
  // The shared printer: landscape from the start, set up by APrintSetup.
  QPrinter& Printer() { return *printer_; }

  // The description-window step: shows the description text `fileName`
  // ("PerehDoc.rtf") found in the text folders; true when the user pressed
  // "Продолжить". A missing file shows "Cannot open file <path>" and gives
  // false.
  bool ShowDescription(const QString& fileName);
  // The path a description text is read from: the first text folder that has
  // it, else the first text folder's (so a message names the expected place).
  QString DescriptionPath(const QString& fileName) const;

  // FileOpen on a chosen path: ".dta" opens a graph window, ".str" a scheme
  // window; the extension (from the last "." of the name) is compared byte
  // for byte, so ".DTA" opens nothing.
  void OpenFile(const QString& path);
  enum class FileKind { Data, Scheme, Other };
  static FileKind KindOfFile(const QString& path);

  // A main-window action by its name ("FileOpen"), for child windows whose
  // menus offer main-window commands; nullptr for an unknown name.
  QAction* Action(const QString& name) const;
  // The menus in the menu bar now, left to right.
  QList<QMenu*> ShownMenus() const;
  DeviceStatus* Status() const { return deviceStatus_; }

  // The command handlers, named after their actions.
  void APerehHarExecute();
  void AStaticHarExecute();
  void FileOpenExecute();
  void APageSetupExecute();
  void APrintSetupExecute();
  void ACalibrZeroExecute();
  void AResetZeroExecute();
  void HelpAboutExecute();

protected:
  // Filled in by the graph-window and scheme-window work: create the window,
  // let it load `path` through AddChildAndLoad. Until then nothing opens.
  virtual QMdiSubWindow* OpenDataFileWindow(const QString& path);
  virtual QMdiSubWindow* OpenSchemeWindow(const QString& path);

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  QMdiSubWindow* Insert(QWidget* child);
  void CreateMenus();
  void CreateToolBar();
  void ConnectActions();
  void UpdateChildActions();
  void FillWindowMenu();
  void OnSubWindowActivated(QMdiSubWindow* window);

  AppEnvironment env_;
  QtBusyCursor busyCursor_;
  std::unique_ptr<QPrinter> printer_;
  PageSetupValues pageSetup_;
  QMdiArea* mdiArea_;
  std::unique_ptr<MainActions> actions_;
  QToolBar* toolBar_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* settingsMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QList<QAction*> windowListActions_;
  std::unique_ptr<MenuMerger> menus_;
  DeviceStatus* deviceStatus_ = nullptr;
  QMetaObject::Connection activatedConnection_;
  bool calibrating_ = false;
  QString openFolder_;  // where the open dialog was left
};

// The one main window of the run, nullptr before it exists and after it is
// gone.
extern TMainForm* MainForm;
