#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/config/priority_control.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/temp_dir.h"
#include "ui/app/main_form.h"

class QLineEdit;
class TPerDlg;
// A main window on a fake device and a fake clock, with its configuration
// and the temporary folder (TMPDIR) in a folder of the test's own. The clock
// moves on by 1 ms at each reading, so a run of d seconds takes d x 1000
// scans.
class TransientTest : public ::testing::Test {
protected:
  TransientTest();
  ~TransientTest() override;

  TMainForm& Form();
  // Writes the configuration file (given in UTF-8) as the program stores it.
  void WriteConfig(const std::string& utf8);
  std::string ReadConfig() const;
  // The files in the temporary folder now, by name.
  std::vector<std::string> TempFiles() const;
  std::string TempFolder() const { return dir.File("tmp"); }

  tornel::testing::TempDir dir;
  tornel::testing::FakeTickClock clock;
  tornel::testing::FakeDevice device{&clock};
  tornel::testing::FakePriorityControl priority;
  std::unique_ptr<TMainForm> form;

private:
  std::string oldTmpDir_;
  bool hadTmpDir_ = false;
};

// A dialog of the main window with its defaults loaded, shown the way exec()
// shows it, but without blocking the test.
std::unique_ptr<TPerDlg> ShownDialog(TMainForm& form);

// Replaces the text as a user who selected it all and typed would.
void Retype(QLineEdit* edit, const QString& text);

// Answers the next message box with its button and keeps its text.
void AnswerMessage(QString& text);
