#include "ui/app/fit_scheme_flow.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/fit_scheme/fit_scheme.h"
#include "main_form_fixture.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/fake_window_host.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/scheme/struct_frm.h"

namespace {

using tornel::testing::Child;
using tornel::testing::ModalAnswers;

tornel::FitSchemeModel Lag() {
  tornel::FitSchemeModel m;
  m.Fit.Kind = tornel::FitKind::First;
  m.Fit.Converged = true;
  m.Fit.Gain = 2;
  m.Fit.TimeConstant = 0.1;
  m.Fit.StepTime = 0.1;
  m.EndTime = 2;
  m.Name = "W";
  return m;
}

class FitSchemeFlowTest : public ::testing::Test {
protected:
  tornel::testing::TempDir dir;
  tornel::testing::ScopedTmpDir tmp{dir.Path().string()};
  tornel::testing::FakeWindowHost host;
};

// The new window holds the model and offers it to "Расчет" with the run's
// own length and step.
TEST_F(FitSchemeFlowTest, OpensASchemeWindowReadyToCalculate) {
  QMdiSubWindow* window = OpenFitSchemeFlow(host, Lag());
  ASSERT_NE(window, nullptr);
  auto* scheme = qobject_cast<TStructFrm*>(window->widget());
  ASSERT_NE(scheme, nullptr);
  EXPECT_EQ(scheme->windowTitle(), "Модель переходного процесса 1");
  EXPECT_EQ(scheme->Scheme().Blocks().size(), 3u);
  QString end, step;
  ModalAnswers answers;
  answers.Then([&](QWidget* w) {
    end = Child<QLineEdit>(w, "Edit1")->text();
    step = Child<QLineEdit>(w, "Edit2")->text();
    tornel::testing::Dismiss(w);
  });
  scheme->ACalcExecute();
  EXPECT_EQ(end, "2.00000");
  EXPECT_EQ(step, "0.00100");
}

TEST_F(FitSchemeFlowTest, AFitThatDidNotConvergeOpensNothing) {
  tornel::FitSchemeModel m = Lag();
  m.Fit.Converged = false;
  QString said;
  ModalAnswers answers;
  answers.Then([&](QWidget* w) {
    said = tornel::testing::MessageText(w);
    tornel::testing::Dismiss(w);
  });
  EXPECT_EQ(OpenFitSchemeFlow(host, m), nullptr);
  EXPECT_TRUE(said.startsWith("Нет сошедшейся аппроксимации")) << said.toStdString();
  EXPECT_TRUE(host.Area().subWindowList().isEmpty());
}

TEST_F(MainFormTest, TheMainWindowOpensTheFittedScheme) {
  tornel::testing::ScopedTmpDir tmp{dir.Path().string()};
  QMdiSubWindow* window = Form().OpenFitScheme(Lag());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 1);
  EXPECT_NE(qobject_cast<TStructFrm*>(window->widget()), nullptr);
}

}  // namespace
