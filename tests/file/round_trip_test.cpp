// Saving, loading and saving again gives the same bytes and a sound graph.

#include <gtest/gtest.h>

#include "model/track_check.h"
#include "model/track_file.h"
#include "support/track_builder.h"
#include "support/track_generator.h"

TEST(RoundTrip, GeneratedTracksAndALongRowComeBackIdentical) {
  for (int n : {1, 2, 7, 30}) {
    auto doc = GenerateGridTrack(n);
    doc->m_strDescription = "line 1\r\nline 2 \xE9";
    SelectEverything(*doc);
    const auto bytes = SaveTrackBytes(*doc);
    auto loaded = LoadTrackBytes(bytes);
    EXPECT_TRUE(CheckTrack(*loaded).empty()) << n;
    EXPECT_EQ(SaveTrackBytes(*loaded), bytes) << n;
    EXPECT_FALSE(loaded->HasSelection(false)) << "the selection is never stored";
  }
  // Saving walks section to section as deep as the row is long: no recursive writer survives it.
  CTrassoDoc doc;
  TrackBuilder t(doc);
  TSNode *low = t.Node(0, 0), *high = t.Node(0, 10);
  for (TrackLength x = 10; x <= 300000; x += 10) {
    TSNode *nextLow = t.Node(x, 0), *nextHigh = t.Node(x, 10);
    t.Section({low, high, nextHigh, nextLow});
    std::tie(low, high) = std::pair(nextLow, nextHigh);
  }
  const auto bytes = SaveTrackBytes(doc);
  EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(bytes)), bytes);
}
