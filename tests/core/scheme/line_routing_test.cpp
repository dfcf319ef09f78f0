#include "core/scheme/line_routing.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

struct RouteCase {
  Point start, end;
  bool s, d;
  LinePath path;
};

TEST(LineRouting, EightShapesByDirectionAndOrientation) {
  // Backward: (100, 50) to (40, 80), m = 70, ym = 65; forward the reverse.
  const RouteCase cases[] = {
      {{100, 50},
       {40, 80},
       true,
       true,
       {{{100, 50}, {70, 50}, {70, 80}, {70, 80}, {70, 80}, {40, 80}}}},
      {{100, 50},
       {40, 80},
       true,
       false,
       {{{100, 50}, {28, 50}, {28, 80}, {28, 80}, {28, 80}, {40, 80}}}},
      {{100, 50},
       {40, 80},
       false,
       true,
       {{{100, 50}, {112, 50}, {112, 80}, {112, 80}, {112, 80}, {40, 80}}}},
      {{100, 50},
       {40, 80},
       false,
       false,
       {{{100, 50}, {112, 50}, {112, 65}, {28, 65}, {28, 80}, {40, 80}}}},
      {{40, 50},
       {100, 80},
       false,
       true,
       {{{40, 50}, {112, 50}, {112, 80}, {112, 80}, {112, 80}, {100, 80}}}},
      {{40, 50},
       {100, 80},
       false,
       false,
       {{{40, 50}, {70, 50}, {70, 80}, {70, 80}, {70, 80}, {100, 80}}}},
      {{40, 50},
       {100, 80},
       true,
       false,
       {{{40, 50}, {28, 50}, {28, 80}, {28, 80}, {28, 80}, {100, 80}}}},
      {{40, 50},
       {100, 80},
       true,
       true,
       {{{40, 50}, {28, 50}, {28, 65}, {112, 65}, {112, 80}, {100, 80}}}},
  };
  for (const RouteCase& c : cases) {
    auto path = RouteLine(c.start, c.end, c.s, c.d);
    ASSERT_TRUE(path);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ((*path)[i], c.path[i]) << c.start.x << " S" << c.s << " D" << c.d << " P" << i;
    }
  }
  EXPECT_FALSE(RouteLine({5, 5}, {5, 5}, false, false)) << "coinciding ends draw nothing";
  // Equal x counts as forward.
  EXPECT_EQ((*RouteLine({40, 50}, {40, 80}, false, false))[1], (Point{40, 50}));
}

}  // namespace
}  // namespace tornel
