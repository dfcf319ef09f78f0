#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/config/priority_control.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/qt_printers.h"
#include "ui/app/main_form.h"
// Records which window the open command would make.
class DispatchingForm : public TMainForm {
public:
  using TMainForm::TMainForm;
  QStringList opened;

protected:
  QMdiSubWindow* OpenDataFileWindow(const QString& path) override {
    opened.append("data " + path);
    return nullptr;
  }
  QMdiSubWindow* OpenSchemeWindow(const QString& path) override {
    opened.append("scheme " + path);
    return nullptr;
  }
};

// A main window on a fake device and clock, with its configuration and its
// description texts in a temporary folder.
class MainFormTest : public ::testing::Test {
protected:
  AppEnvironment Environment();
  TMainForm& Form();
  // Writes the configuration file (given in UTF-8) as the program stores it.
  void WriteConfig(const std::string& utf8);
  std::string ReadConfig() const;
  std::string TextFolder() const { return dir.File("Text"); }
  // A description file the program can show.
  void WriteDescription(const std::string& name, const std::string& rtf);
  // Runs the events posted so far, deferred deletes included.
  static void Settle();

  tornel::testing::TempDir dir;
  tornel::testing::FakeTickClock clock;
  tornel::testing::FakeDevice device{&clock};
  tornel::testing::FakePriorityControl priority;
  std::unique_ptr<TMainForm> form;
};
