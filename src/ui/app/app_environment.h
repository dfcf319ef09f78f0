#pragma once

#include <QString>
#include <QStringList>

namespace tornel {
class Device;
class PriorityControl;
class SimulatedBench;
class TickClock;
}  // namespace tornel

// What the main window runs on: the device, the clock and the priority
// control (none owned; they outlive the window), and where its files are. The
// program builds it from the command line (AppRuntime); tests fill it with
// fakes and temporary folders.
struct AppEnvironment {
  tornel::Device* device = nullptr;  // nullptr: the null device
  // Set when `device` is the simulated bench: the status bar then offers its
  // start button.
  tornel::SimulatedBench* bench = nullptr;
  tornel::TickClock* clock = nullptr;
  tornel::PriorityControl* priority = nullptr;
  QString configPath;
  // Folders searched in order for the description texts (PerehDoc.rtf, ...).
  QStringList textFolders;
};
