#include <algorithm>

#include "track_test.h"

namespace {

class Drawing : public TrackTest {
 protected:
  // The corners of a square, traced clockwise: up, right, down.
  void SetUp() override {
    a = t.Node(0, 0);
    b = t.Node(0, 10);
    c = t.Node(10, 10);
    d = t.Node(10, 0);
    Settle();
  }
  void Create(Nodes& path) { doc.CreatePolygon(false, path, 0, 4000, 0, 0, 0, false); }
  TSNode *a, *b, *c, *d;
};

TEST_F(Drawing, AddAndMoveNodesStoppingAtTheEndsOfTheRange) {
  TSNode* node = doc.AddNode(-3, 4, true);
  ExpectChanged();
  EXPECT_EQ(doc.m_nodeList.back().get(), node);
  EXPECT_TRUE(node->m_bSelected);
  EXPECT_FALSE(a->m_bSelected);
  doc.MoveSelectedNodes(5, -7);
  EXPECT_EQ(At(node), XY(2, -3));
  EXPECT_EQ(At(a), XY(0, 0));
  node->m_x = kMaxCoord - 10;
  node->m_y = kMinCoord + 10;
  doc.MoveSelectedNodes(100, -100);
  EXPECT_EQ(At(node), XY(kMaxCoord, kMinCoord));
  doc.MoveSelectedNodes(kMinCoord, kMaxCoord);
  EXPECT_EQ(At(node), XY(-1, -1));
  // Moving nothing still updates and marks.
  doc.ClearSelection(false);
  Unmark();
  doc.MoveSelectedNodes(5, 5);
  ExpectChanged();
}

TEST_F(Drawing, CreatePolygonBuildsWallsWithTheGivenAttributes) {
  TSPolygon* old = t.Section({a, b, c});
  Settle();
  Nodes path = {a, c, d};
  doc.CreatePolygon(true, path, -250, 6000, 5, 3, 2, true);
  ExpectChanged();
  TSPolygon* made = doc.m_polygonList.back().get();
  EXPECT_EQ(Outline(made), (Nodes{a, c, d}));
  EXPECT_EQ(std::tuple(made->m_bFeature, made->m_nFloorLevel, made->m_nCeilingLevel,
                       made->m_nFloorType, made->m_nCeilingType),
            std::tuple(1, -250, 6000, 3, 2));
  for (const auto& wall : made->m_wallList) {
    EXPECT_EQ(std::tuple(wall->m_nWallType, wall->m_bSelected, wall->m_pPolygon),
              std::tuple(5, 1, made));
  }
  // The shared node lists the new wall after the old one.
  EXPECT_EQ(WallsAt(a), (Walls{Wall(old, 0), Wall(made, 0)}));
}

// The turn at the last three distinct nodes decides: a left turn there is
// stored reversed, a right turn or straight on keeps the traced order.
TEST_F(Drawing, CreatePolygonStoresTheOutlineClockwise) {
  Nodes bend = {a, t.Node(100, 0), t.Node(100, 100), t.Node(110, 110)};  // left, then right
  Nodes line = {t.Node(0, 20), t.Node(0, 30), t.Node(0, 40)};
  TSNode* low = t.Node(kMinCoord, kMinCoord);
  TSNode* high = t.Node(kMaxCoord, kMaxCoord);
  TSNode* corner = t.Node(kMinCoord, kMaxCoord);
  const std::pair<Nodes, Nodes> cases[] = {
      {{a, b, c}, {a, b, c}},
      {{a, c, b}, {b, c, a}},
      {{a, b, c, b, d}, {a, b, c, d}},  // repeats dropped, the first kept
      {bend, bend},
      {line, line},
      {{high, corner, low}, {low, corner, high}},  // exact at the coordinate limits
  };
  for (const auto& [traced, stored] : cases) {
    Nodes path = traced;
    Create(path);
    EXPECT_EQ(Outline(doc.m_polygonList.back().get()), stored);
    EXPECT_EQ(path.size(), stored.size());
  }
}

TEST_F(Drawing, FewerThanThreeDistinctNodesCreateNothing) {
  for (Nodes path : {Nodes{a, b, a, a}, Nodes{}}) Create(path);
  EXPECT_TRUE(doc.m_polygonList.empty());
  ExpectUntouched();
}

// Fourteen nodes round a circle: the first twelve in the direction of walking
// are used, from the head forward or from the tail backward.
TEST_F(Drawing, CreatePolygonUsesAtMostTwelveNodes) {
  Nodes ring;
  const TrackLength xs[] = {0, -3, -5, -6, -5, -3, 0, 3, 5, 6, 5, 3, 1, -1};
  const TrackLength ys[] = {6, 5, 3, 0, -3, -5, -6, -5, -3, 0, 3, 5, 6, 6};
  for (int i = 0; i < 14; ++i) ring.push_back(t.Node(xs[i] * 1000, ys[i] * 1000));
  Nodes counter = ring;
  Create(counter);
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()), Nodes(ring.rbegin(), ring.rbegin() + 12));
  EXPECT_TRUE(ring[0]->m_wallList.empty() && ring[1]->m_wallList.empty());
  Nodes clockwise(ring.rbegin(), ring.rend());
  Create(clockwise);
  EXPECT_EQ(Outline(doc.m_polygonList.back().get()),
            Nodes(clockwise.begin(), clockwise.begin() + 12));
}

TEST_F(Drawing, AttachItemLinksTheItemBothWays) {
  doc.AttachItem(a, 13);
  ExpectChanged();
  ASSERT_NE(a->m_pItem, nullptr);
  const TSItem& item = *a->m_pItem;
  EXPECT_EQ(std::tuple(item.m_pNode, item.m_nType, item.m_nElevation, item.m_nOrientation),
            std::tuple(a, 13, 0, 0));
}

// Results are truncated toward zero, never rounded down, and stop at the
// ends of the range; the centre of the box is truncated too.
TEST_F(Drawing, ScaleSelectionAboutTheCentreOfTheSelectedBox) {
  struct Case {
    std::vector<XY> before;
    double factor;
    std::vector<XY> after;
  };
  // clang-format off
  const Case cases[] = {
      {{{0, 0}, {10000, 20000}, {400, 400}}, 2.0, {{-5000, -10000}, {15000, 30000}, {-4200, -9200}}},
      {{{0, 0}, {3, 3}}, 0.5, {{0, 0}, {2, 2}}},
      {{{-3, 0}, {0, 0}}, 0.5, {{-2, 0}, {0, 0}}},
      {{{-7, 9}}, 5.0, {{-7, 9}}},
      {{{20000000, -30000000}, {30000000, -20000000}}, 2.0, {{15000000, -35000000}, {35000000, -15000000}}},
      {{{-2000000000, kMinCoord}, {2000000000, kMaxCoord}}, 2.0, {{kMinCoord, kMinCoord}, {kMaxCoord, kMaxCoord}}},
      {{{0, kMinCoord}, {0, kMaxCoord}}, 0.5, {{0, -1073741824}, {0, 1073741823}}},
  };
  // clang-format on
  for (const Case& row : cases) {
    doc.ClearSelection(false);
    Nodes nodes;
    for (XY p : row.before) nodes.push_back(doc.AddNode(p.first, p.second, true));
    Unmark();
    doc.ScaleSelection(row.factor);
    ExpectChanged();
    std::vector<XY> after;
    for (TSNode* node : nodes) after.push_back(At(node));
    EXPECT_EQ(after, row.after) << row.before[0].first;
  }
  EXPECT_EQ(At(c), XY(10, 10));
  doc.ClearSelection(false);
  Unmark();
  doc.ScaleSelection(3.0);
  ExpectUntouched();
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
  std::size_t Count(const TSNode* node) {
    return std::count_if(doc.m_nodeList.begin(), doc.m_nodeList.end(),
                         [&](const auto& n) { return n.get() == node; });
  }
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

// The sums of the coordinates need 64 bits; −1 / 2 and the like go to zero.
TEST_F(WallEditing, InsertNodeSplitsTheEdgeAtItsMidpointTruncatedTowardZero) {
  TSNode* low = t.Node(kMinCoord, kMinCoord);
  TSNode* high = t.Node(kMaxCoord, kMaxCoord);
  TSPolygon* huge = t.Section({low, t.Node(kMinCoord + 1, kMaxCoord), high});
  TSAnchorWall* split = Wall(huge, 0);
  Settle();
  split->m_bSelected = low->m_bSelected = 1;
  split->m_nWallType = 6;
  EXPECT_TRUE(doc.InsertNodeOnWall(split));
  ExpectChanged();
  TSNode* middle = doc.m_nodeList.back().get();
  EXPECT_EQ(At(middle), XY(kMinCoord + 1, 0));
  EXPECT_TRUE(middle->m_bSelected);
  EXPECT_FALSE(low->m_bSelected || split->m_bSelected);
  TSAnchorWall* added = Wall(huge, 1);
  EXPECT_EQ(WallsAt(middle), Walls{added});
  EXPECT_EQ(std::tuple(added->m_nWallType, added->m_bSelected, split->m_nWallType),
            std::tuple(0, 1, 6));
  ASSERT_TRUE(doc.InsertNodeOnWall(Wall(huge, 3)));  // the closing edge, high to low
  EXPECT_EQ(At(doc.m_nodeList.back().get()), XY(0, 0));
  EXPECT_EQ(Outline(huge)[4], doc.m_nodeList.back().get());
}

TEST_F(WallEditing, InsertNodeRefusesNullAndFullPolygons) {
  EXPECT_FALSE(doc.InsertNodeOnWall(nullptr));
  ExpectUntouched();
  for (int i = 4; i < 12; ++i) ASSERT_TRUE(doc.InsertNodeOnWall(Wall(square, i % 3)));
  ASSERT_EQ(square->m_wallList.size(), 12u);
  const std::size_t nodes = doc.m_nodeList.size();
  Settle();
  Wall(square, 5)->m_bSelected = 1;
  EXPECT_FALSE(doc.InsertNodeOnWall(Wall(square, 5)));
  ExpectUntouched();
  EXPECT_EQ(square->m_wallList.size(), 12u);
  EXPECT_EQ(doc.m_nodeList.size(), nodes);
  EXPECT_TRUE(Wall(square, 5)->m_bSelected);
}

TEST_F(WallEditing, DetachMovesTheWallOntoANewSelectedNode) {
  TSAnchorWall* wall = Wall(triangle, 1);  // anchored at c, shared with the square
  TSNode* moved = doc.DetachWall(wall, 1200, 1100);
  ExpectChanged();
  EXPECT_EQ(doc.m_nodeList.back().get(), moved);
  EXPECT_EQ(At(moved), XY(1200, 1100));
  EXPECT_TRUE(moved->m_bSelected && wall->m_bSelected);
  EXPECT_EQ(wall->m_pNode, moved);
  EXPECT_EQ(WallsAt(moved), Walls{wall});
  EXPECT_EQ(WallsAt(c), Walls{Wall(square, 2)});
  EXPECT_EQ(At(c), XY(1000, 1000));

  // A node left without walls goes when selected and cut.
  TSNode* last = doc.DetachWall(Wall(triangle, 2), 2100, 500);
  EXPECT_TRUE(e->m_wallList.empty());
  doc.ClearSelection(false);
  Select(e);
  doc.DeleteSelection();
  EXPECT_EQ(Count(e), 0u);
  EXPECT_EQ(doc.m_nodeList.back().get(), last);
  EXPECT_EQ(Outline(triangle), (Nodes{d, moved, last}));
}

TEST_F(WallEditing, MergingCornersJoinsTheSectionsAtOneNode) {
  TSNode* g = t.Node(1000, 2000);
  TSPolygon* upper = t.Section({g, t.Node(2000, 2000), t.Node(1500, 1500)});
  TSNode* carrier = t.Item(0, 0, 3)->m_pNode;
  doc.AttachItem(g, 5);
  TSAnchorWall* own = Wall(square, 2);
  TSAnchorWall* theirs = Wall(triangle, 1);
  Settle();
  // g's item goes with it; the target's is not touched.
  doc.MergeNodes(c, g);
  ExpectChanged();
  EXPECT_EQ(WallsAt(c), (Walls{own, theirs, Wall(upper, 0)}));
  EXPECT_EQ(Outline(upper)[0], c);
  EXPECT_EQ(Count(g), 0u);
  // A free node with an item can join an outline as the target.
  doc.MergeNodes(carrier, e);
  EXPECT_EQ(carrier->m_pItem->m_nType, 3);
  EXPECT_EQ(Outline(triangle), (Nodes{d, c, carrier}));
}

// The source's walls are handled in list order: the triangle already passes
// through the target and loses the vertex, keeping two walls until the next
// cut; the other polygon moves over.
TEST_F(WallEditing, MergeDeletesOrMovesEachWallOfTheSource) {
  TSPolygon* upper = t.Section({c, t.Node(2000, 1500), e});
  TSNode* f = Outline(upper)[1];
  Unmark();
  doc.MergeNodes(d, e);
  ExpectChanged();
  EXPECT_EQ(Count(e), 0u);
  EXPECT_EQ(Outline(triangle), (Nodes{d, c}));
  EXPECT_EQ(Outline(upper), (Nodes{c, f, d}));
  EXPECT_EQ(WallsAt(d), (Walls{Wall(square, 3), Wall(triangle, 0), Wall(upper, 2)}));
  ExpectSound();
  doc.DeleteSelection();  // nothing selected
  EXPECT_EQ(doc.m_polygonList.size(), 2u);
  EXPECT_EQ(WallsAt(d), (Walls{Wall(square, 3), Wall(upper, 2)}));
  Unmark();
  doc.MergeNodes(c, c);
  ExpectUntouched();
}

TEST_F(WallEditing, CuttingAWallRemovesItsVertexFromTheOutline) {
  Wall(square, 1)->m_bSelected = 1;
  doc.DeleteSelection();
  ExpectChanged();
  EXPECT_EQ(Outline(square), (Nodes{a, c, d}));
  EXPECT_TRUE(b->m_wallList.empty());
  EXPECT_EQ(Count(b), 1u);  // not selected
  // A 3-wall section that loses a wall goes, and its nodes stay.
  Wall(square, 0)->m_bSelected = 1;
  doc.DeleteSelection();
  EXPECT_EQ(doc.m_polygonList.size(), 1u);
  EXPECT_EQ(doc.m_polygonList[0].get(), triangle);
  EXPECT_TRUE(a->m_wallList.empty());
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
}

// An area selection marks a node and its walls: the cut removes the vertex
// from every outline, then the node; a node that still anchors walls stays.
TEST_F(WallEditing, SelectedNodesGoOnlyWhenNoWallHangsOnThem) {
  t.Section({b, t.Node(1000, 2000), c});
  TSNode* carrier = t.Item(300, 300, 17)->m_pNode;
  Select(carrier);
  Select(c);
  Select(d);
  for (TSAnchorWall* wall : c->m_wallList) wall->m_bSelected = 1;
  doc.DeleteSelection();
  EXPECT_EQ(Outline(square), (Nodes{a, b, d}));
  ASSERT_EQ(doc.m_polygonList.size(), 1u);  // the triangles fell below 3 walls
  EXPECT_EQ(Count(c) + Count(carrier), 0u);
  EXPECT_EQ(doc.m_nodeList.size(), 5u);
  EXPECT_TRUE(e->m_wallList.empty());
  EXPECT_EQ(WallsAt(d), Walls{Wall(square, 2)});
}

TEST_F(WallEditing, CutKeepsTheOrderOfWhatRemains) {
  TSNode* f = t.Node(0, 2000);
  TSNode* g = t.Node(1000, 2000);
  TSPolygon* top = t.Section({b, f, g, c});
  Select(a);
  Select(d);
  Unmark();
  doc.DeleteSelection();  // the nodes still anchor walls: nothing goes
  ExpectChanged();
  EXPECT_EQ(doc.m_polygonList.size(), 3u);
  doc.ClearSelection(false);
  Select(triangle);
  doc.DeleteSelection();
  ASSERT_EQ(doc.m_polygonList.size(), 2u);
  EXPECT_EQ(doc.m_polygonList[0].get(), square);
  EXPECT_EQ(doc.m_polygonList[1].get(), top);
  Nodes remaining;
  for (const auto& node : doc.m_nodeList) remaining.push_back(node.get());
  EXPECT_EQ(remaining, (Nodes{a, b, c, d, f, g}));
  EXPECT_EQ(Outline(square), (Nodes{a, b, c, d}));
}

}  // namespace
