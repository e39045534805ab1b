// Saving, loading and saving again gives the same bytes and a sound graph.

#include <gtest/gtest.h>

#include "model/track_check.h"
#include "model/track_file.h"
#include "support/track_builder.h"
#include "support/track_generator.h"

namespace {

void ExpectSameGeometry(const CTrassoDoc& a, const CTrassoDoc& b) {
  ASSERT_EQ(a.m_nodeList.size(), b.m_nodeList.size());
  ASSERT_EQ(a.m_polygonList.size(), b.m_polygonList.size());
  for (std::size_t i = 0; i < a.m_nodeList.size(); ++i) {
    EXPECT_EQ(a.m_nodeList[i]->m_x, b.m_nodeList[i]->m_x);
    EXPECT_EQ(a.m_nodeList[i]->m_y, b.m_nodeList[i]->m_y);
    EXPECT_EQ(a.m_nodeList[i]->m_wallList.size(), b.m_nodeList[i]->m_wallList.size());
  }
  for (std::size_t i = 0; i < a.m_polygonList.size(); ++i) {
    EXPECT_EQ(a.m_polygonList[i]->m_wallList.size(), b.m_polygonList[i]->m_wallList.size());
  }
}

}  // namespace

TEST(RoundTrip, GeneratedTracksComeBackIdentical) {
  for (int n : {1, 2, 7, 30}) {
    auto doc = GenerateGridTrack(n);
    doc->m_strDescription = "line 1\r\nline 2 \xE9";
    doc->m_strBackground = "ground.pcx";
    SelectEverything(*doc);
    const auto bytes = SaveTrackBytes(*doc);
    auto loaded = LoadTrackBytes(bytes);
    EXPECT_TRUE(CheckTrack(*loaded).empty()) << n;
    ExpectSameGeometry(*doc, *loaded);
    EXPECT_EQ(SaveTrackBytes(*loaded), bytes) << n;
    EXPECT_EQ(loaded->m_strDescription, doc->m_strDescription);
    EXPECT_FALSE(loaded->HasSelection(false)) << "selection is never stored";
  }
}

TEST(RoundTrip, EditedTrackKeepsWallOrderAndAttributes) {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  TSNode* a = t.Node(0, 0);
  TSNode* b = t.Node(0, 10000);
  TSNode* c = t.Node(10000, 10000);
  TSNode* d = t.Node(10000, 0);
  TSPolygon* room = t.Section({a, b, c, d});
  t.Section({d, c, t.Node(20000, 5000)});
  doc.InsertNodeOnWall(room->m_wallList[1].get());  // node 6, between b and c
  room->m_nFloorLevel = -250;
  room->m_wallList[0]->m_nWallType = 9;
  t.Item(5000, 5000, 13)->m_nOrientation = 359999;

  auto loaded = LoadTrackBytes(SaveTrackBytes(doc));
  ASSERT_TRUE(CheckTrack(*loaded).empty());
  ExpectSameGeometry(doc, *loaded);
  const TSPolygon* copy = loaded->m_polygonList[0].get();
  EXPECT_EQ(copy->m_nFloorLevel, -250);
  EXPECT_EQ(copy->m_wallList[0]->m_nWallType, 9);
  EXPECT_EQ(Outline(copy)[2], loaded->m_nodeList[5].get());
  EXPECT_EQ(WallsAt(loaded->m_nodeList[1].get()),
            (std::vector<TSAnchorWall*>{copy->m_wallList[1].get()}));
  EXPECT_EQ(loaded->m_nodeList[6]->m_pItem->m_nOrientation, 359999);
}

// The largest generated track: the walk is as deep as the grid, which a
// recursive writer or reader would not survive.
TEST(RoundTrip, HundredThousandSectionsRoundTrip) {
  auto doc = GenerateGridTrack(316);
  const auto bytes = SaveTrackBytes(*doc);
  auto loaded = LoadTrackBytes(bytes);
  EXPECT_EQ(loaded->m_polygonList.size(), doc->m_polygonList.size());
  EXPECT_EQ(SaveTrackBytes(*loaded), bytes);
}
