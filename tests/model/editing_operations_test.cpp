#include "track_test.h"

namespace {

using Nodes = std::vector<TSNode*>;

void CreateSection(CTrassoDoc& doc, std::vector<TSNode*>& path) {
  doc.CreatePolygon(false, path, 0, 4000, 0, 0, 0, true);
}

using AddAndMove = TrackTest;

TEST_F(AddAndMove, AddNodeAppendsAtTheTail) {
  TSNode* first = doc.AddNode(1, 2, false);
  doc.SetModifiedFlag(false);
  updates.Reset();
  TSNode* second = doc.AddNode(-3, 4, true);
  ExpectChanged();
  EXPECT_EQ(doc.m_nodeList.back().get(), second);
  EXPECT_EQ(doc.m_nodeList.front().get(), first);
  EXPECT_EQ(second->m_x, -3);
  EXPECT_EQ(second->m_y, 4);
  EXPECT_TRUE(second->m_bSelected);
  EXPECT_FALSE(first->m_bSelected);
}

TEST_F(AddAndMove, MoveShiftsOnlySelectedNodesAndAlwaysMarks) {
  TSNode* still = t.Node(10, 10);
  TSNode* moving = t.Node(20, 20);
  Settle();
  doc.MoveSelectedNodes(5, -5);
  ExpectChanged();
  EXPECT_EQ(still->m_x, 10);

  Select(moving);
  doc.MoveSelectedNodes(5, -7);
  EXPECT_EQ(moving->m_x, 25);
  EXPECT_EQ(moving->m_y, 13);
  EXPECT_EQ(still->m_y, 10);
}

TEST_F(AddAndMove, MovingPastTheCoordinateRangeStopsAtItsEnds) {
  TSNode* node = doc.AddNode(kMaxCoord - 10, kMinCoord + 10, true);
  doc.MoveSelectedNodes(100, -100);
  EXPECT_EQ(node->m_x, kMaxCoord);
  EXPECT_EQ(node->m_y, kMinCoord);
  doc.MoveSelectedNodes(kMinCoord, kMaxCoord);
  EXPECT_EQ(node->m_x, -1);
  EXPECT_EQ(node->m_y, -1);
}

class CreatePolygon : public TrackTest {
 protected:
  // The corners of a square, traced clockwise: up, right, down.
  void SetUp() override {
    a = t.Node(0, 0);
    b = t.Node(0, 10);
    c = t.Node(10, 10);
    d = t.Node(10, 0);
    Settle();
  }
  TSNode *a, *b, *c, *d;
};

TEST_F(CreatePolygon, BuildsWallsWithTheGivenAttributes) {
  TSPolygon* old = t.Section({a, b, c});
  Settle();
  Nodes path = {a, c, d};
  doc.CreatePolygon(true, path, -250, 6000, 5, 3, 2, true);
  ExpectChanged();
  ASSERT_EQ(doc.m_polygonList.size(), 2u);
  TSPolygon* made = doc.m_polygonList.back().get();
  EXPECT_EQ(Outline(made), (Nodes{a, c, d}));
  EXPECT_TRUE(made->m_bFeature);
  EXPECT_EQ(made->m_nFloorLevel, -250);
  EXPECT_EQ(made->m_nCeilingLevel, 6000);
  EXPECT_EQ(made->m_nFloorType, 3);
  EXPECT_EQ(made->m_nCeilingType, 2);
  for (const auto& wall : made->m_wallList) {
    EXPECT_EQ(wall->m_nWallType, 5);
    EXPECT_TRUE(wall->m_bSelected);
    EXPECT_EQ(wall->m_pPolygon, made);
  }
  // The shared node lists the new wall after the old one.
  EXPECT_EQ(WallsAt(a),
            (std::vector<TSAnchorWall*>{old->m_wallList[0].get(), made->m_wallList[0].get()}));
}

TEST_F(CreatePolygon, DropsRepeatedNodesKeepingTheFirst) {
  Nodes path = {a, b, c, b, d};
  CreateSection(doc, path);
  EXPECT_EQ(path, (Nodes{a, b, c, d}));
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()), (Nodes{a, b, c, d}));
}

TEST_F(CreatePolygon, FewerThanThreeDistinctNodesCreateNothing) {
  Nodes path = {a, b, a, a};
  CreateSection(doc, path);
  Nodes empty;
  CreateSection(doc, empty);
  EXPECT_TRUE(doc.m_polygonList.empty());
  ExpectUntouched();
}

TEST_F(CreatePolygon, ACounterClockwiseTracingIsStoredReversed) {
  Nodes clockwise = {a, b, c};
  CreateSection(doc, clockwise);
  Nodes counter = {a, c, b};
  CreateSection(doc, counter);
  EXPECT_EQ(Outline(doc.m_polygonList[0].get()), (Nodes{a, b, c}));
  EXPECT_EQ(Outline(doc.m_polygonList[1].get()), (Nodes{b, c, a}));
  EXPECT_TRUE(doc.m_polygonList[1]->IsInside(2, 5));
}

// A path that turns left overall but right at its end keeps its order: only
// the last three nodes decide.
TEST_F(CreatePolygon, OnlyTheTurnAtTheLastThreeNodesDecides) {
  Nodes path = {t.Node(0, 0), t.Node(100, 0), t.Node(100, 100), t.Node(110, 110)};
  const Nodes traced = path;
  CreateSection(doc, path);
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()), traced);

  // Straight on at the end counts as a right turn.
  Nodes straight = {t.Node(0, 0), t.Node(0, 10), t.Node(0, 20), t.Node(0, 30)};
  const Nodes straightTraced = straight;
  CreateSection(doc, straight);
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()), straightTraced);
}

TEST_F(CreatePolygon, TheTurnIsExactAtTheCoordinateLimits) {
  TSNode* low = t.Node(kMinCoord, kMinCoord);
  TSNode* high = t.Node(kMaxCoord, kMaxCoord);
  TSNode* corner = t.Node(kMinCoord, kMaxCoord);
  Nodes path = {high, corner, low};  // a left turn at the corner
  CreateSection(doc, path);
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()), (Nodes{low, corner, high}));
}

// Fourteen nodes on a circle-like outline: the first twelve in the direction
// of walking are used, from the head forward or from the tail backward.
TEST_F(CreatePolygon, UsesAtMostTwelveNodesInTheWalkingDirection) {
  Nodes ring;
  const TrackLength xs[] = {0, -3, -5, -6, -5, -3, 0, 3, 5, 6, 5, 3, 1, -1};
  const TrackLength ys[] = {6, 5, 3, 0, -3, -5, -6, -5, -3, 0, 3, 5, 6, 6};
  for (int i = 0; i < 14; ++i) ring.push_back(t.Node(xs[i] * 1000, ys[i] * 1000));
  // Traced counter-clockwise: walked from the tail.
  Nodes counter = ring;
  CreateSection(doc, counter);
  const Nodes fromTail(ring.rbegin(), ring.rbegin() + 12);
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()), fromTail);
  EXPECT_TRUE(ring[0]->m_wallList.empty());
  EXPECT_TRUE(ring[1]->m_wallList.empty());

  Nodes clockwise(ring.rbegin(), ring.rend());
  CreateSection(doc, clockwise);
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()),
            Nodes(clockwise.begin(), clockwise.begin() + 12));
}

using AttachItem = TrackTest;

TEST_F(AttachItem, LinksTheItemBothWays) {
  TSNode* node = doc.AddNode(5, 5, true);
  doc.SetModifiedFlag(false);
  updates.Reset();
  doc.AttachItem(node, 13);
  ExpectChanged();
  ASSERT_NE(node->m_pItem, nullptr);
  EXPECT_EQ(node->m_pItem->m_pNode, node);
  EXPECT_EQ(node->m_pItem->m_nType, 13);
  EXPECT_EQ(node->m_pItem->m_nElevation, 0);
  EXPECT_EQ(node->m_pItem->m_nOrientation, 0);
}

class WallEditing : public TrackTest {
 protected:
  // A square a-b-c-d and a triangle c-e-d on its right, sharing c–d.
  void SetUp() override {
    a = t.Node(0, 0);
    b = t.Node(0, 1000);
    c = t.Node(1000, 1000);
    d = t.Node(1000, 0);
    e = t.Node(2000, 500);
    square = t.Section({a, b, c, d});
    triangle = t.Section({d, c, e});
    Settle();
  }
  TSAnchorWall* Wall(TSPolygon* polygon, int i) { return polygon->m_wallList[i].get(); }

  TSNode *a, *b, *c, *d, *e;
  TSPolygon *square, *triangle;
};

TEST_F(WallEditing, GetSelectedWallNeedsExactlyOneSelectedEdge) {
  EXPECT_EQ(doc.GetSelectedWall(), nullptr);
  Wall(square, 1)->m_bSelected = 1;
  EXPECT_EQ(doc.GetSelectedWall(), nullptr);  // one end only
  Wall(square, 2)->m_bSelected = 1;
  EXPECT_EQ(doc.GetSelectedWall(), Wall(square, 1));
  Wall(triangle, 0)->m_bSelected = 1;
  Wall(triangle, 1)->m_bSelected = 1;
  EXPECT_EQ(doc.GetSelectedWall(), nullptr);  // two edges
  doc.ClearSelection(false);

  Wall(square, 3)->m_bSelected = 1;
  Wall(square, 0)->m_bSelected = 1;
  EXPECT_EQ(doc.GetSelectedWall(), Wall(square, 3));  // the closing edge
  doc.ClearSelection(false);
  SelectWallsOnly(triangle);
  EXPECT_EQ(doc.GetSelectedWall(), nullptr);  // a whole polygon
}

TEST_F(WallEditing, InsertNodeSplitsTheEdgeAtItsTruncatedMidpoint) {
  TSNode* p = t.Node(0, 0);
  TSNode* q = t.Node(1001, -3);
  TSPolygon* sliver = t.Section({p, t.Node(500, 500), q});
  TSAnchorWall* split = Wall(sliver, 2);  // from q back to p
  Settle();
  split->m_bSelected = 1;
  q->m_bSelected = 1;
  split->m_nWallType = 6;

  EXPECT_TRUE(doc.InsertNodeOnWall(split));
  ExpectChanged();
  TSNode* middle = doc.m_nodeList.back().get();
  EXPECT_EQ(middle->m_x, 500);
  EXPECT_EQ(middle->m_y, -1);
  EXPECT_TRUE(middle->m_bSelected);
  EXPECT_FALSE(q->m_bSelected);
  EXPECT_FALSE(split->m_bSelected);
  ASSERT_EQ(sliver->m_wallList.size(), 4u);
  TSAnchorWall* added = Wall(sliver, 3);
  EXPECT_EQ(Outline(sliver)[3], middle);
  EXPECT_EQ(added->m_nWallType, 0);
  EXPECT_EQ(split->m_nWallType, 6);
  EXPECT_TRUE(added->m_bSelected);
  EXPECT_EQ(WallsAt(middle), std::vector<TSAnchorWall*>{added});
}

TEST_F(WallEditing, AfterAnInsertionTheSelectedEdgeRunsFromTheNewNode) {
  Select(b);
  Select(c);
  Wall(square, 1)->m_bSelected = 1;
  Wall(square, 2)->m_bSelected = 1;
  EXPECT_TRUE(doc.InsertNodeOnWall(doc.GetSelectedWall()));
  EXPECT_EQ(Outline(square), (Nodes{a, b, doc.m_nodeList.back().get(), c, d}));
  EXPECT_EQ(doc.GetSelectedWall(), Wall(square, 2));
  // The neighbour still runs c → d directly.
  EXPECT_EQ(Outline(triangle), (Nodes{d, c, e}));
}

TEST_F(WallEditing, InsertNodeRefusesNullAndFullPolygons) {
  EXPECT_FALSE(doc.InsertNodeOnWall(nullptr));
  ExpectUntouched();

  for (int i = 4; i < 11; ++i) ASSERT_TRUE(doc.InsertNodeOnWall(Wall(square, 0)));
  ASSERT_EQ(square->m_wallList.size(), 11u);
  EXPECT_TRUE(doc.InsertNodeOnWall(Wall(square, 5)));
  EXPECT_EQ(square->m_wallList.size(), 12u);

  const std::size_t nodes = doc.m_nodeList.size();
  Settle();
  Wall(square, 5)->m_bSelected = 1;
  EXPECT_FALSE(doc.InsertNodeOnWall(Wall(square, 5)));
  ExpectUntouched();
  EXPECT_EQ(square->m_wallList.size(), 12u);
  EXPECT_EQ(doc.m_nodeList.size(), nodes);
  EXPECT_TRUE(Wall(square, 5)->m_bSelected);
}

TEST_F(WallEditing, InsertNodeAtTheCoordinateLimits) {
  TSNode* low = t.Node(kMinCoord, kMinCoord);
  TSNode* high = t.Node(kMaxCoord, kMaxCoord);
  TSPolygon* huge = t.Section({low, t.Node(kMinCoord + 1, kMaxCoord), high});
  ASSERT_TRUE(doc.InsertNodeOnWall(Wall(huge, 0)));
  TSNode* middle = doc.m_nodeList.back().get();
  // (−2^31 + (−2^31 + 1)) / 2 and (−2^31 + 2^31 − 1) / 2, toward zero.
  EXPECT_EQ(middle->m_x, kMinCoord + 1);
  EXPECT_EQ(middle->m_y, 0);
  ASSERT_TRUE(doc.InsertNodeOnWall(Wall(huge, 3)));  // from high back to low
  EXPECT_EQ(doc.m_nodeList.back()->m_x, 0);
  EXPECT_EQ(doc.m_nodeList.back()->m_y, 0);
}

TEST_F(WallEditing, DetachMovesTheWallOntoANewSelectedNode) {
  TSAnchorWall* wall = Wall(triangle, 1);  // anchored at c, shared with the square
  TSNode* moved = doc.DetachWall(wall, 1200, 1100);
  ExpectChanged();
  EXPECT_EQ(doc.m_nodeList.back().get(), moved);
  EXPECT_EQ(moved->m_x, 1200);
  EXPECT_EQ(moved->m_y, 1100);
  EXPECT_TRUE(moved->m_bSelected);
  EXPECT_TRUE(wall->m_bSelected);
  EXPECT_EQ(wall->m_pNode, moved);
  EXPECT_EQ(WallsAt(moved), std::vector<TSAnchorWall*>{wall});
  EXPECT_EQ(WallsAt(c), std::vector<TSAnchorWall*>{Wall(square, 2)});
  EXPECT_EQ(c->m_x, 1000);
}

TEST_F(WallEditing, ANodeLeftWithoutWallsByDetachIsCutWhenSelected) {
  TSNode* moved = doc.DetachWall(Wall(triangle, 2), 2100, 500);
  EXPECT_TRUE(e->m_wallList.empty());
  EXPECT_EQ(doc.m_nodeList.size(), 6u);
  doc.ClearSelection(false);
  Select(e);
  doc.DeleteSelection();
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
  EXPECT_EQ(doc.m_nodeList.back().get(), moved);
  EXPECT_EQ(Outline(triangle), (Nodes{d, c, moved}));
}

TEST_F(WallEditing, MergingNeighboursOfATriangleLeavesTwoWallsUntilTheNextCut) {
  doc.MergeNodes(c, e);
  ExpectChanged();
  EXPECT_EQ(Outline(triangle), (Nodes{d, c}));
  EXPECT_EQ(doc.m_nodeList.size(), 4u);
  ExpectSound();

  doc.DeleteSelection();  // nothing selected
  ASSERT_EQ(doc.m_polygonList.size(), 1u);
  EXPECT_EQ(doc.m_polygonList[0].get(), square);
  EXPECT_EQ(WallsAt(c), std::vector<TSAnchorWall*>{Wall(square, 2)});
  EXPECT_EQ(WallsAt(d), std::vector<TSAnchorWall*>{Wall(square, 3)});
}

TEST_F(WallEditing, MergingCornersJoinsTheSectionsAtOneNode) {
  TSNode* f = t.Node(2000, 2000);
  TSNode* g = t.Node(1000, 2000);
  TSPolygon* upper = t.Section({g, f, t.Node(1500, 1500)});
  t.Item(0, 0, 3);
  TSNode* carrier = doc.m_nodeList.back().get();
  doc.AttachItem(g, 5);
  TSAnchorWall* own = Wall(square, 2);
  TSAnchorWall* theirs = Wall(triangle, 1);
  Settle();

  // g carries an item, which goes with it; the target's item is not touched.
  doc.MergeNodes(c, g);
  ExpectChanged();
  EXPECT_EQ(WallsAt(c), (std::vector<TSAnchorWall*>{own, theirs, Wall(upper, 0)}));
  EXPECT_EQ(Outline(upper)[0], c);
  EXPECT_EQ(std::count_if(doc.m_nodeList.begin(), doc.m_nodeList.end(),
                          [&](const auto& n) { return n.get() == g; }),
            0);
  EXPECT_EQ(carrier->m_pItem->m_nType, 3);

  // A free node with an item can join an outline as the target.
  doc.MergeNodes(carrier, e);
  EXPECT_EQ(carrier->m_pItem->m_nType, 3);
  EXPECT_EQ(Outline(triangle), (Nodes{d, c, carrier}));
}

// The source's walls are handled in list order: one polygon already passes
// through the target and loses the vertex, the other moves over.
TEST_F(WallEditing, MergeDeletesOrMovesEachWallOfTheSource) {
  TSNode* f = t.Node(2000, 1500);
  TSPolygon* upper = t.Section({c, f, e});  // e lists triangle, then upper
  Settle();
  doc.MergeNodes(d, e);
  EXPECT_EQ(Outline(triangle), (Nodes{d, c}));
  EXPECT_EQ(Outline(upper), (Nodes{c, f, d}));
  EXPECT_EQ(WallsAt(d),
            (std::vector<TSAnchorWall*>{Wall(square, 3), Wall(triangle, 0), Wall(upper, 2)}));
}

TEST_F(WallEditing, MergingANodeOntoItselfChangesNothing) {
  doc.MergeNodes(c, c);
  ExpectUntouched();
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
  EXPECT_EQ(c->m_wallList.size(), 2u);
}

using DeleteSelection = WallEditing;

TEST_F(DeleteSelection, CuttingAWallRemovesItsVertexFromTheOutline) {
  Wall(square, 1)->m_bSelected = 1;
  doc.DeleteSelection();
  ExpectChanged();
  EXPECT_EQ(Outline(square), (Nodes{a, c, d}));
  EXPECT_TRUE(b->m_wallList.empty());
  EXPECT_EQ(doc.m_nodeList.size(), 5u);  // b was not selected

  // A 3-wall section that loses a wall goes, and its nodes stay.
  Wall(square, 0)->m_bSelected = 1;
  doc.DeleteSelection();
  EXPECT_EQ(doc.m_polygonList.size(), 1u);
  EXPECT_EQ(doc.m_polygonList[0].get(), triangle);
  EXPECT_TRUE(a->m_wallList.empty());
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
}

TEST_F(DeleteSelection, SelectedNodesGoOnlyWhenNoWallHangsOnThem) {
  t.Item(300, 300, 17);
  TSNode* carrier = doc.m_nodeList.back().get();
  Select(carrier);
  Select(c);  // still anchors walls of both polygons
  doc.DeleteSelection();
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
  EXPECT_EQ(doc.m_nodeList.back().get(), e);
  EXPECT_EQ(c->m_wallList.size(), 2u);
}

// An area selection marks a node and its walls: the cut removes the vertex
// from every outline, then the node.
TEST_F(DeleteSelection, ANodeSelectedWithItsWallsLeavesEveryOutline) {
  t.Section({b, t.Node(1000, 2000), c});
  Select(c);
  for (TSAnchorWall* wall : c->m_wallList) wall->m_bSelected = 1;
  doc.DeleteSelection();
  EXPECT_EQ(Outline(square), (Nodes{a, b, d}));
  ASSERT_EQ(doc.m_polygonList.size(), 1u);  // the triangles fell below 3 walls
  EXPECT_EQ(std::count_if(doc.m_nodeList.begin(), doc.m_nodeList.end(),
                          [&](const auto& n) { return n.get() == c; }),
            0);
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
  EXPECT_TRUE(e->m_wallList.empty());
}

TEST_F(DeleteSelection, KeepsTheOrderOfWhatRemains) {
  TSNode* f = t.Node(0, 2000);
  TSNode* g = t.Node(1000, 2000);
  TSPolygon* top = t.Section({b, f, g, c});
  Select(a);
  Select(d);
  doc.DeleteSelection();  // nodes still anchored: nothing goes
  EXPECT_EQ(doc.m_polygonList.size(), 3u);
  doc.ClearSelection(false);
  Select(triangle);  // c and d still anchor walls of the other sections
  doc.DeleteSelection();
  ASSERT_EQ(doc.m_polygonList.size(), 2u);
  EXPECT_EQ(doc.m_polygonList[0].get(), square);
  EXPECT_EQ(doc.m_polygonList[1].get(), top);
  Nodes remaining;
  for (const auto& node : doc.m_nodeList) remaining.push_back(node.get());
  EXPECT_EQ(remaining, (Nodes{a, b, c, d, f, g}));
  EXPECT_EQ(Outline(square), (Nodes{a, b, c, d}));
}

TEST_F(DeleteSelection, CuttingNothingStillMarks) {
  doc.DeleteSelection();
  ExpectChanged();
  EXPECT_EQ(doc.m_polygonList.size(), 2u);
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
}

}  // namespace
