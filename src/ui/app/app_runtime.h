#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "core/device/os_priority_control.h"
#include "core/device/tick_clock.h"
#include "ui/app/app_environment.h"

class AppPaths;

// What the real program runs on: the system's clock and priorities, and the
// device chosen by the configuration or by --device. Owns them for the run;
// the main window gets them through Environment().
class AppRuntime {
public:
  AppRuntime(const AppPaths& paths, const std::optional<QString>& deviceOption);
  ~AppRuntime();
  AppRuntime(const AppRuntime&) = delete;
  AppRuntime& operator=(const AppRuntime&) = delete;

  // Set when the command line asked for something the program cannot do; the
  // program then does not start.
  const QString& Error() const { return error_; }
  // What the user must hear once at start (a card that did not open, an
  // unusable device setting), or empty.
  const QString& Warning() const { return warning_; }
  AppEnvironment Environment();

private:
  tornel::MonotonicTickClock clock_;
  tornel::OsPriorityControl priority_;
  std::unique_ptr<tornel::Device> device_;
  QString configPath_;
  QStringList textFolders_;
  QString error_;
  QString warning_;
};
