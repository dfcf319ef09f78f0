#include "core/graph/zoom_band.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace tornel {
namespace {

// Inner rectangle of a 300 x 200 paint box with the screen margins.
const PlotRect kInner{60, 20, 280, 180};

// The pixels left inverted after applying every strip handed back, as a set
// of (x, y); inverting twice erases.
class Screen {
public:
  void Apply(const std::vector<PlotRect>& strips) {
    for (const PlotRect& r : strips) {
      for (int x = r.Left; x < r.Right; ++x) {
        for (int y = r.Top; y < r.Bottom; ++y) {
          auto [it, added] = inverted_.insert({x, y});
          if (!added) inverted_.erase(it);
        }
      }
    }
  }
  // True when exactly the pixels of r are inverted.
  bool ShowsOnly(const PlotRect& r) const {
    const std::size_t expected = static_cast<std::size_t>(std::max(0, r.Width())) *
                                 static_cast<std::size_t>(std::max(0, r.Height()));
    if (inverted_.size() != expected) return false;
    for (const auto& [x, y] : inverted_) {
      if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) return false;
    }
    return true;
  }
  bool Clean() const { return inverted_.empty(); }

private:
  std::set<std::pair<int, int>> inverted_;
};

TEST(ZoomBand, AnXBandFollowsTheMouseAndShrinksWhenItComesBack) {
  ZoomBand band;
  Screen screen;
  band.Press({100, 90}, kInner);
  screen.Apply(band.Move({150, 95}, kInner));
  EXPECT_TRUE(band.BandIsX);
  EXPECT_TRUE(screen.ShowsOnly({100, 20, 150, 180}));
  screen.Apply(band.Move({120, 95}, kInner));
  EXPECT_TRUE(screen.ShowsOnly({100, 20, 120, 180})) << "moving back shrinks the band";
  screen.Apply(band.Move({70, 95}, kInner));
  EXPECT_TRUE(screen.ShowsOnly({70, 20, 100, 180})) << "past the start it grows to the left";
  EXPECT_EQ(band.Start(), 100);
  EXPECT_EQ(band.Current(), 70);
}

TEST(ZoomBand, SwitchesBetweenXAndYBandsByTheLargerDistance) {
  ZoomBand band;
  Screen screen;
  band.Press({100, 50}, kInner);
  screen.Apply(band.Move({105, 120}, kInner));  // dy 70 > dx 5: a Y band
  EXPECT_FALSE(band.BandIsX);
  EXPECT_TRUE(screen.ShowsOnly({60, 50, 280, 120}));
  screen.Apply(band.Move({200, 60}, kInner));  // dx 100 > dy 10: back to an X band
  EXPECT_TRUE(band.BandIsX);
  EXPECT_TRUE(screen.ShowsOnly({100, 20, 200, 180}));
  EXPECT_EQ(band.Current(), 200);
  screen.Apply(band.Move({100, 50}, kInner));
  EXPECT_TRUE(screen.Clean()) << "back at the start nothing is left inverted";
}

TEST(ZoomBand, EqualDistancesKeepTheBandsKind) {
  ZoomBand band;
  band.Press({100, 50}, kInner);
  band.Move({100, 90}, kInner);  // a Y band
  band.Move({140, 90}, kInner);  // dx 40 = dy 40
  EXPECT_FALSE(band.BandIsX);
}

TEST(ZoomBand, PositionsAreHeldInsideTheInnerRectangle) {
  ZoomBand band;
  Screen screen;
  band.Press({10, 5}, kInner);
  EXPECT_EQ(band.BandStartX, 60);
  EXPECT_EQ(band.BandStartY, 20);
  screen.Apply(band.Move({900, 30}, kInner));
  EXPECT_EQ(band.BandCurX, 280);
  EXPECT_TRUE(screen.ShowsOnly({60, 20, 280, 180}));
}

TEST(ZoomBand, OnlyAPressStartsABandAndOnlyOneReleaseEndsIt) {
  ZoomBand band;
  EXPECT_TRUE(band.Move({100, 100}, kInner).empty());
  EXPECT_FALSE(band.Release());
  band.Press({100, 100}, kInner);
  EXPECT_TRUE(band.BandDragging);
  EXPECT_TRUE(band.Release());
  EXPECT_FALSE(band.Release());
  EXPECT_TRUE(band.Move({150, 100}, kInner).empty());
}

}  // namespace
}  // namespace tornel
