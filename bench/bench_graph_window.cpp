// The graph window's redraw of a 16-channel record of 1,000,000 frames, every
// channel shown against time: what the user waits for after a resize or a
// mouse zoom (the UI is busy for exactly this long, with the hourglass).
// BM_GraphWindow_Resize: the window alternates between 1000 x 700 and
// 1100 x 760 and its plot is drawn anew. BM_GraphWindow_Zoom: the time range
// alternates between the whole record and 0.2 .. 0.8 s. The baseline,
// BM_EngineAlone, is the plot engine drawing the same record into an image of
// the same size without the window, so the ratio is the window's overhead.
// BM_GraphWindow_Zoom_10M: the same zoom over 10,000,000 frames, drawn per
// pixel column from the record's summary; first_draw_ms is the first picture,
// which builds the summary.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "core/config/channel_table.h"
#include "core/plot/plot_page.h"
#include "core/records/graph_record.h"
#include "core/records/sample_file_writer.h"
#include "offscreen_app.h"
#include "tests/ui/support/fake_window_host.h"
#include "ui/canvas/qt_canvas.h"
#include "ui/graph/graph_frm.h"
#include "ui/graph/graph_paint_box.h"

namespace {

constexpr int kChannels = 16;
constexpr int64_t kFrames = 1'000'000;

QApplication& App() { return tornel::bench::OffscreenApp<QApplication>("bench_graph_window"); }

// A recording of the bench: each channel a sine of its own frequency over a
// slow ramp, 400 codes high.
std::string Recording(int64_t frames) {
  static std::map<int64_t, std::string> paths;
  std::string& path = paths[frames];
  if (path.empty()) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("tornel-bench-graph-window-" + std::to_string(frames) + ".smp");
    tornel::SampleFileWriter<int16_t> writer(file.string());
    std::vector<int16_t> frame(kChannels);
    for (int64_t i = 0; i < frames; ++i) {
      const double t = static_cast<double>(i) / static_cast<double>(frames);
      for (int c = 0; c < kChannels; ++c) {
        frame[c] = static_cast<int16_t>(300 * std::sin(2 * M_PI * (c + 2) * t) + 100 * t);
      }
      writer.Write(frame);
    }
    writer.Close();
    path = file.string();
  }
  return path;
}

// The record is filled the way the transient experiment fills it; the
// recording is not the record's own, so it outlives the window.
struct Window {
  explicit Window(int64_t frames = kFrames) {
    tornel::ChannelTable& table = host.table;
    table.ConfigPath = (std::filesystem::temp_directory_path() / "tornel-bench.ini").string();
    for (int s = 0; s < tornel::kChannelSlots; ++s) table.Base[s] = table.RealBase[s] = 1.0;
    frm = std::make_unique<TGraphFrm>(host);
    tornel::TGraphRecord& r = frm->Record();
    r.AcpMask = r.AcpShowMask = 0xFFFF;
    r.Duration = r.TMax = 1.0;
    r.SampleFile = Recording(frames);
    frm->resize(1000, 700);
    frm->show();
    QCoreApplication::processEvents();
    frm->PaintBox()->RenderNow();
    firstDrawMs = frm->PaintBox()->LastRenderMs();
  }
  // The application exists before the host's widgets.
  struct ApplicationFirst {
    ApplicationFirst() { App(); }
  } application;
  tornel::testing::FakeWindowHost host;
  std::unique_ptr<TGraphFrm> frm;
  qint64 firstDrawMs = 0;
};

void Report(benchmark::State& state, const Window& w) {
  state.counters["last_draw_ms"] = static_cast<double>(w.frm->PaintBox()->LastRenderMs());
  state.counters["plot_w"] = w.frm->PaintBox()->width();
  state.counters["plot_h"] = w.frm->PaintBox()->height();
}

void BM_GraphWindow_Resize(benchmark::State& state) {
  Window w;
  bool big = false;
  for (auto _ : state) {
    big = !big;
    w.frm->resize(big ? QSize(1100, 760) : QSize(1000, 700));
    QCoreApplication::sendPostedEvents();
    w.frm->PaintBox()->RenderNow();
  }
  Report(state, w);
}
BENCHMARK(BM_GraphWindow_Resize)->Unit(benchmark::kMillisecond)->MinTime(5.0);

void Zoom(benchmark::State& state, int64_t frames) {
  Window w(frames);
  tornel::TGraphRecord& r = w.frm->Record();
  bool zoomed = false;
  for (auto _ : state) {
    zoomed = !zoomed;
    r.TMin = zoomed ? 0.2 : 0.0;
    r.TMax = zoomed ? 0.8 : 1.0;
    w.frm->RefreshPicture();
    w.frm->PaintBox()->RenderNow();
  }
  Report(state, w);
  state.counters["first_draw_ms"] = static_cast<double>(w.firstDrawMs);
}

void BM_GraphWindow_Zoom(benchmark::State& state) { Zoom(state, kFrames); }
BENCHMARK(BM_GraphWindow_Zoom)->Unit(benchmark::kMillisecond)->MinTime(5.0);

void BM_GraphWindow_Zoom_10M(benchmark::State& state) { Zoom(state, 10'000'000); }
BENCHMARK(BM_GraphWindow_Zoom_10M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_EngineAlone(benchmark::State& state) {
  Window w;
  const QSize size = w.frm->PaintBox()->size();
  QImage image(size, QImage::Format_RGB32);
  tornel::TGraphRecord& r = w.frm->Record();
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    tornel::QtCanvas canvas(painter, w.frm->PaintBox()->font(), false);
    tornel::DrawPlotArea(r, canvas, tornel::kScreenPlotMargins,
                         {0, 0, size.width(), size.height()});
  }
}
BENCHMARK(BM_EngineAlone)->Unit(benchmark::kMillisecond)->MinTime(5.0);

}  // namespace

BENCHMARK_MAIN();
