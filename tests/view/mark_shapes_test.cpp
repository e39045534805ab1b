#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "view/mark_shapes.h"

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;

// How far counterclockwise (y up) `angle` lies from `start`, in [0, 2π).
double Ccw(double start, double angle) {
  const double d = std::fmod(angle - start, kTwoPi);
  return d < 0 ? d + kTwoPi : d;
}
}  // namespace

TEST(MarkShapes, RaysPointAlongTheirEdgeAndReverseExactly) {
  const MarkRay east = MarkRay::Between({0, 0}, {5, 0});
  EXPECT_DOUBLE_EQ(east.angle, 0);
  const MarkRay west = east.Reversed();
  EXPECT_NEAR(west.angle, std::numbers::pi, 1e-12);
  EXPECT_EQ(west.unit, QPointF(-1, 0));
  const MarkRay south = MarkRay::Between({0, 0}, {0, -3});
  EXPECT_NEAR(south.angle, 1.5 * std::numbers::pi, 1e-5);
  EXPECT_NEAR(MarkRay::Between({0, 0}, {-4, 3}).angle, std::atan2(3.0, -4.0), 1e-5);
  EXPECT_TRUE(MarkRay::Between({7, 7}, {7, 7}).bEmpty);
}

TEST(MarkShapes, AWedgeStaysWithinItsSweepAndRadius) {
  CMarkShapes shapes(96 / 254.0);
  const QPoint centre(100, -50);
  const QPoint ends[][2] = {{{130, -50}, {100, 0}},   // a quarter, up from east
                            {{100, 0}, {130, -50}},   // three quarters, the other way
                            {{80, -60}, {120, -40}},  // almost half, across angle 0
                            {{101, 30}, {99, 30}}};   // nearly the whole disc
  for (const auto& [from, to] : ends) {
    const MarkRay a = MarkRay::Between(centre, from), b = MarkRay::Between(centre, to);
    const double sweep = Ccw(a.angle, b.angle);
    const QPolygonF& wedge = shapes.Wedge(centre, a, b, 21);
    ASSERT_GE(wedge.size(), 3);
    EXPECT_EQ(wedge.first(), QPointF(centre));
    EXPECT_EQ(wedge[1], QPointF(centre) + a.unit * 21);
    EXPECT_EQ(wedge.last(), QPointF(centre) + b.unit * 21);
    double last = 0;
    for (qsizetype k = 1; k < wedge.size(); ++k) {
      const QPointF d = wedge[k] - QPointF(centre);
      EXPECT_NEAR(std::hypot(d.x(), d.y()), 21, 1e-9);
      // Measured from a little before the start: ray angles are approximate.
      const double along =
          k == wedge.size() - 1 ? sweep : Ccw(a.angle - 1e-4, std::atan2(d.y(), d.x())) - 1e-4;
      EXPECT_LE(along, sweep + 1e-4);
      EXPECT_GE(along, last - 1e-4);  // corners in counterclockwise order
      last = along;
    }
  }
}

TEST(MarkShapes, CoincidingRaysGiveTheWholeDisc) {
  CMarkShapes shapes(1.0);
  const MarkRay ray = MarkRay::Between({0, 0}, {3, 4});
  const QPolygonF& wedge = shapes.Wedge({0, 0}, ray, ray, 10);
  const qsizetype wedgeSize = wedge.size();
  EXPECT_EQ(wedgeSize, shapes.Disc({0, 0}, 10).size() + 3);  // centre and both end points
}
