#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <iostream>

#include "core/plot/plot_curves.h"
#include "core/records/graph_record.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_signals.h"
#include "ui/canvas/qt_canvas.h"

namespace tornel {
namespace {

constexpr PlotRect kRect{0, 0, 800, 450};
constexpr PlotRect kInner{60, 20, 780, 430};

QImage Picture(const TGraphRecord& record, TimeCurveMode mode) {
  QImage image(kRect.Right, kRect.Bottom, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QtCanvas canvas(painter);
  canvas.SetClipRect(kInner);
  DrawCurves(record, canvas, kScreenPlotMargins, kRect, mode);
  canvas.ClearClip();
  return image;
}

// Pixels that differ, and pixels that either picture draws on.
std::pair<int, int> Differences(const QImage& a, const QImage& b) {
  int differ = 0, drawn = 0;
  for (int y = kInner.Top; y < kInner.Bottom; ++y) {
    for (int x = kInner.Left; x < kInner.Right; ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      differ += p != q;
      drawn += p != qRgb(255, 255, 255) || q != qRgb(255, 255, 255);
    }
  }
  return {differ, drawn};
}

// The per-column picture of a long record beside the frame-by-frame one:
// the joins between columns may fall a pixel apart, nothing more: at most
// 0.2 % of the plot's pixels differ.
TEST(EnvelopePicture, LooksLikeTheFrameByFramePictureAtOneToOne) {
  struct Case {
    int64_t frames;
    double tMin, tMax;
  };
  const Case cases[] = {{1'000'000, 0, 1}, {200'000, 0.31, 0.33}, {3'000, 0, 1}};
  constexpr int kArea = (kInner.Right - kInner.Left) * (kInner.Bottom - kInner.Top);
  testing::TempDir dir;
  for (const Case& c : cases) {
    for (testing::Signal signal : testing::kSignals) {
      TGraphRecord record;
      record.AcpMask = record.AcpShowMask = 1;
      record.Duration = 1;
      record.TMin = c.tMin;
      record.TMax = c.tMax;
      record.Base.fill(1.0);
      record.RealBase.fill(1.0);
      record.ChanColor[0] = 0xC00000;
      std::vector<int16_t> codes(static_cast<std::size_t>(c.frames));
      for (int64_t i = 0; i < c.frames; ++i) codes[i] = testing::SignalCode(signal, i);
      record.SampleFile = dir.File("samples");
      testing::WriteBytes(record.SampleFile, testing::Int16Bytes(codes));
      record.RecountRecord();
      ASSERT_TRUE(record.Summaries.Prepare(record));
      const auto [differ, drawn] =
          Differences(Picture(record, TimeCurveMode::Exact), Picture(record, TimeCurveMode::Auto));
      std::cout << "frames " << c.frames << " range " << c.tMin << ".." << c.tMax << " signal "
                << static_cast<int>(signal) << ": " << differ << " of " << kArea
                << " pixels differ (" << 100.0 * differ / kArea << " %), " << drawn << " drawn ("
                << (drawn ? 100.0 * differ / drawn : 0) << " % of them)\n";
      EXPECT_LE(differ, kArea / 500) << c.frames << " " << static_cast<int>(signal);
    }
  }
}

}  // namespace
}  // namespace tornel
