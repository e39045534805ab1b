#include "model/grid_snap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
constexpr TrackLength kMax = std::numeric_limits<TrackLength>::max();
constexpr TrackLength kMin = std::numeric_limits<TrackLength>::min();

TEST(GridSnap, RoundsToTheNearestMultipleAndHalfwayAwayFromZeroOnBothSidesOfTheOrigin) {
  const struct {
    TrackLength value, spacing, expected;
  } cases[] = {
      {0, 1000, 0},         {499, 1000, 0},          {500, 1000, 1000},
      {-499, 1000, 0},      {-500, 1000, -1000},     {1499, 1000, 1000},
      {1500, 1000, 2000},   {-1499, 1000, -1000},    {-1500, 1000, -2000},
      {-1501, 1000, -2000}, {-2000, 1000, -2000},    {124, 250, 0},
      {125, 250, 250},      {-124, 250, 0},          {-125, 250, -250},
      {-374, 250, -250},    {-375, 250, -500},       {-1126, 250, -1250},
      {1126, 250, 1250},    {-100000, 250, -100000}, {7, 1, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SnapToGrid(c.value, c.spacing), c.expected) << c.value << " at " << c.spacing;
  }
}

TEST(GridSnap, SaturatesAtTheTrackLengthLimitsAndIgnoresASpacingThatIsNotPositive) {
  EXPECT_EQ(SnapToGrid(kMax, 1000), kMax);  // 2147484000 is out of range
  EXPECT_EQ(SnapToGrid(kMin, 1000), kMin);
  EXPECT_EQ(SnapToGrid(kMax - 700, 1000), 2147483000);
  EXPECT_EQ(SnapToGrid(kMin, kMax), -kMax);  // one away, where −2 × kMax is far
  EXPECT_EQ(SnapToGrid(kMax, kMax), kMax);
  EXPECT_EQ(SnapToGrid(-1500, 0), -1500);
  EXPECT_EQ(SnapToGrid(-1500, -1000), -1500);
}

TEST(GridSnap, DrawnStepIsTheFirstOfOneTwoFiveTimesTheSpacingThatKeepsTheGap) {
  EXPECT_EQ(DrawnGridStep(1000, 0), 1000);
  EXPECT_EQ(DrawnGridStep(1000, 1000), 1000);
  EXPECT_EQ(DrawnGridStep(1000, 1001), 2000);
  EXPECT_EQ(DrawnGridStep(1000, 2001), 5000);
  EXPECT_EQ(DrawnGridStep(1000, 5001), 10000);
  EXPECT_EQ(DrawnGridStep(1000, 15000), 20000);
  EXPECT_EQ(DrawnGridStep(250, 600), 1250);
  EXPECT_EQ(DrawnGridStep(250, 2500), 2500);
  // A gap beyond every coordinate, or none that is a number, still gives one step.
  EXPECT_GE(DrawnGridStep(1000, 1e300), std::int64_t{1} << 33);
  EXPECT_LT(DrawnGridStep(1000, 1e300), std::int64_t{1} << 36);
  EXPECT_EQ(DrawnGridStep(1000, std::nan("")), 1000);
  EXPECT_EQ(DrawnGridStep(kMax, 1e300), std::int64_t{kMax} * 5);
}
}  // namespace
