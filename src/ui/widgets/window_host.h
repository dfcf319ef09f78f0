#pragma once

#include <QString>
#include <cstdint>
#include <span>

#include "core/graph/print_layout.h"

class QAction;
class QMdiSubWindow;
class QPrinter;
class QWidget;

namespace tornel {
class ChannelTable;
struct FitSchemeModel;
class Device;
class PriorityControl;
class SimulatedBench;
class TickClock;
}  // namespace tornel

// The main window's commands that child windows offer in their own menus
// (a child's "&Файл" replaces the main one and still opens, closes and
// prints). Null members mean the host has no such command (a test host).
struct MainCommands {
  QAction* APerehHar = nullptr;
  QAction* AStaticHar = nullptr;
  QAction* AStructFrm = nullptr;
  QAction* FileOpen = nullptr;
  QAction* FileClose = nullptr;
  QAction* FileExit = nullptr;
  QAction* APageSetup = nullptr;
  QAction* APrintSetup = nullptr;
};

// What a child window or a flow needs from the window that hosts it: the run's
// channel table and device, time and priorities, where children go, and the
// page and printer that printing uses. The main window implements it; tests
// hand windows a fake. Nothing here is owned by the caller.
class WindowHost {
public:
  virtual ~WindowHost() = default;

  // The one channel table of the run.
  virtual tornel::ChannelTable& Channels() = 0;
  // The device every experiment reads and drives.
  virtual tornel::Device& Device() = 0;
  // The device as the simulated bench, when it is one; else nullptr.
  virtual tornel::SimulatedBench* Bench() = 0;
  virtual tornel::TickClock& Clock() = 0;
  virtual tornel::PriorityControl& Priority() = 0;

  // Every DAC in use at its zero code.
  virtual void SetCapZero() = 0;
  // The DACs in use back to zero along a ramp, with the hourglass; GUI
  // thread only.
  virtual void RampCapToZero(std::span<const int16_t> levels) = 0;

  // Adds `child` as a child window and shows it; a non-empty prefix captions
  // it NumberedCaption(prefix).
  virtual QMdiSubWindow* AddChild(QWidget* child, const QString& captionPrefix = QString()) = 0;
  // prefix + the number of child windows now (AddChild counts the new one).
  virtual QString NumberedCaption(const QString& prefix) const = 0;

  // The page setup's paper and margins, in millimetres.
  virtual const tornel::PaperSetup& PageSetup() const = 0;
  // The shared printer, landscape, as the printer setup left it.
  virtual QPrinter& Printer() = 0;

  virtual const MainCommands& Commands() const = 0;
  // A scheme window holding a fitted model of a transient, opened by the
  // host (graph windows do not know scheme windows); null when it has none.
  virtual QMdiSubWindow* OpenFitScheme(const tornel::FitSchemeModel&) { return nullptr; }
  // The parent for the host's modal dialogs.
  virtual QWidget* DialogParent() = 0;
};
