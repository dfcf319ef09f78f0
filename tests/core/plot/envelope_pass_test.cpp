#include "core/plot/envelope_pass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "core/plot/plot_curves.h"
#include "plot_fixture.h"
#include "recording_canvas.h"
#include "tests/support/test_signals.h"

namespace tornel::testing {
namespace {

// Per curve (told apart by colour) and pixel column: the first and last y
// the polylines pass through there and the span between, which is what a
// column shows. Also checks that each polyline starts where the curve's
// previous one ended.
class ColumnCanvas : public Canvas {
public:
  struct Span {
    int first, last, lo, hi;
    bool operator==(const Span&) const = default;
  };
  struct Curve {
    std::map<int, Span> columns;
    bool started = false;
    bool joined = true;
    Point last;
    std::size_t points = 0;
  };

  Pen GetPen() const override { return pen_; }
  void SetPen(const Pen& pen) override { pen_ = pen; }
  void Line(int, int, int, int) override {}
  void Polyline(std::span<const Point> points) override {
    Curve& c = curves[pen_.color];
    std::size_t from = 0;
    if (c.started) {
      c.joined = c.joined && points[0] == c.last;
      from = 1;
    }
    for (std::size_t i = from; i < points.size(); ++i) {
      const Point p = points[i];
      auto [it, fresh] = c.columns.try_emplace(p.x, Span{p.y, p.y, p.y, p.y});
      if (fresh) continue;
      it->second.last = p.y;
      it->second.lo = std::min(it->second.lo, p.y);
      it->second.hi = std::max(it->second.hi, p.y);
    }
    c.started = true;
    c.last = points.back();
    c.points += points.size();
  }
  void TextOut(int, int, std::string_view, Color) override {}
  TextSize TextExtent(std::string_view) override { return {6, 10}; }
  void SetClipRect(const PlotRect&) override {}
  void ClearClip() override {}
  bool IsPrinter() const override { return false; }

  std::map<Color, Curve> curves;

private:
  Pen pen_;
};

// The first column where the two drawings differ, or "" when none does.
std::string FirstDifference(const ColumnCanvas& exact, const ColumnCanvas& envelope) {
  if (exact.curves.size() != envelope.curves.size()) return "a different number of curves";
  for (const auto& [color, curve] : exact.curves) {
    const auto other = envelope.curves.find(color);
    if (other == envelope.curves.end()) return "a curve is missing";
    const auto& a = curve.columns;
    const auto& b = other->second.columns;
    if (a.size() != b.size()) return "a different number of columns";
    for (const auto& [x, span] : a) {
      const auto it = b.find(x);
      if (it == b.end() || !(it->second == span)) {
        std::ostringstream out;
        out << "colour " << color << " column " << x << ": frames " << span.first << " " << span.lo
            << ".." << span.hi << " " << span.last;
        if (it != b.end()) {
          out << ", envelope " << it->second.first << " " << it->second.lo << ".." << it->second.hi
              << " " << it->second.last;
        }
        return out.str();
      }
    }
  }
  return "";
}

class Envelope : public ::testing::Test, public PlotFixture {
protected:
  void FourChannels(int64_t frames) {
    record.AcpMask = record.AcpShowMask = 0b1111;
    record.Duration = record.TMax = 1;
    for (int s = 0; s < 4; ++s) record.ChanColor[s] = static_cast<Color>(0x10 + s);
    Samples(FourSignals(frames));
  }

  ColumnCanvas Draw(TimeCurveMode mode, const PlotRect& rect) {
    ColumnCanvas canvas;
    DrawCurves(record, canvas, kMargins, rect, mode);
    return canvas;
  }
};

TEST_F(Envelope, EveryColumnShowsExactlyWhatTheFrameByFrameDrawingShows) {
  struct Case {
    const char* what;
    int64_t frames;
    double tMin, tMax;
    int innerWidth;
  };
  const Case cases[] = {
      {"columns of 6000 frames use both summary levels", 600'001, 0, 1, 100},
      {"a zoom whose ends fall inside blocks", 600'001, 0.123457, 0.876543, 100},
      {"columns of about 100 frames", 50'000, 0, 1, 480},
      {"columns of three frames, too short for a block", 1'500, 0, 1, 480},
      {"a range that begins before the record", 50'000, -0.3, 0.9, 480},
      {"a range that ends beyond the record", 50'000, 0.2, 1.7, 480},
  };
  for (const Case& c : cases) {
    FourChannels(c.frames);
    record.TMin = c.tMin;
    record.TMax = c.tMax;
    const PlotRect rect{0, 0, c.innerWidth + kMargins.Left + kMargins.Right, 340};
    const ColumnCanvas exact = Draw(TimeCurveMode::Exact, rect);
    for (const bool summary : {true, false}) {
      if (summary) {
        ASSERT_TRUE(record.Summaries.Prepare(record));
      } else {
        record.Summaries.Clear();
      }
      const ColumnCanvas envelope = Draw(TimeCurveMode::Auto, rect);
      EXPECT_EQ(FirstDifference(exact, envelope), "") << c.what << (summary ? "" : ", no summary");
      for (const auto& [color, curve] : envelope.curves) {
        EXPECT_TRUE(curve.joined) << c.what;
        // Four points a column, one more where a batch of columns begins.
        EXPECT_LE(curve.points, 4u * (c.innerWidth + 1) + 3) << c.what;
      }
    }
  }
}

TEST_F(Envelope, ASingleFrameSpikeShowsInItsColumnOnly) {
  std::vector<int16_t> codes(100'000, 0);
  codes[54'321] = 511;
  record.AcpMask = record.AcpShowMask = 1;
  record.Duration = record.TMax = 1;
  Samples(codes);
  ASSERT_TRUE(record.Summaries.Prepare(record));
  RecordingCanvas canvas;
  DrawCurves(record, canvas, kMargins, kRect);
  // n = 99999 over W = 480: frame 54321 at x = 60 + trunc(54321 * 480 / 99999) = 320,
  // code 511 at y = 91 and 0 at y = 170.
  bool seen = false;
  for (const auto& line : canvas.OfKind(RecordingCanvas::Kind::Polyline)) {
    for (const Point& p : line.points) {
      EXPECT_EQ(p.y, p.x == 320 && p.y == 91 ? 91 : 170) << p.x;
      seen = seen || (p.x == 320 && p.y == 91);
    }
  }
  EXPECT_TRUE(seen);
}

TEST_F(Envelope, MoreThanTwoFramesAColumnSwitchToColumnsInBatches) {
  record.AcpMask = record.AcpShowMask = 1;
  record.Duration = record.TMax = 1;
  // n = frames - 1 against W = 480.
  Samples(std::vector<int16_t>(961, 0));  // n = 960: two frames a column
  RecordingCanvas exact;
  DrawCurves(record, exact, kMargins, kRect);
  const auto exactLines = exact.OfKind(RecordingCanvas::Kind::Polyline);
  ASSERT_EQ(exactLines.size(), 1u);
  EXPECT_EQ(exactLines[0].points.size(), 961u);

  Samples(std::vector<int16_t>(962, 0));  // n = 961
  RecordingCanvas envelope;
  DrawCurves(record, envelope, kMargins, kRect);
  const auto lines = envelope.OfKind(RecordingCanvas::Kind::Polyline);
  // Columns 60 ... 540 are 481, four points each, in batches of 250 and 231.
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points.size(), 1000u);
  EXPECT_EQ(lines[1].points.size(), 925u);
  EXPECT_EQ(lines[1].points.front(), lines[0].points.back());
  EXPECT_EQ(lines[0].points.front(), (Point{60, 170}));
  EXPECT_EQ(lines[1].points.back(), (Point{540, 170}));
  EXPECT_EQ(envelope.GetPen(), RecordingCanvas::kOwnPen);
}

TEST_F(Envelope, GraphBlockDoublesAreDrawnTheSameWay) {
  record.AcpMask = record.AcpShowMask = 0b11;
  record.Duration = record.TMax = 1;
  record.Samples = SampleFormat::Float64;
  record.FullScale = 1.0;
  record.ChanColor[1] = 0x20;
  std::vector<double> values;
  for (int i = 0; i < 40'000; ++i) {
    values.push_back(std::sin(i / 900.0));
    values.push_back(i % 5003 == 17 ? -1.5 : 0.25);
  }
  record.SampleFile = dir.File("doubles");
  WriteBytes(record.SampleFile, DoubleBytes(values));
  ASSERT_TRUE(record.Summaries.Prepare(record));
  ASSERT_NE(record.Summaries.Find<double>(record.SampleFile, 2), nullptr);
  EXPECT_EQ(FirstDifference(Draw(TimeCurveMode::Exact, kRect), Draw(TimeCurveMode::Auto, kRect)),
            "");
}

TEST_F(Envelope, WholeBlocksComeFromTheSummaryUntilItIsForgotten) {
  record.AcpMask = record.AcpShowMask = 1;
  record.Duration = record.TMax = 1;
  Samples(std::vector<int16_t>(100'000, 0));
  ASSERT_TRUE(record.Summaries.Prepare(record));
  // Rewritten in place with the same size and time: only Forget can tell.
  const auto time = std::filesystem::last_write_time(record.SampleFile);
  std::vector<int16_t> spiked(100'000, 0);
  spiked[64 * 500 + 30] = 511;  // well inside a column's whole blocks
  WriteBytes(record.SampleFile, Int16Bytes(spiked));
  std::filesystem::last_write_time(record.SampleFile, time);
  auto spans = [&] { return Draw(TimeCurveMode::Auto, kRect).curves.begin()->second.columns; };
  for (const auto& [x, span] : spans()) EXPECT_EQ(span.lo, 170) << x;
  record.Summaries.Forget(record.SampleFile);
  int tops = 0;
  for (const auto& [x, span] : spans()) tops += span.lo == 91;
  EXPECT_EQ(tops, 1);
}

}  // namespace
}  // namespace tornel::testing
