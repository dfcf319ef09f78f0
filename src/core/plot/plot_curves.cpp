#include "core/plot/plot_curves.h"

#include "core/plot/curve_pass.h"

namespace tornel {
namespace {

template <typename Sample>
void DrawOneFile(const TGraphRecord& record, Canvas& canvas, const PlotGeometry& g,
                 const std::string& path, TimeCurveMode mode) {
  if (g.timePlot) CurvePass<Sample>(record, g, path).DrawTime(canvas, mode);
  if (g.xyPlot) CurvePass<Sample>(record, g, path).DrawDeps(canvas);
}

}  // namespace

void DrawCurves(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                const PlotRect& rect, TimeCurveMode mode) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  VisitSampleFormat(record.Samples, [&]<typename S>(std::type_identity<S>) {
    DrawOneFile<S>(record, canvas, g, record.SampleFile, mode);
    for (int k = 0; k < kCompareSlots; ++k) {
      if (record.CompareOn[k] && !record.CompareTemp[k].empty()) {
        DrawOneFile<S>(record, canvas, g, record.CompareTemp[k], mode);
      }
    }
  });
}

template <typename Sample>
void DrawTimeCurves(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                    const PlotRect& rect, const std::string& sampleFile, TimeCurveMode mode) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  CurvePass<Sample>(record, g, sampleFile).DrawTime(canvas, mode);
}

template <typename Sample>
void DrawDepCurves(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                   const PlotRect& rect, const std::string& sampleFile) {
  const PlotGeometry g = MakePlotGeometry(record, canvas, margins, rect);
  CurvePass<Sample>(record, g, sampleFile).DrawDeps(canvas);
}

template void DrawTimeCurves<int16_t>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                      const PlotRect&, const std::string&, TimeCurveMode);
template void DrawTimeCurves<double>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                     const PlotRect&, const std::string&, TimeCurveMode);
template void DrawDepCurves<int16_t>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                     const PlotRect&, const std::string&);
template void DrawDepCurves<double>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                    const PlotRect&, const std::string&);

}  // namespace tornel
