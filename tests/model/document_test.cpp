#include "track_test.h"

namespace {

using Document = TrackTest;

TEST_F(Document, StartsEmptyAndIteratesInListOrder) {
  EXPECT_EQ(doc.GetFirstNodePosition(), POSITION{0});
  EXPECT_EQ(doc.GetFirstPolygonPosition(), POSITION{0});
  EXPECT_EQ(doc.GetDescription(), "");
  EXPECT_EQ(doc.GetBackground(), "");
  EXPECT_FALSE(doc.IsModified());

  TSNode* a = t.Node(0, 0);
  TSNode* b = t.Node(0, 10);
  TSNode* c = t.Node(10, 0);
  TSPolygon* first = t.Section({a, b, c});
  TSPolygon* second = t.Feature({a, b, c});

  std::vector<TSNode*> nodes;
  for (POSITION pos = doc.GetFirstNodePosition(); pos;) nodes.push_back(doc.GetNextNode(pos));
  EXPECT_EQ(nodes, (std::vector<TSNode*>{a, b, c}));
  std::vector<TSPolygon*> polygons;
  for (POSITION pos = doc.GetFirstPolygonPosition(); pos;)
    polygons.push_back(doc.GetNextPolygon(pos));
  EXPECT_EQ(polygons, (std::vector<TSPolygon*>{first, second}));
}

TEST_F(Document, FindSectionReturnsTheFirstSectionNeverAFeature) {
  TSNode* a = t.Node(0, 0);
  TSNode* b = t.Node(0, 100);
  TSNode* c = t.Node(100, 100);
  TSNode* d = t.Node(100, 0);
  // A feature listed first, then two overlapping sections.
  t.Feature({t.Node(10, 10), t.Node(10, 50), t.Node(50, 50), t.Node(50, 10)});
  TSPolygon* square = t.Section({a, b, c, d});
  t.Section({a, c, d});

  EXPECT_EQ(doc.FindSection(t.Node(20, 20)), square);  // inside the feature too
  EXPECT_EQ(doc.FindSection(t.Node(90, 10)), square);  // inside both sections
  EXPECT_EQ(doc.FindSection(t.Node(150, 50)), nullptr);
}

TEST_F(Document, ClearSelectionClearsFlagsAndUpdatesOnlyOnChange) {
  TSNode* a = t.Node(0, 0);
  TSPolygon* room = t.Section({a, t.Node(0, 10), t.Node(10, 0)});
  Settle();

  doc.ClearSelection(false);
  ExpectUntouched();

  Select(room);
  room->m_wallList[1]->m_bHighlighted = 1;
  a->m_bHighlighted = 1;
  doc.ClearSelection(true);  // keeps the selection, drops the highlight
  EXPECT_EQ(updates.Count(), 1);
  EXPECT_FALSE(a->m_bHighlighted);
  EXPECT_FALSE(room->m_wallList[1]->m_bHighlighted);
  EXPECT_TRUE(a->m_bSelected);
  EXPECT_TRUE(room->m_wallList[1]->m_bSelected);

  doc.ClearSelection(true);  // nothing highlighted any more
  EXPECT_EQ(updates.Count(), 1);

  doc.ClearSelection(false);
  EXPECT_EQ(updates.Count(), 2);
  EXPECT_FALSE(doc.HasSelection(false));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(Document, HasSelectionTellsNodesFromWalls) {
  TSNode* a = t.Node(0, 0);
  TSPolygon* room = t.Section({a, t.Node(0, 10), t.Node(10, 0)});
  TSNode* loose = t.Node(50, 50);
  EXPECT_FALSE(doc.HasSelection(false));
  EXPECT_FALSE(doc.HasSelection(true));

  room->m_wallList[2]->m_bSelected = 1;
  EXPECT_TRUE(doc.HasSelection(false));
  EXPECT_FALSE(doc.HasSelection(true));

  loose->m_bSelected = 1;
  EXPECT_TRUE(doc.HasSelection(true));
}

TEST_F(Document, TrackAttributesMarkModifiedOnlyWhenTheTextChanges) {
  doc.SetBackground("");
  doc.SetDescription("");
  ExpectUntouched();

  doc.SetBackground("HILLS.PCX");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetBackground(), "HILLS.PCX");
  doc.SetModifiedFlag(false);
  doc.SetBackground("HILLS.PCX");
  EXPECT_FALSE(doc.IsModified());
  doc.SetBackground("hills.pcx");  // compared byte by byte
  EXPECT_TRUE(doc.IsModified());

  doc.SetModifiedFlag(false);
  doc.SetDescription("Two laps\r\nthrough the pit");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetDescription(), "Two laps\r\nthrough the pit");
  EXPECT_EQ(updates.Count(), 0);  // the attributes are not drawn
}

// Views that show the modified mark read it after the update has run.
TEST_F(Document, ChangesUpdateTheViewsBeforeMarkingModified) {
  t.Node(0, 0);
  EXPECT_EQ(updates.Count(), 1);
  EXPECT_FALSE(updates.ModifiedAtLastUpdate());
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
