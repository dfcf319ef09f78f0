#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/plot/canvas.h"
#include "core/plot/envelope_pass.h"
#include "core/plot/plot_geometry.h"
#include "core/records/graph_record.h"
#include "core/records/sample_file_reader.h"

namespace tornel {

// One pass of curves over one sample file: the frames of the record's time
// range are read in chunks of at most kChunkFrames, and every curve is drawn
// as one polyline per chunk that starts at the previous chunk's last point,
// so the curves have no gaps and memory stays the same for any record. The
// buffers are made once per pass; nothing is allocated per sample.
template <typename Sample>
class CurvePass {
public:
  static constexpr int64_t kChunkFrames = 1000;

  CurvePass(const TGraphRecord& record, const PlotGeometry& geometry, const std::string& path);

  // Channels shown against time, one pen per slot.
  void DrawTime(Canvas& canvas, TimeCurveMode mode = TimeCurveMode::Auto);
  // Enabled dependencies, one pen per dependency.
  void DrawDeps(Canvas& canvas);

private:
  // A curve's own recorded positions and scale, computed before the pass.
  struct Curve {
    int xPos = -1;  // -1 for a time curve
    int yPos = 0;
    double xFactor = 0;  // Base / RealBase of the slots
    double yFactor = 0;
    Pen pen;
  };

  bool TimeRange();
  bool UseEnvelope(TimeCurveMode mode) const;
  void DrawEnvelope(Canvas& canvas, const std::vector<Curve>& curves);
  void Run(Canvas& canvas, const std::vector<Curve>& curves, bool againstTime);
  double SlotFactor(int pos) const;
  Pen CurvePen(Canvas& canvas, Color color) const;

  const TGraphRecord& record_;
  const PlotGeometry& g_;
  std::string path_;
  SampleFileReader<Sample> reader_;
  int channels_ = 0;
  int64_t i0_ = 0;  // first frame of the time range (may lie before the file)
  int64_t n_ = 0;   // frames of the range after i0
  double yScale_ = 0, yc_ = 0, ycv_ = 0;
  std::vector<Sample> prev_;
  std::vector<Sample> chunk_;
  std::vector<int32_t> xs_;
  std::vector<Point> points_;
};

extern template class CurvePass<int16_t>;
extern template class CurvePass<double>;

}  // namespace tornel
