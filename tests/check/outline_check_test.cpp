// Problems of outlines: their shape, overlaps, shared edges and features.
#include <cmath>
#include <numbers>

#include "check/check_test_support.h"

using Lines = std::vector<std::string>;

namespace {
// Only the problems of the outlines: the race items are left out of these tracks.
Lines WithoutRace(const Lines& lines) {
  Lines kept;
  for (const std::string& line : lines) {
    if (line.find("Starting position") == std::string::npos &&
        line.find("not found") == std::string::npos)
      kept.push_back(line);
  }
  return kept;
}
}  // namespace

TEST_F(CheckTest, OutlineShapes) {
  auto n = [&](int x, int y) { return t.Node(x * 1000, y * 1000); };
  RawPolygon({n(0, 0), n(0, 10), n(10, 10), n(10, 0)});              // 1: sound
  RawPolygon({n(20, 0), n(25, 0), n(30, 0), n(30, 10), n(20, 10)});  // 2: anticlockwise
  RawPolygon({n(40, 0), n(40, 10), n(45, 5), n(50, 10), n(50, 0)});  // 3: notched
  RawPolygon({n(60, 0), n(70, 10), n(70, 0), n(60, 10)});            // 4: a bow tie
  TSNode* twin = n(80, 10);
  RawPolygon({n(80, 0), twin, n(80, 10), n(90, 10), n(90, 0)});           // 5: a wall of length 0
  RawPolygon({n(100, 0), n(100, 10)});                                    // 6: two walls
  RawPolygon({n(120, 0), n(120, 10), n(125, 10), n(125, 0), n(125, 5)});  // 7: turns straight back
  RawPolygon({n(130, 0), n(130, 5), n(130, 10)});                         // 8: no area
  std::vector<TSNode*> many;                                              // 9: a clockwise 13-gon
  for (int i = 0; i < 13; ++i) {
    const double angle = -2 * std::numbers::pi * i / 13;
    many.push_back(t.Node(200000 + TrackLength(10000 * std::cos(angle)),
                          TrackLength(10000 * std::sin(angle))));
  }
  RawPolygon(many);
  // 10 and 11: 67 corners turning right, winding round twice, then once.
  for (const int windings : {2, 1}) {
    std::vector<TSNode*> corners;
    for (int i = 0; i < 67; ++i) {
      const double angle = -2 * windings * std::numbers::pi * i / 67;
      corners.push_back(t.Node(300000 + TrackLength(10000 * std::cos(angle)),
                               TrackLength(10000 * std::sin(angle))));
    }
    RawPolygon(corners);
  }
  EXPECT_EQ(
      WithoutRace(Problems()),
      (Lines{"error: Outline runs anticlockwise (section 2)",
             "error: Outline is not convex (section 3)", "error: Outline is not convex (section 4)",
             "error: Walls of one outline cross (wall 0 of section 4, wall 2 of section 4)",
             "error: Wall has length zero (wall 1 of section 5)",
             "error: Outline has 2 walls; at least 3 are needed (section 6)",
             "error: Outline is not convex (section 7)",
             "error: Walls of one outline cross (wall 2 of section 7, wall 4 of section 7)",
             "error: Outline has no area (section 8)",
             "error: Outline has 13 walls; at most 12 are allowed (section 9)",
             "error: Outline has 67 walls; at most 12 are allowed (section 10)",
             "error: Walls of one outline cross (section 10)",
             "error: Outline has 67 walls; at most 12 are allowed (section 11)",
             "error: Sections overlap (section 10, section 11)"}));
}

TEST_F(CheckTest, SectionsThatOverlapNotThoseThatTouchOrHoldAFeature) {
  Cell(0, 0);
  Cell(1, 0);  // shares an edge
  Cell(1, 1);  // shares a corner with the first
  // Touches the first cell along its left edge with nodes of its own.
  t.Section({t.Node(-kCell, 0), t.Node(-kCell, kCell), t.Node(0, kCell), t.Node(0, 0)});
  // Overlaps cells 1 and 2 by a strip 1 unit wide.
  t.Section({t.Node(9000, -5000), t.Node(9000, 20000), t.Node(11000, 20000), t.Node(11000, -5000)});
  t.Feature({t.Node(1000, 1000), t.Node(1000, 9000), t.Node(9000, 9000), t.Node(9000, 1000)});
  // Two triangles whose boxes overlap, apart across the diagonal; a third inside cell 1.
  t.Section({t.Node(50000, 0), t.Node(50000, 10000), t.Node(60000, 0)});
  t.Section({t.Node(52000, 10000), t.Node(60000, 10000), t.Node(60000, 2000)});
  t.Section({t.Node(2000, 2000), t.Node(2000, 4000), t.Node(4000, 2000)});
  EXPECT_EQ(WithoutRace(Problems()), (Lines{"error: Sections overlap (section 1, section 5)",
                                            "error: Sections overlap (section 1, section 9)",
                                            "error: Sections overlap (section 2, section 5)",
                                            "error: Sections overlap (section 3, section 5)"}));
}

TEST_F(CheckTest, AnEdgeRunTheSameWayByTwoSections) {
  Cell(0, 0);
  // A triangle inside the cell, running its left edge upwards as the cell does.
  t.Section({GridNode(0, 0), GridNode(0, 1), t.Node(5000, 5000)});
  EXPECT_EQ(WithoutRace(Problems()),
            (Lines{"error: Sections overlap (section 1, section 2)",
                   "error: Two sections run this edge the same way; the compiler will not connect "
                   "them (wall 0 of section 1, wall 0 of section 2)"}));
}

TEST_F(CheckTest, FeaturesOffTheTrackOrReachingOutOfTheirSection) {
  Cell(0, 0);
  t.Feature({t.Node(1000, 1000), t.Node(1000, 12000), t.Node(9000, 12000), t.Node(9000, 1000)});
  t.Feature({t.Node(-5000, 1000), t.Node(-5000, 2000), t.Node(-4000, 2000), t.Node(-4000, 1000)});
  // On the track, though its first node is outside: a feature stands where its first node does.
  t.Feature({t.Node(-1000, 1000), t.Node(-1000, 2000), t.Node(2000, 2000), t.Node(2000, 1000)});
  EXPECT_EQ(WithoutRace(Problems()),
            (Lines{"warning: Feature reaches out of its section (feature 2, section 1)",
                   "warning: Feature lies in no section; the compile leaves it out (feature 3)",
                   "warning: Feature lies in no section; the compile leaves it out (feature 4)"}));
}
