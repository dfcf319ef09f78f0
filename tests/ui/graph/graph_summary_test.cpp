#include <QTimer>

#include "tests/ui/graph/graph_test_support.h"
#include "ui/graph/record_summaries.h"

namespace graphtest {
namespace {

class GraphSummaryTest : public GraphWindowTest {};

// Whether the progress window was on screen while the window drew.
bool ProgressShownWhile(const std::function<void()>& work) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      seen = seen || (w->objectName() == "ProgressDlg" && w->isVisible());
    }
  });
  poll.start();
  work();
  poll.stop();
  return seen;
}

TEST_F(GraphSummaryTest, OnlyALargeRecordShowsTheProgressWindowWhileItsSummaryIsBuilt) {
  struct Case {
    int64_t frames;
    bool progress;
  };
  // One channel of int16 codes: two bytes a frame.
  const Case cases[] = {{1'000'000, false}, {kSummaryProgressBytes / 2 + 64, true}};
  for (const Case& c : cases) {
    auto window = NewWindow();
    std::vector<int16_t> codes(static_cast<std::size_t>(c.frames), 100);
    codes[c.frames / 2] = 400;
    std::string file;
    EXPECT_EQ(ProgressShownWhile([&] { file = FillAsExperiment(*window, codes); }), c.progress)
        << c.frames;
    EXPECT_NE(window->Record().Summaries.Find<int16_t>(file, 1), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets()) {
      EXPECT_FALSE(w->objectName() == "ProgressDlg" && w->isVisible());
    }
  }
}

}  // namespace
}  // namespace graphtest
