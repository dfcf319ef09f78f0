// One drag step in the scheme editor: the graph block, fed by four
// generators, is held by its title bar and the mouse moves on by a pixel;
// the step is done once what that uncovered and covered has been painted.
// BM_DragRepaint_GraphBlock1M: the graph block's record holds 4 x 1,000,000
// frames, as after a long run. BM_DragRepaint_GraphBlockEmpty: the same
// scheme before any run, the baseline. Target: at most twice the baseline.
// Counters: paints_per_step, the graph block's paint events a step (1: it is
// really drawn at its new place), plot_renders, how often its plot was drawn
// anew meanwhile (0), and redraw_ms, one drawing of that plot straight from
// the sample file, which is what every step cost when nothing was kept.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QUndoStack>
#include <cmath>
#include <memory>
#include <vector>

#include "core/plot/plot_page.h"
#include "core/records/sample_file_writer.h"
#include "core/scheme/block.h"
#include "core/scheme/graph_block_record.h"
#include "offscreen_app.h"
#include "tests/ui/support/fake_window_host.h"
#include "ui/canvas/qt_canvas.h"
#include "ui/scheme/block_widget.h"
#include "ui/scheme/graph_block_picture.h"
#include "ui/scheme/scheme_actions.h"
#include "ui/scheme/scheme_paint_box.h"
#include "ui/scheme/struct_frm.h"

namespace {

constexpr int kInputs = 4;
constexpr int64_t kFrames = 1'000'000;

QApplication& App() { return tornel::bench::OffscreenApp<QApplication>("bench_scheme_editor"); }

void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

// A scheme window with four generators feeding the graph block, worked by
// the mouse as the user works it.
struct Editor {
  explicit Editor(int64_t frames) {
    host.table.ConfigPath = "/nonexistent/Tornel.ini";
    window = new TStructFrm(host);
    host.AddChild(window);
    window->parentWidget()->resize(1000, 750);
    Settle();
    const SchemeActions& a = window->Actions();
    graph = Place(a.AGraph, {400, 40});
    QAction* kinds[kInputs] = {a.AGenStep, a.AGenSinT, a.AGenCosT, a.AGenMeandr};
    for (int i = 0; i < kInputs; ++i) {
      tornel::TBlock* gen = Place(kinds[i], {20, 20 + 90 * i});
      const tornel::Point out = gen->OutputPoint(0), in = graph->InputPoint(i);
      Drag({out.x - 2, out.y}, {in.x - 2, in.y});
    }
    if (frames > 0) Fill(frames);
    window->GraphRecordChanged();
    Settle();
  }
  ~Editor() {
    window->UndoStack()->setClean();
    host.Area().closeAllSubWindows();
    Settle();
  }

  // What a run of `frames` ticks leaves: the inputs' values, one double each.
  void Fill(int64_t frames) {
    tornel::TGraphRecord& record = *graph->Record;
    tornel::SampleFileWriter<double> writer(record.OrigFile);
    std::vector<double> frame(kInputs);
    for (int64_t i = 0; i < frames; ++i) {
      const double t = static_cast<double>(i) / static_cast<double>(frames);
      for (int k = 0; k < kInputs; ++k) frame[k] = std::sin(2 * M_PI * (k + 1) * 7 * t) + 0.1 * k;
      writer.Write(frame);
    }
    writer.Close();
    tornel::SetGraphBlockResults(record, record.OrigFile, 1.0, (1u << kInputs) - 1);
  }

  void Send(QEvent::Type type, QPoint at) {
    QWidget* pb = window->PB();
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(at), pb->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(pb, &event);
  }
  void Drag(QPoint from, QPoint to) {
    Send(QEvent::MouseButtonPress, from);
    Send(QEvent::MouseMove, to);
    Send(QEvent::MouseButtonRelease, to);
  }
  tornel::TBlock* Place(QAction* kind, QPoint at) {
    kind->trigger();
    Send(QEvent::MouseButtonPress, at);
    Send(QEvent::MouseButtonRelease, at);
    return window->Scheme().Blocks().back().get();
  }

  struct ApplicationFirst {
    ApplicationFirst() { App(); }
  } application;
  tornel::testing::FakeWindowHost host;
  TStructFrm* window = nullptr;
  tornel::TBlock* graph = nullptr;
};

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
  int paints = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// One drawing of the block's plot from the sample file, without summaries.
double RedrawMs(tornel::TBlock& graph, const QFont& font) {
  tornel::TGraphRecord& record = *graph.Record;
  tornel::SummaryCache kept = std::move(record.Summaries);
  record.Summaries.Clear();
  QImage image(graph.Width - 7, graph.Height - 19, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QElapsedTimer timer;
  timer.start();
  {
    QPainter painter(&image);
    tornel::QtCanvas canvas(painter, font, false);
    tornel::PageLayout layout;
    layout.plot = {image.width(), image.height()};
    tornel::DrawPlot(record, canvas, {50, 10, 20, 25}, layout);
  }
  const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  record.Summaries = std::move(kept);
  return ms;
}

void DragSteps(benchmark::State& state, int64_t frames) {
  Editor editor(frames);
  const QPoint title(editor.graph->Left + 40, editor.graph->Top + 10);
  editor.Send(QEvent::MouseButtonPress, title);
  TBlockWidget* widget = editor.window->WidgetOf(editor.graph);
  const int rendersBefore = widget->Picture()->Renders();
  PaintCounter counter;
  widget->installEventFilter(&counter);
  int dx = 0;
  for (auto _ : state) {
    // Back and forth over 40 pixels, a pixel a step.
    dx = (dx + 1) % 80;
    editor.Send(QEvent::MouseMove, title + QPoint(dx < 40 ? dx : 80 - dx, 0));
    Settle();
  }
  editor.Send(QEvent::MouseButtonRelease, title);
  widget->removeEventFilter(&counter);
  state.counters["paints_per_step"] =
      static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
  state.counters["plot_renders"] = widget->Picture()->Renders() - rendersBefore;
  state.counters["redraw_ms"] = RedrawMs(*editor.graph, editor.window->font());
}

void BM_DragRepaint_GraphBlock1M(benchmark::State& state) { DragSteps(state, kFrames); }
BENCHMARK(BM_DragRepaint_GraphBlock1M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_DragRepaint_GraphBlockEmpty(benchmark::State& state) { DragSteps(state, 0); }
BENCHMARK(BM_DragRepaint_GraphBlockEmpty)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
