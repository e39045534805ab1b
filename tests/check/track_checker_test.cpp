#include "check/track_checker.h"

#include <gtest/gtest.h>

#include "support/track_builder.h"

TEST(TrackChecker, Smoke) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  t.Section({t.Node(0, 0), t.Node(0, 10000), t.Node(10000, 10000), t.Node(10000, 0)});
  for (const auto& p : CheckTrackProblems(doc)) std::printf("%s\n", FormatProblem(p).c_str());
}

// A wall of length zero is a problem of its own; the walls on either side of
// it meet only at its corner, while walls that do cross are still found.
TEST(TrackChecker, AZeroWallIsItsOwnProblemAndHidesNoCrossing) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  t.Section(
      {t.Node(0, 0), t.Node(0, 10000), t.Node(0, 10000), t.Node(10000, 10000), t.Node(10000, 0)});
  t.Section({t.Node(20000, 0), t.Node(30000, 10000), t.Node(30000, 10000), t.Node(20000, 10000),
             t.Node(30000, 0)});
  std::vector<std::string> shapes;
  for (const TrackProblem& problem : CheckTrackProblems(doc)) {
    if (problem.kind == ProblemKind::kZeroWall || problem.kind == ProblemKind::kCrossingWalls)
      shapes.push_back(FormatProblem(problem));
  }
  EXPECT_EQ(shapes,
            (std::vector<std::string>{
                "error: Wall has length zero (wall 1 of section 1)",
                "error: Wall has length zero (wall 2 of section 2)",
                "error: Walls of one outline cross (wall 0 of section 2, wall 3 of section 2)",
            }));
}
