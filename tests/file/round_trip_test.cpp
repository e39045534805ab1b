// Saving, loading and saving again gives the same bytes and a sound graph.

#include <gtest/gtest.h>

#include "model/track_check.h"
#include "model/track_file.h"
#include "support/track_builder.h"
#include "support/track_generator.h"

TEST(RoundTrip, GeneratedTracksComeBackIdentical) {
  for (int n : {1, 2, 7, 30}) {
    auto doc = GenerateGridTrack(n);
    doc->m_strDescription = "line 1\r\nline 2 \xE9";
    SelectEverything(*doc);
    const auto bytes = SaveTrackBytes(*doc);
    auto loaded = LoadTrackBytes(bytes);
    EXPECT_TRUE(CheckTrack(*loaded).empty()) << n;
    EXPECT_EQ(loaded->m_polygonList.size(), doc->m_polygonList.size());
    EXPECT_EQ(SaveTrackBytes(*loaded), bytes) << n;
    EXPECT_EQ(loaded->m_strDescription, doc->m_strDescription);
    EXPECT_FALSE(loaded->HasSelection(false)) << "the selection is never stored";
  }
}

TEST(RoundTrip, EditedTrackKeepsWallOrderAndAttributes) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  TSNode* c = t.Node(10000, 10000);
  TSNode* d = t.Node(10000, 0);
  TSPolygon* room = t.Section({t.Node(0, 0), t.Node(0, 10000), c, d});
  t.Section({d, c, t.Node(20000, 5000)});
  doc.InsertNodeOnWall(room->m_wallList[1].get());  // node 6, between b and c
  room->m_nFloorLevel = -250;
  room->m_wallList[0]->m_nWallType = 9;
  t.Item(5000, 5000, 13)->m_nOrientation = 359999;

  auto loaded = LoadTrackBytes(SaveTrackBytes(doc));
  ASSERT_TRUE(CheckTrack(*loaded).empty());
  const TSPolygon* copy = loaded->m_polygonList.at(0).get();
  EXPECT_EQ(std::tuple(copy->m_nFloorLevel, copy->m_wallList[0]->m_nWallType), std::tuple(-250, 9));
  EXPECT_EQ(Outline(copy)[2], loaded->m_nodeList.at(5).get());
  EXPECT_EQ(WallsAt(loaded->m_nodeList[1].get()),
            (std::vector<TSAnchorWall*>{copy->m_wallList[4].get(),
                                        loaded->m_polygonList[1]->m_wallList[0].get()}));
  EXPECT_EQ(loaded->m_nodeList.at(6)->m_pItem->m_nOrientation, 359999);
}

// Saving walks from each section to the next through their shared nodes, as
// deep as the row is long, which a recursive writer would not survive.
TEST(RoundTrip, LongRowOfSections) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  TSNode* low = t.Node(0, 0);
  TSNode* high = t.Node(0, 10);
  for (TrackLength x = 10; x <= 300000; x += 10) {
    TSNode* nextLow = t.Node(x, 0);
    TSNode* nextHigh = t.Node(x, 10);
    t.Section({low, high, nextHigh, nextLow});
    low = nextLow;
    high = nextHigh;
  }
  const auto bytes = SaveTrackBytes(doc);
  EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(bytes)), bytes);
}
