// The plot engine's curves against raw QPainter polylines of the same points.
// BM_DrawCurves_1M: a 16-channel record of 1,000,000 frames, every channel
// shown, drawn through the engine (chunked reads of the sample file, point
// arithmetic, QtCanvas) into a 1600 x 900 image. BM_RawPolyline_1M: the same
// polylines with the same pens, straight from memory. Target: the engine
// takes at most 1.3 times the raw time. BM_DrawCurves_10M: ten times the
// frames, to show that time grows linearly and memory does not. These three
// draw frame by frame.
//
// Long records are drawn per pixel column from a min/max summary:
// BM_DrawCurves_16x10M_Envelope and BM_DrawCurves_16x100k_Envelope draw
// 10,000,000 and 100,000 frames with the summary built. Target: the first
// takes at most 2 times the second, and under 100 ms. BM_BuildSummary_16x10M
// beside BM_ReadFile_16x10M (the same sequential read with the same buffer,
// nothing computed). Target: building takes at most 1.5 times the read.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "core/plot/plot_curves.h"
#include "core/records/graph_record.h"
#include "core/records/sample_file_reader.h"
#include "core/records/sample_file_writer.h"
#include "core/records/sample_summary.h"
#include "offscreen_app.h"
#include "ui/canvas/qt_canvas.h"
#include "ui/canvas/qt_color.h"

namespace {

constexpr int kChannels = 16;
constexpr tornel::PlotRect kRect{0, 0, 1600, 900};
constexpr tornel::PlotRect kInner{60, 20, 1580, 880};

QGuiApplication& App() { return tornel::bench::OffscreenApp<QGuiApplication>("bench_plot"); }

// Sines of different frequencies with a little noise, as a drive records.
std::string WriteSamples(int64_t frames) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("tornel-bench-plot-" + std::to_string(frames) + ".smp");
  if (std::filesystem::exists(path) &&
      std::filesystem::file_size(path) == static_cast<uintmax_t>(frames * kChannels * 2)) {
    return path.string();
  }
  tornel::SampleFileWriter<int16_t> writer(path.string());
  uint32_t noise = 12345;
  std::vector<int16_t> frame(kChannels);
  for (int64_t i = 0; i < frames; ++i) {
    for (int c = 0; c < kChannels; ++c) {
      noise = noise * 1664525u + 1013904223u;
      const double phase =
          2 * M_PI * (c + 1) * static_cast<double>(i) / static_cast<double>(frames);
      frame[c] = static_cast<int16_t>(400 * std::sin(phase) + static_cast<int>(noise >> 29) - 4);
    }
    writer.Write(frame);
  }
  writer.Close();
  return path.string();
}

struct BenchRecord {
  explicit BenchRecord(int64_t frames) {
    record.AcpMask = record.AcpShowMask = 0xFFFF;
    record.Duration = record.TMax = 1.0;
    record.Base.fill(1.0);
    record.RealBase.fill(1.0);
    record.SampleFile = WriteSamples(frames);
    record.RecountRecord();
  }
  tornel::TGraphRecord record;
};

BenchRecord& Record(int64_t frames) {
  static std::map<int64_t, std::unique_ptr<BenchRecord>> records;
  auto& r = records[frames];
  if (!r) r = std::make_unique<BenchRecord>(frames);
  return *r;
}

QImage Target() {
  QImage image(kRect.Right, kRect.Bottom, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void DrawThroughEngine(benchmark::State& state, int64_t frames,
                       tornel::TimeCurveMode mode = tornel::TimeCurveMode::Exact) {
  App();
  tornel::TGraphRecord& record = Record(frames).record;
  if (mode != tornel::TimeCurveMode::Exact) record.Summaries.Prepare(record);
  QImage image = Target();
  for (auto _ : state) {
    QPainter painter(&image);
    tornel::QtCanvas canvas(painter);
    canvas.SetClipRect(kInner);
    tornel::DrawCurves(record, canvas, tornel::kScreenPlotMargins, kRect, mode);
    canvas.ClearClip();
  }
  state.SetItemsProcessed(state.iterations() * frames);
}

void BM_DrawCurves_1M(benchmark::State& state) { DrawThroughEngine(state, 1'000'000); }
BENCHMARK(BM_DrawCurves_1M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Keeps the polylines the engine hands over, for the raw baseline.
class CapturingCanvas : public tornel::Canvas {
public:
  struct Line {
    QColor color;
    std::vector<QPoint> points;
  };
  tornel::Pen GetPen() const override { return pen_; }
  void SetPen(const tornel::Pen& pen) override { pen_ = pen; }
  void Line(int, int, int, int) override {}
  void Polyline(std::span<const tornel::Point> points) override {
    struct Line line;
    line.color = tornel::ToQColor(pen_.color);
    for (const auto& p : points) line.points.emplace_back(p.x, p.y);
    lines.push_back(std::move(line));
  }
  void TextOut(int, int, std::string_view, tornel::Color) override {}
  tornel::TextSize TextExtent(std::string_view) override { return {6, 13}; }
  void SetClipRect(const tornel::PlotRect&) override {}
  void ClearClip() override {}
  bool IsPrinter() const override { return false; }

  std::vector<struct Line> lines;

private:
  tornel::Pen pen_;
};

void BM_RawPolyline_1M(benchmark::State& state) {
  App();
  constexpr int64_t kFrames = 1'000'000;
  CapturingCanvas captured;
  tornel::DrawCurves(Record(kFrames).record, captured, tornel::kScreenPlotMargins, kRect,
                     tornel::TimeCurveMode::Exact);
  QImage image = Target();
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setClipRect(QRect(kInner.Left, kInner.Top, kInner.Width(), kInner.Height()));
    for (const auto& line : captured.lines) {
      painter.setPen(QPen(line.color, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
      painter.drawPolyline(line.points.data(), static_cast<int>(line.points.size()));
    }
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_RawPolyline_1M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_DrawCurves_10M(benchmark::State& state) { DrawThroughEngine(state, 10'000'000); }
BENCHMARK(BM_DrawCurves_10M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DrawCurves_16x10M_Envelope(benchmark::State& state) {
  DrawThroughEngine(state, 10'000'000, tornel::TimeCurveMode::Auto);
}
BENCHMARK(BM_DrawCurves_16x10M_Envelope)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DrawCurves_16x100k_Envelope(benchmark::State& state) {
  DrawThroughEngine(state, 100'000, tornel::TimeCurveMode::Auto);
}
BENCHMARK(BM_DrawCurves_16x100k_Envelope)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadFile_16x10M(benchmark::State& state) {
  const std::string path = Record(10'000'000).record.SampleFile;
  const int64_t frames = tornel::SampleSummary<int16_t>::ReadFrames(kChannels);
  std::vector<int16_t> buffer(static_cast<std::size_t>(frames * kChannels));
  for (auto _ : state) {
    tornel::SampleFileReader<int16_t> reader(path, kChannels);
    int64_t sum = 0;
    while (const std::size_t got = reader.Read(buffer)) sum += buffer[got * kChannels - 1];
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * 10'000'000 * kChannels * 2);
}
BENCHMARK(BM_ReadFile_16x10M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_BuildSummary_16x10M(benchmark::State& state) {
  const std::string path = Record(10'000'000).record.SampleFile;
  for (auto _ : state) {
    auto summary = tornel::SampleSummary<int16_t>::Build(path, kChannels);
    benchmark::DoNotOptimize(summary);
  }
  state.SetBytesProcessed(state.iterations() * 10'000'000 * kChannels * 2);
}
BENCHMARK(BM_BuildSummary_16x10M)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
