#include "main_form_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <filesystem>

#include "core/text/cp1251.h"

AppEnvironment MainFormTest::Environment() {
  AppEnvironment env;
  env.device = &device;
  env.clock = &clock;
  env.priority = &priority;
  env.configPath = QString::fromStdString(dir.File("Tornel.ini"));
  env.textFolders = {QString::fromStdString(TextFolder())};
  return env;
}

TMainForm& MainFormTest::Form() {
  if (!form) form = std::make_unique<TMainForm>(Environment());
  return *form;
}

void MainFormTest::WriteConfig(const std::string& utf8) {
  tornel::testing::WriteBytes(dir.File("Tornel.ini"), tornel::Utf8ToCp1251(utf8));
}

std::string MainFormTest::ReadConfig() const {
  return tornel::Cp1251ToUtf8(tornel::testing::ReadBytes(dir.File("Tornel.ini")));
}

void MainFormTest::WriteDescription(const std::string& name, const std::string& rtf) {
  std::filesystem::create_directories(TextFolder());
  tornel::testing::WriteBytes(TextFolder() + "/" + name, rtf);
}

void MainFormTest::Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
