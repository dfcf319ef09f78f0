#include "transient_fixture.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/text/cp1251.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/acquisition/per_dlg.h"

TransientTest::TransientTest() {
  clock.SetAutoAdvance(1);
  std::filesystem::create_directories(TempFolder());
  if (const char* old = std::getenv("TMPDIR")) {
    hadTmpDir_ = true;
    oldTmpDir_ = old;
  }
  setenv("TMPDIR", TempFolder().c_str(), 1);
}

TransientTest::~TransientTest() {
  form.reset();
  if (hadTmpDir_) {
    setenv("TMPDIR", oldTmpDir_.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

TMainForm& TransientTest::Form() {
  if (!form) {
    AppEnvironment env;
    env.device = &device;
    env.clock = &clock;
    env.priority = &priority;
    env.configPath = QString::fromStdString(dir.File("Tornel.ini"));
    env.textFolders = {QString::fromStdString(dir.File("Text"))};
    form = std::make_unique<TMainForm>(env);
  }
  return *form;
}

void TransientTest::WriteConfig(const std::string& utf8) {
  tornel::testing::WriteBytes(dir.File("Tornel.ini"), tornel::Utf8ToCp1251(utf8));
}

std::string TransientTest::ReadConfig() const {
  return tornel::Cp1251ToUtf8(tornel::testing::ReadBytes(dir.File("Tornel.ini")));
}

std::vector<std::string> TransientTest::TempFiles() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(TempFolder())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::unique_ptr<TPerDlg> ShownDialog(TMainForm& form) {
  auto dialog = std::make_unique<TPerDlg>(form);
  dialog->LoadDefaults();
  dialog->show();
  // A dialog that starts on the held bench button may record and close
  // before the window system has exposed it.
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return !dialog->isVisible() ||
           (dialog->windowHandle() != nullptr && dialog->windowHandle()->isExposed());
  }));
  return dialog;
}

void Retype(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void AnswerMessage(QString& text) {
  tornel::testing::OnNextModal([&text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr) << w->metaObject()->className();
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
}
