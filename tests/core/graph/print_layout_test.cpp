#include "core/graph/print_layout.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

// The page setup's landscape A4 with its default margins.
const PaperSetup kA4{296.90, 210.00, 45.00, 10.00, 30.00, 10.00};

TEST(MakePrintLayout, ScalesMarginsAndAreasFromTheWindowToThePage) {
  // A 600 dpi sheet: 7015 x 4960 dots. A window of 553 x 345 with the legend
  // splitter at 486, the base splitter at 246 and the caption one at 300.
  const WindowProportions window{553, 345, 486, 246, 300};
  const PrintLayout l = MakePrintLayout(kA4, 7015, 4960, window);
  ASSERT_TRUE(l.Printable);
  // ml = trunc(7015 * 45 / 296.9) = 1063, mr = trunc(7015 * 10 / 296.9) = 236,
  // mt = trunc(4960 * 30 / 210) = 708, mb = trunc(4960 * 10 / 210) = 236.
  EXPECT_EQ(l.page.px, 1063);
  EXPECT_EQ(l.page.py, 708);
  // Wp = 7015 - 236 - 1063 = 5716, Hp = 4960 - 236 - 708 = 4016.
  // Plot margins: trunc(7015 * 60 / 553) = 761, trunc(4960 * 20 / 345) = 287,
  // trunc(7015 * 20 / 553) = 253.
  EXPECT_EQ(l.margins, (PlotMargins{761, 287, 253, 287}));
  // Plot: trunc(5716 * 486 / 553) = 5023 by trunc(4016 * 246 / 345) = 2863.
  EXPECT_EQ(l.page.plot.Width, 5023);
  EXPECT_EQ(l.page.plot.Height, 2863);
  // Base values: 5023 by trunc(4016 * 54 / 345) = 628.
  EXPECT_EQ(l.page.base.Width, 5023);
  EXPECT_EQ(l.page.base.Height, 628);
  // Legend: trunc((1 - 486 / 553) * 5716) = 692 by trunc(4016 * 300 / 345) = 3492.
  EXPECT_EQ(l.page.legend.Width, 692);
  EXPECT_EQ(l.page.legend.Height, 3492);
  // Caption: 5716 by trunc((1 - 300 / 345) * 4016) = 523.
  EXPECT_EQ(l.page.caption.Width, 5716);
  EXPECT_EQ(l.page.caption.Height, 523);
}

TEST(MakePrintLayout, MarginsThatLeaveNoPaperOrAnEmptyWindowPrintNothing) {
  const WindowProportions window{553, 345, 486, 246, 300};
  PaperSetup wide = kA4;
  wide.MarginLeft = 200;
  wide.MarginRight = 100;  // more than the paper
  EXPECT_FALSE(MakePrintLayout(wide, 7015, 4960, window).Printable);
  EXPECT_FALSE(MakePrintLayout(kA4, 7015, 4960, WindowProportions{}).Printable);
  EXPECT_FALSE(MakePrintLayout(PaperSetup{}, 7015, 4960, window).Printable);
}

TEST(MakePrintLayout, AWindowWithoutCaptionRoomGivesACaptionOfNoHeight) {
  // The caption splitter at the very bottom: the caption area is empty.
  const PrintLayout l = MakePrintLayout(kA4, 7015, 4960, {553, 345, 486, 246, 345});
  EXPECT_TRUE(l.page.caption.Empty());
  EXPECT_FALSE(l.page.plot.Empty());
}

TEST(MakePictureLayout, PlotAndLegendShareTheWidthAndTheTextsTakeTheirHeight) {
  struct Case {
    int legendWidth, baseHeight, captionHeight;
    AreaSize plot, legend, base, caption;
  };
  // An 800 x 500 picture at (10, 20); the legend never takes more than half.
  const Case cases[] = {
      {65, 0, 0, {735, 500}, {65, 500}, {735, 0}, {800, 0}},
      {65, 54, 43, {735, 403}, {65, 457}, {735, 54}, {800, 43}},
      {500, 0, 43, {400, 457}, {400, 457}, {400, 0}, {800, 43}},
  };
  for (const Case& c : cases) {
    const PageLayout l =
        MakePictureLayout({10, 20, 810, 520}, c.legendWidth, c.baseHeight, c.captionHeight);
    EXPECT_EQ(l.px, 10);
    EXPECT_EQ(l.py, 20);
    EXPECT_EQ(l.plot, c.plot) << c.legendWidth;
    EXPECT_EQ(l.legend, c.legend) << c.legendWidth;
    EXPECT_EQ(l.base, c.base) << c.legendWidth;
    EXPECT_EQ(l.caption, c.caption) << c.legendWidth;
  }
}

TEST(PlotAreaDrawable, NeedsRoomInsideTheMargins) {
  const PlotMargins m{60, 20, 20, 20};
  EXPECT_TRUE(PlotAreaDrawable({81, 41}, m));
  EXPECT_FALSE(PlotAreaDrawable({80, 100}, m));
  EXPECT_FALSE(PlotAreaDrawable({200, 40}, m));
  EXPECT_FALSE(PlotAreaDrawable({0, 0}, m));
}

}  // namespace
}  // namespace tornel
