#pragma once

#include "core/plot/plot_geometry.h"
#include "core/plot/plot_page.h"

namespace tornel {

// The paper and its margins as the page setup gives them, in one unit of
// length (millimetres).
struct PaperSetup {
  double PaperWidth = 0;
  double PaperHeight = 0;
  double MarginLeft = 0;
  double MarginRight = 0;
  double MarginTop = 0;
  double MarginBottom = 0;
  bool operator==(const PaperSetup&) const = default;
};

// Where the graph window's parts lie on screen, in pixels of its client area:
// the left edge of the legend splitter and the tops of the base-value and
// caption splitters.
struct WindowProportions {
  int ClientWidth = 0;
  int ClientHeight = 0;
  int LegendSplitterLeft = 0;
  int BaseSplitterTop = 0;
  int CaptionSplitterTop = 0;
};

struct PrintLayout {
  PlotMargins margins;  // the screen's plot margins scaled to the page
  PageLayout page;      // origin at the page margins, areas in the window's proportions
  // False when the margins, or the window, leave nothing to print on.
  bool Printable = false;
};

// One printed page of a graph window on a page of pageWidth x pageHeight
// device units (the whole sheet). Every conversion to device units truncates
// toward zero.
PrintLayout MakePrintLayout(const PaperSetup& paper, int pageWidth, int pageHeight,
                            const WindowProportions& window);

// A picture of a record (an image file) in `area`: the plot with the legend
// at its right, the base values under the plot and the caption across the
// bottom, each text area as tall as its text needs (0 for no text). The
// legend is `legendWidth` wide, but never more than half the picture.
PageLayout MakePictureLayout(const PlotRect& area, int legendWidth, int baseHeight,
                             int captionHeight);

// The screen's plot margins at `scale` device units per screen pixel,
// truncated.
PlotMargins ScaledPlotMargins(double scale);

// An area is drawn only when it has a size, and the plot only when its
// inner rectangle has one.
bool PlotAreaDrawable(const AreaSize& plot, const PlotMargins& margins);

}  // namespace tornel
