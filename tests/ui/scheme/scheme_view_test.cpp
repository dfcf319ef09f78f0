#include <QAction>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QUndoStack>
#include <map>

#include "core/scheme/block.h"
#include "core/scheme/scheme_file.h"
#include "scheme_window_test.h"
#include "ui/scheme/block_widget.h"
#include "ui/scheme/graph_block_picture.h"
#include "ui/scheme/scheme_actions.h"

namespace schemetest {
namespace {

using tornel::TBlock;

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject {
public:
  void Watch(QWidget* widget) { widget->installEventFilter(this); }
  int Of(QWidget* widget) const {
    const auto it = counts_.find(widget);
    return it == counts_.end() ? 0 : it->second;
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++counts_[watched];
    return false;
  }

private:
  std::map<const QObject*, int> counts_;
};

class SchemeViewTest : public SchemeWindowTest {
protected:
  QRect Geometry(const TBlock* b) const { return window->WidgetOf(b)->geometry(); }
  QSize Area() const { return window->SB()->viewport()->size(); }
  // The window button of a graph block as it is shown.
  QPoint WindowButton(const TBlock* b) const {
    const QRect g = Geometry(b);
    return {g.right() - 9, g.top() + 9};
  }
  QPoint Grip(const TBlock* b) const { return {b->Left + b->Width - 3, b->Top + b->Height - 3}; }
};

TEST_F(SchemeViewTest, UndoAndRedoAroundAMaximisedGraphBlockRestoreExactBounds) {
  TBlock* graph = Place(Actions().AGraph, {100, 20});
  const QRect normal(100, 20, 200, 300);
  Drag(Grip(graph), Grip(graph) + QPoint(150, 50));
  ASSERT_EQ(Geometry(graph), QRect(100, 20, 350, 350));
  const int steps = window->UndoStack()->count();

  // Maximising is a way of looking, not a change of the scheme.
  Click(WindowButton(graph));
  graphtest::Settle();
  EXPECT_EQ(Geometry(graph), QRect(QPoint(0, 0), Area()));
  EXPECT_EQ(window->UndoStack()->count(), steps);

  // Undoing the resize while maximised: the block goes back to 200 x 300.
  Actions().AUndo->trigger();
  Click(WindowButton(graph));
  EXPECT_EQ(Geometry(graph), normal);
  Actions().ARedo->trigger();
  EXPECT_EQ(Geometry(graph), QRect(100, 20, 350, 350));

  // A block that undo brings back stays under the maximised one.
  TBlock* lag = Place(Actions().AAperiod, {20, 20});
  Click(WindowButton(graph));
  Actions().AUndo->trigger();
  Actions().ARedo->trigger();
  ASSERT_EQ(BlockCount(), 2u);
  const QObjectList& stacking = window->PB()->children();
  EXPECT_GT(stacking.indexOf(window->WidgetOf(graph)), stacking.indexOf(window->WidgetOf(lag)));
  Click(WindowButton(graph));

  // Deleted while maximised and brought back: maximised, with its bounds.
  Click({110, 100}, Qt::LeftButton, Qt::ShiftModifier);
  Click(WindowButton(graph));
  ASSERT_TRUE(graph->Selected);
  Actions().ADelete->trigger();
  ASSERT_EQ(BlockCount(), 1u);
  Actions().AUndo->trigger();
  graphtest::Settle();
  EXPECT_EQ(Geometry(graph), QRect(QPoint(0, 0), Area()));
  Click(WindowButton(graph));
  EXPECT_EQ(Geometry(graph), QRect(100, 20, 350, 350));
}

TEST_F(SchemeViewTest, GesturesThatChangeNothingRecordNothing) {
  TBlock* graph = Place(Actions().AGraph, {100, 20});
  TBlock* lag = Place(Actions().AAperiod, {400, 20});
  window->UndoStack()->setClean();
  const int steps = window->UndoStack()->count();
  struct Gesture {
    const char* name;
    std::function<void()> run;
  } gestures[] = {
      {"a click on the corner grip", [&] { Click(Grip(graph)); }},
      {"a grip drag that ends where it began",
       [&] {
         Send(QEvent::MouseButtonPress, Grip(graph), Qt::LeftButton);
         Send(QEvent::MouseMove, Grip(graph) + QPoint(40, 40), Qt::LeftButton);
         Send(QEvent::MouseButtonRelease, Grip(graph), Qt::LeftButton);
       }},
      {"a click on a block's body",
       [&] {
         Click({lag->Left + 15, lag->Top + 5});
       }},
      {"maximising and restoring",
       [&] {
         Click(WindowButton(graph));
         Click(WindowButton(graph));
       }},
  };
  for (const Gesture& g : gestures) {
    g.run();
    EXPECT_EQ(window->UndoStack()->count(), steps) << g.name;
    EXPECT_TRUE(window->UndoStack()->isClean()) << g.name;
  }
  EXPECT_EQ(Geometry(graph), QRect(100, 20, 200, 300));
}

TEST_F(SchemeViewTest, MaximisedGraphBlockFillsTheVisibleAreaAndAnswersOnlyItsButton) {
  // A block far out makes the area scroll before the graph block fills it.
  Place(Actions().AIntegr, {1500, 1200});
  TBlock* graph = Place(Actions().AGraph, {100, 20});
  graphtest::Settle();
  ASSERT_TRUE(window->SB()->verticalScrollBar()->isVisible());
  Click(WindowButton(graph));
  graphtest::Settle();
  // No scroll bar covers the button or the axis: the block is the area.
  EXPECT_FALSE(window->SB()->verticalScrollBar()->isVisible());
  EXPECT_FALSE(window->SB()->horizontalScrollBar()->isVisible());
  EXPECT_EQ(Geometry(graph), QRect(QPoint(0, 0), Area()));

  // Elsewhere a click, a Shift-click, a drag or a band change nothing.
  Click({200, 200}, Qt::LeftButton, Qt::ShiftModifier);
  Drag({200, 200}, {260, 240});
  EXPECT_FALSE(graph->Selected);
  Actions().ADelete->trigger();
  ASSERT_EQ(BlockCount(), 2u);
  EXPECT_EQ(QPoint(graph->Left, graph->Top), QPoint(100, 20));

  // The area follows the window while maximised; the button restores.
  window->parentWidget()->resize(window->parentWidget()->size() + QSize(60, 40));
  graphtest::Settle();
  EXPECT_EQ(Geometry(graph), QRect(QPoint(0, 0), Area()));
  Click(WindowButton(graph));
  graphtest::Settle();
  EXPECT_EQ(Geometry(graph), QRect(100, 20, 200, 300));
  EXPECT_TRUE(window->SB()->verticalScrollBar()->isVisible());
}

TEST_F(SchemeViewTest, ShiftDragMovesTheBlockAndMarksIt) {
  TBlock* lag = Place(Actions().AAperiod, {100, 100});
  Send(QEvent::MouseButtonPress, {115, 105}, Qt::LeftButton, Qt::ShiftModifier);
  Send(QEvent::MouseMove, {145, 125}, Qt::LeftButton, Qt::ShiftModifier);
  Send(QEvent::MouseButtonRelease, {145, 125}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(QPoint(lag->Left, lag->Top), QPoint(130, 120));
  EXPECT_TRUE(lag->Selected);
  EXPECT_EQ(window->UndoStack()->undoText(), "Переместить блоки");
}

TEST_F(SchemeViewTest, BlocksStayWhereScrollingAndTheBandReachThem) {
  TBlock* lag = Place(Actions().AAperiod, {30, 40});
  Drag({45, 45}, {5, 5});  // 40 left and up: held at the origin
  EXPECT_EQ(QPoint(lag->Left, lag->Top), QPoint(0, 0));
  EXPECT_EQ(Geometry(lag).topLeft(), QPoint(0, 0));

  // A file with blocks left of and above the origin: the scheme moves in as
  // a whole, by 50 and 30, so a band from the corner reaches every block.
  tornel::Scheme outside(window->Scheme().Factory());
  for (const tornel::Point at : {tornel::Point{-50, 10}, tornel::Point{20, -30}}) {
    auto block = window->Scheme().Factory().CreateBlock(tornel::kKindProporc);
    block->Left = at.x;
    block->Top = at.y;
    outside.InsertBlock(outside.Blocks().size(), std::move(block));
  }
  const std::string path = dir.File("outside.str");
  tornel::testing::WriteBytes(path, tornel::SchemeBytes(outside));
  window->LoadScheme(QString::fromStdString(path));
  const auto& blocks = window->Scheme().Blocks();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(QPoint(blocks[0]->Left, blocks[0]->Top), QPoint(0, 40));
  EXPECT_EQ(QPoint(blocks[1]->Left, blocks[1]->Top), QPoint(70, 0));
  Drag({1, 1}, {80, 50});
  EXPECT_EQ(window->Scheme().SelectedBlocks().size(), 2u);
}

TEST_F(SchemeViewTest, ADragRepaintsOnlyTheMovedBlockAndItsLines) {
  TBlock* step = Place(Actions().AGenStep, {20, 20});
  TBlock* lag = Place(Actions().AAperiod, {250, 20});
  TBlock* far = Place(Actions().AIntegr, {20, 400});
  TBlock* graph = Place(Actions().AGraph, {450, 200});
  Drag(Out(step), In(lag));
  graphtest::Settle();
  PaintCounter paints;
  for (const TBlock* b : {step, lag, far, graph}) paints.Watch(window->WidgetOf(b));
  const int rendered = window->WidgetOf(graph)->Picture()->Renders();

  const QPoint grab(lag->Left + 15, lag->Top + 5);
  Send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
  for (int i = 1; i <= 5; ++i) {
    Send(QEvent::MouseMove, grab + QPoint(0, 10 * i), Qt::LeftButton);
    graphtest::Settle();
  }
  Send(QEvent::MouseButtonRelease, grab + QPoint(0, 50), Qt::LeftButton);
  graphtest::Settle();
  EXPECT_GT(paints.Of(window->WidgetOf(lag)), 0);
  EXPECT_EQ(paints.Of(window->WidgetOf(far)), 0) << "far from the block and its line";
  EXPECT_EQ(paints.Of(window->WidgetOf(graph)), 0);

  // Dragging the graph block itself shows its kept picture.
  const QPoint title(graph->Left + 30, graph->Top + 10);
  Drag(title, title + QPoint(30, 30));
  graphtest::Settle();
  EXPECT_GT(paints.Of(window->WidgetOf(graph)), 0);
  EXPECT_EQ(window->WidgetOf(graph)->Picture()->Renders(), rendered);
}

TEST_F(SchemeViewTest, GraphPictureIsDrawnAnewWhenWhatItShowsChanges) {
  TBlock* graph = Place(Actions().AGraph, {100, 20});
  TBlockWidget* widget = window->WidgetOf(graph);
  auto renders = [&] {
    widget->update();
    graphtest::Settle();
    return widget->Picture()->Renders();
  };
  int last = renders();
  struct Change {
    const char* name;
    std::function<void()> make;
    bool redraws;
  } changes[] = {
      {"nothing", [] {}, false},
      {"divisions, as the settings dialog sets them", [&] { graph->Record->DivX = 7; }, true},
      {"the Y range", [&] { graph->Record->YMax = 5; }, true},
      {"new samples of a run",
       [&] {
         tornel::testing::WriteBytes(graph->Record->SampleFile, std::string(64, '\0'));
         graph->Record->AcpMask = graph->Record->AcpShowMask = 1;
         graph->Record->Duration = graph->Record->TMax = 1;
       },
       true},
      {"a move",
       [&] {
         Drag({140, 30}, {160, 50});
       },
       false},
      {"a resize", [&] { Drag(Grip(graph), Grip(graph) + QPoint(20, 0)); }, true},
  };
  for (const Change& c : changes) {
    c.make();
    const int now = renders();
    EXPECT_EQ(now > last, c.redraws) << c.name;
    last = now;
  }
}

}  // namespace
}  // namespace schemetest
