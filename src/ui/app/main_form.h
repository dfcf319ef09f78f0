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
#include "ui/widgets/qt_busy_cursor.h"
#include "ui/widgets/window_host.h"

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
// keeps the page setup and the printer that printing uses. Child windows and
// flows reach it as their WindowHost.
class TMainForm : public QMainWindow, public WindowHost {
  Q_OBJECT

public:
  // Sets MainForm; loads the channel table from env.configPath.
  explicit TMainForm(const AppEnvironment& env, QWidget* parent = nullptr);
  ~TMainForm() override;

  // WindowHost. The scan thread calls tornel::RampCapToZero itself, without
  // a cursor.
  tornel::ChannelTable& Channels() override { return channels_; }
  tornel::Device& Device() override;
  tornel::SimulatedBench* Bench() override { return env_.bench; }
  tornel::TickClock& Clock() override;
  tornel::PriorityControl& Priority() override;
  void SetCapZero() override;
  void RampCapToZero(std::span<const int16_t> levels) override;
  // Captioned NumberedCaption(captionPrefix) counted with the new child
  // when the prefix is not empty: the rule by which experiment results are
  // titled. A child that implements ChildMenuProvider brings its menus while
  // it is active.
  QMdiSubWindow* AddChild(QWidget* child, const QString& captionPrefix = QString()) override;
  QString NumberedCaption(const QString& prefix) const override;
  const PageSetupValues& PageSetup() const override { return pageSetup_; }
  // The shared printer: landscape from the start, set up by APrintSetup.
  QPrinter& Printer() override { return *printer_; }
  const MainCommands& Commands() const override;
  QWidget* DialogParent() override { return this; }
  QMdiSubWindow* OpenFitScheme(const tornel::FitSchemeModel& model) override;

  QMdiArea* MdiArea() const { return mdiArea_; }
  // Adds and shows `child`, then runs `load` (the child reading its file).
  // A UserError closes the new child again and shows its text in a plain
  // message box; the result is then nullptr. Other errors are shown in the
  // error box, the child stays.
  QMdiSubWindow* AddChildAndLoad(QWidget* child, const std::function<void()>& load);

  void SetPageSetup(const PageSetupValues& values) { pageSetup_ = values; }

  // The description-window step: shows the description text `fileName`
  // ("PerehDoc.rtf") found in the text folders; true when the user pressed
  // "Продолжить". A missing file shows "Не удалось открыть файл <path>" and gives
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

  // A main-window action by its name ("FileOpen"); nullptr for an unknown
  // name.
  QAction* Action(const QString& name) const;
  // The menus in the menu bar now, left to right.
  QList<QMenu*> ShownMenus() const;
  DeviceStatus* Status() const { return deviceStatus_; }

  // The command handlers, named after their actions.
  void APerehHarExecute();
  void AStaticHarExecute();
  void AStructFrmExecute();
  void FileOpenExecute();
  void APageSetupExecute();
  void APrintSetupExecute();
  void ACalibrZeroExecute();
  void AResetZeroExecute();
  void ANastrACPExecute();
  void ANastrCAPExecute();
  void AParamsExecute();
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
  tornel::ChannelTable channels_;
  MainCommands commands_;
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
  QString openFilter_;  // the file type it was left showing
};

// The one main window of the run, nullptr before it exists and after it is
// gone.
extern TMainForm* MainForm;
