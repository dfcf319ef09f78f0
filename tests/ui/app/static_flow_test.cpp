#include "ui/app/static_flow.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <utility>

#include "core/config/profile_file.h"
#include "core/records/graph_record.h"
#include "main_form_fixture.h"
#include "tests/support/scoped_env.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/app/text_form.h"
#include "ui/graph/graph_frm.h"
#include "ui/static/static_dlg.h"

namespace {

using tornel::testing::OnNextModal;
using tornel::testing::Press;

const char* kDescription = "{\\rtf1\\ansi\\ansicpg1251 \\'ce\\'ef\\'fb\\'f2\\par}";

class StaticFlowTest : public MainFormTest {
protected:
  StaticFlowTest() {
    WriteDescription("StatDoc.rtf", kDescription);
    clock.SetAutoAdvance(1);  // a point's second passes at once
  }
  // The command as the menu runs it: the description is confirmed, then
  // `work` records points and closes the static window.
  std::string RunCommand(const std::function<void(TStaticDlg*)>& work) {
    std::string pointFile;
    OnNextModal([&](QWidget* description) {
      ASSERT_NE(qobject_cast<TTextForm*>(description), nullptr);
      OnNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<TStaticDlg*>(w);
        ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
        pointFile = dialog->PointFileName();
        work(dialog);
      });
      Press(description, "OkButton");
    });
    Form().Action("AStaticHar")->trigger();
    return pointFile;
  }

  static std::function<void(TStaticDlg*)> Points(int count, const char* closeWith) {
    return [count, closeWith](TStaticDlg* dialog) {
      for (int i = 0; i < count; ++i) Press(dialog, "Button3");
      Press(dialog, closeWith);
    };
  }

  QList<QMdiSubWindow*> Children() { return Form().MdiArea()->subWindowList(); }

  tornel::testing::ScopedEnv tmp{"TMP", dir.Path().string()};
};

TEST_F(StaticFlowTest, TwoPointsOpenANumberedGraphWindowThatOwnsThePointFile) {
  for (int i = 0; i < 3; ++i) Form().AddChild(new QWidget);
  ASSERT_TRUE(Form().Action("AStaticHar")->isEnabled());
  std::string file = RunCommand(Points(2, "BitBtn1"));
  QList<QMdiSubWindow*> windows = Children();
  ASSERT_EQ(windows.size(), 4);
  auto* graph = qobject_cast<TGraphFrm*>(windows.back()->widget());
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->windowTitle(), "Статическая характеристика 4");
  const tornel::TGraphRecord& r = graph->Record();
  EXPECT_EQ(r.Duration, 2.0);
  EXPECT_EQ(r.TMax, 2.0);
  EXPECT_EQ(r.AcpMask, 0xFFFF);
  EXPECT_EQ(r.CapMask, 3);
  EXPECT_EQ(r.AcpShowMask, 0);
  EXPECT_EQ(r.CapShowMask, 0);
  EXPECT_TRUE(r.IsStatic);
  EXPECT_EQ(r.OrigFile, file);
  EXPECT_EQ(r.SampleFile, file);
  EXPECT_EQ(r.FilteredFile, file + "f");
  EXPECT_EQ(r.FrameCount, 2);
  EXPECT_EQ(std::filesystem::file_size(file), 72u);
  tornel::ProfileFile ini(dir.File("Tornel.ini"));
  EXPECT_EQ(ini.ReadInteger("Статическая характеристика (defaults)", "Координата №1", -1), 5);
}

TEST_F(StaticFlowTest, TheGraphShowsTheFirstSweepChannelAgainstTheSecondFittedToThePoints) {
  RunCommand([this](TStaticDlg* dialog) {
    // Coord1 = ADC 6 (W), Coord2 = ADC 7 (M); Base equals RealBase, so a
    // per-unit value is code / 511.
    const std::pair<int16_t, int16_t> wm[] = {{511, -255}, {255, 511}};
    for (const auto& [w, m] : wm) {
      device.SetConstant(5, w);
      device.SetConstant(6, m);
      Press(dialog, "Button3");
    }
    Press(dialog, "BitBtn1");
  });
  ASSERT_EQ(Children().size(), 1);
  const tornel::TGraphRecord& r = qobject_cast<TGraphFrm*>(Children()[0]->widget())->Record();
  EXPECT_EQ(r.Deps[0], (tornel::Dependency{1, 6, 5}));
  EXPECT_EQ(r.Deps[1].Enabled, 0);
  EXPECT_TRUE(r.HasDeps);
  EXPECT_DOUBLE_EQ(r.XMin, -255.0 / 511);
  EXPECT_DOUBLE_EQ(r.XMax, 1.0);
  EXPECT_DOUBLE_EQ(r.YMin, 255.0 / 511);
  EXPECT_DOUBLE_EQ(r.YMax, 1.0);
}

TEST_F(StaticFlowTest, TooFewPointsOrCancelOpenNothingAndDeleteThePointFile) {
  struct Case {
    int points;
    const char* closeWith;
  };
  for (const Case& c : {Case{0, "BitBtn1"}, Case{1, "BitBtn1"}, Case{3, "BitBtn2"}}) {
    std::string file = RunCommand(Points(c.points, c.closeWith));
    EXPECT_FALSE(file.empty());
    EXPECT_FALSE(std::filesystem::exists(file)) << c.points << c.closeWith;
    EXPECT_TRUE(Children().isEmpty()) << c.points << c.closeWith;
  }
}

}  // namespace
