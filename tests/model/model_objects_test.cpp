#include <memory>

#include "track_test.h"

namespace {

using ModelObjects = TrackTest;

TEST_F(ModelObjects, NextAndPreviousWallWrapAround) {
  TSPolygon* triangle = t.Section({t.Node(0, 0), t.Node(0, 10), t.Node(10, 0)});
  TSAnchorWall* first = triangle->m_wallList[0].get();
  TSAnchorWall* second = triangle->m_wallList[1].get();
  TSAnchorWall* last = triangle->m_wallList[2].get();
  EXPECT_EQ(first->GetNextWall(), second);
  EXPECT_EQ(last->GetNextWall(), first);
  EXPECT_EQ(first->GetPrevWall(), last);
  EXPECT_EQ(second->GetPrevWall(), first);

  TSAnchorWall loose;
  EXPECT_EQ(loose.GetNextWall(), nullptr);
  EXPECT_EQ(loose.GetPrevWall(), nullptr);
  loose.m_pPolygon = triangle;  // claims the polygon but is not in its list
  EXPECT_EQ(loose.GetNextWall(), nullptr);
  EXPECT_EQ(loose.GetPrevWall(), nullptr);
}

TEST_F(ModelObjects, IsInsideCountsEdgesAndVerticesAsInside) {
  TSPolygon* square =
      t.Section({t.Node(0, 0), t.Node(0, 1000), t.Node(1000, 1000), t.Node(1000, 0)});
  EXPECT_TRUE(square->IsInside(500, 500));
  EXPECT_TRUE(square->IsInside(0, 500));
  EXPECT_TRUE(square->IsInside(1000, 1000));
  EXPECT_FALSE(square->IsInside(1001, 500));
  EXPECT_FALSE(square->IsInside(500, -1));

  TSPolygon* triangle = t.Section({t.Node(0, 0), t.Node(0, 1000), t.Node(1000, 0)});
  EXPECT_TRUE(triangle->IsInside(500, 500));   // on the slanted edge
  EXPECT_FALSE(triangle->IsInside(501, 500));  // inside the box, beyond the edge

  EXPECT_FALSE(TSPolygon().IsInside(0, 0));
}

// Every edge test of a flat outline gives 0, so only the box keeps points
// beyond its ends out.
TEST_F(ModelObjects, IsInsideRejectsPointsOutsideTheBoxBeforeTestingEdges) {
  TSNode* a = t.Node(0, 0);
  TSNode* b = t.Node(100, 100);
  TSPolygon* flat = t.Section({a, b, t.Node(200, 200)});
  EXPECT_TRUE(flat->IsInside(50, 50));
  EXPECT_FALSE(flat->IsInside(300, 300));
  EXPECT_FALSE(flat->IsInside(-1, -1));
}

// Coordinates 100,000 units apart: the products of the edge test need 64 bits.
TEST_F(ModelObjects, IsInsideIsExactFarFromSmallCoordinates) {
  constexpr TrackLength kFar = 100000000;
  TSPolygon* big = t.Section({t.Node(-kFar, -kFar), t.Node(-kFar, kFar), t.Node(kFar, 0)});
  EXPECT_TRUE(big->IsInside(0, 0));
  EXPECT_TRUE(big->IsInside(kFar / 2, kFar / 4));
  EXPECT_FALSE(big->IsInside(kFar / 2, kFar / 4 + 1));
  EXPECT_FALSE(big->IsInside(kFar / 2, -kFar / 4 - 1));
}

// With differences of 2^32 − 1 the products pass 64 bits.
TEST_F(ModelObjects, IsInsideIsExactAtTheCoordinateLimits) {
  TSPolygon* huge = t.Section(
      {t.Node(kMinCoord, kMinCoord), t.Node(kMinCoord, kMaxCoord), t.Node(kMaxCoord, kMinCoord)});
  // The long edge is the line x + y = −1.
  EXPECT_TRUE(huge->IsInside(0, -1));
  EXPECT_TRUE(huge->IsInside(-1, -1));
  EXPECT_FALSE(huge->IsInside(0, 0));
  EXPECT_FALSE(huge->IsInside(kMaxCoord, kMaxCoord));
  EXPECT_TRUE(huge->IsInside(kMinCoord, kMinCoord));
}

TEST_F(ModelObjects, DeletingAPolygonUnlinksItsWallsAndKeepsItsNodes) {
  TSNode* a = t.Node(0, 0);
  TSNode* b = t.Node(0, 10);
  TSNode* c = t.Node(10, 10);
  TSNode* d = t.Node(10, 0);
  TSPolygon* left = t.Section({a, b, c});
  TSPolygon* right = t.Section({a, c, d});
  TSAnchorWall* kept = right->m_wallList[0].get();  // a's second wall

  doc.m_polygonList.erase(doc.m_polygonList.begin());  // deletes `left`
  (void)left;
  EXPECT_EQ(doc.m_nodeList.size(), 4u);
  EXPECT_EQ(WallsAt(a), std::vector<TSAnchorWall*>{kept});
  EXPECT_TRUE(b->m_wallList.empty());
  EXPECT_EQ(c->m_wallList.size(), 1u);
}

TEST_F(ModelObjects, DeletingAWallRemovesOnlyItsEntryFromItsNode) {
  TSNode* hub = t.Node(0, 0);
  TSPolygon* p1 = t.Section({hub, t.Node(0, 10), t.Node(10, 0)});
  TSPolygon* p2 = t.Section({hub, t.Node(-10, 0), t.Node(0, 10)});
  TSPolygon* p3 = t.Section({hub, t.Node(0, -10), t.Node(-10, 0)});
  TSAnchorWall* w1 = p1->m_wallList[0].get();
  TSAnchorWall* w3 = p3->m_wallList[0].get();

  p2->m_wallList.erase(p2->m_wallList.begin());
  EXPECT_EQ(WallsAt(hub), (std::vector<TSAnchorWall*>{w1, w3}));
  // Leave the track sound for the final check.
  doc.m_polygonList.erase(doc.m_polygonList.begin() + 1);
}

struct CountedItem : TSItem {
  explicit CountedItem(int& deaths) : m_deaths(deaths) {}
  ~CountedItem() override { ++m_deaths; }
  int& m_deaths;
};

TEST_F(ModelObjects, DeletingANodeDeletesItsItemOnce) {
  int deaths = 0;
  auto node = std::make_unique<TSNode>();
  auto item = std::make_unique<CountedItem>(deaths);
  item->m_pNode = node.get();
  node->m_pItem = std::move(item);
  node.reset();
  EXPECT_EQ(deaths, 1);
}

// Walls unlink themselves from their nodes, so the polygons must go before the
// nodes; the sanitizer catches the other order.
TEST(TrackDocumentLifetime, DestroyingATrackFreesEverythingInASafeOrder) {
  auto owned = std::make_unique<CTrassoDoc>();
  TrackBuilder t(*owned);
  TSNode* a = t.Node(0, 0);
  TSNode* c = t.Node(10, 10);
  t.Section({a, t.Node(0, 10), c});
  t.Section({a, c, t.Node(10, 0)});
  t.Feature({t.Node(2, 2), t.Node(2, 5), t.Node(5, 2)});
  t.Item(3, 3, 4);
  owned.reset();
}

}  // namespace
