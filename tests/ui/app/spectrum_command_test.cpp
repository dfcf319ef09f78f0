#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <cmath>
#include <numbers>
#include <vector>

#include "main_form_fixture.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_frm.h"
#include "ui/spectrum/spectrum_frm.h"

namespace {

QStringList Titles(const QList<QMenu*>& menus) {
  QStringList titles;
  for (QMenu* m : menus) titles.append(m->title());
  return titles;
}

// Every graph window the main window takes offers "Спектр...", whoever made
// it; the spectrum opens as the main window's child and brings its menus.
TEST_F(MainFormTest, GraphWindowsOfTheMainWindowOpenSpectra) {
  tornel::testing::ScopedTmpDir tmp(dir.Path().string());
  TMainForm& f = Form();
  f.show();
  auto* graph = new TGraphFrm(f);
  EXPECT_FALSE(graph->Actions().ASpectrum->isEnabled());
  f.AddChild(graph);
  ASSERT_TRUE(graph->Actions().ASpectrum->isEnabled());

  tornel::TGraphRecord& r = graph->Record();
  std::vector<int16_t> codes;
  for (int i = 0; i < 512; ++i) {
    codes.push_back(static_cast<int16_t>(std::lround(300 * std::sin(std::numbers::pi * i / 16))));
  }
  r.OrigFile = r.SampleFile = tornel::TGraphRecord::MakeTempName();
  tornel::testing::WriteBytes(r.SampleFile, tornel::testing::Int16Bytes(codes));
  r.AcpMask = r.AcpShowMask = 1;
  r.Duration = r.TMax = 1;
  graph->RefreshPicture();

  tornel::testing::ModalAnswers user;
  user.Then([](QWidget* dialog) { tornel::testing::Press(dialog, "OkButton"); });
  graph->Actions().ASpectrum->trigger();
  Settle();
  EXPECT_EQ(user.Unexpected(), 0);
  QMdiSubWindow* active = f.MdiArea()->activeSubWindow();
  ASSERT_NE(active, nullptr);
  ASSERT_NE(qobject_cast<TSpectrumFrm*>(active->widget()), nullptr);
  EXPECT_EQ(Titles(f.ShownMenus()), QStringList({"&Файл", "&Настройка", "Спектр", "&Окно", "&?"}));
  EXPECT_EQ(f.MdiArea()->subWindowList().size(), 2);
}

}  // namespace
