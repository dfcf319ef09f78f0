#include "ui/app/app_runtime.h"

#include "core/config/profile_file.h"
#include "core/device/device.h"
#include "core/device/device_selection.h"
#include "core/device/simulated_bench.h"
#include "ui/app/app_paths.h"
#include "ui/app/command_line.h"
#include "ui/canvas/file_path.h"

AppRuntime::AppRuntime(const AppPaths& paths, const std::optional<QString>& deviceOption)
    : configPath_(paths.PrepareConfigPath()), textFolders_(paths.TextFolders()) {
  tornel::ProfileFile ini(FilePath(configPath_));
  tornel::DeviceChoice choice = tornel::ReadDeviceChoice(ini);
  if (deviceOption) {
    auto chosen = tornel::ParseDeviceOption(deviceOption->toStdString(), choice);
    if (!chosen) {
      error_ = CommandLine::UnknownDeviceMessage(*deviceOption);
      return;
    }
    choice = *chosen;
  }
  tornel::OpenedDevice opened = tornel::OpenDevice(choice, clock_);
  device_ = std::move(opened.device);
  // The opened device's warning already carries the configuration's problem.
  warning_ = QString::fromStdString(opened.warning);
}

AppRuntime::~AppRuntime() = default;

AppEnvironment AppRuntime::Environment() {
  AppEnvironment env;
  env.device = device_.get();
  env.bench = dynamic_cast<tornel::SimulatedBench*>(device_.get());
  env.clock = &clock_;
  env.priority = &priority_;
  env.configPath = configPath_;
  env.textFolders = textFolders_;
  return env;
}
