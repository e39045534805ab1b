#include "check/track_checker.h"

#include <gtest/gtest.h>

#include "support/track_builder.h"

TEST(TrackChecker, Smoke) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  t.Section({t.Node(0, 0), t.Node(0, 10000), t.Node(10000, 10000), t.Node(10000, 0)});
  for (const auto& p : CheckTrackProblems(doc)) std::printf("%s\n", FormatProblem(p).c_str());
}
