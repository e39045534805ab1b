#include "track_test.h"

namespace {

// The corners of a square, traced clockwise: up, right, down.
class Drawing : public TrackTest {
 protected:
  void SetUp() override { Settle(); }
  TSNode *a = t.Node(0, 0), *b = t.Node(0, 10), *c = t.Node(10, 10), *d = t.Node(10, 0);
};

TEST_F(Drawing, AddMoveAndAttachStoppingAtTheEndsOfTheRange) {
  TSNode* node = doc.AddNode(-3, 4, true);
  ExpectChanged();
  EXPECT_EQ(NodeList(), (Nodes{a, b, c, d, node}));
  // A move held at the edge, a zero move and one with nothing selected change nothing.
  // clang-format off
  const std::tuple<TrackLength, TrackLength, XY, int> moves[] = {
      {5, -7, {2, -3}, 1}, {kMaxCoord - 12, kMinCoord + 13, {kMaxCoord - 10, kMinCoord + 10}, 1},
      {100, -100, {kMaxCoord, kMinCoord}, 1}, {1, -1, {kMaxCoord, kMinCoord}, 0},
      {kMinCoord, kMaxCoord, {-1, -1}, 1}, {0, 0, {-1, -1}, 0}, {5, 5, {-1, -1}, 0}};
  // clang-format on
  for (const auto& [dx, dy, at, changed] : moves) {
    if (dx == 5 && dy == 5) doc.ClearSelection(false);
    Unmark();
    doc.MoveSelectedNodes(dx, dy);
    EXPECT_EQ(std::tuple(At(node), updates.Count(), doc.IsModified()),
              std::tuple(at, changed, changed == 1));
  }
  EXPECT_EQ(At(a), XY(0, 0));
  doc.AttachItem(a, 13);
  ExpectChanged();
  EXPECT_EQ(std::pair(a->m_pItem->m_pNode, a->m_pItem->m_nType), std::pair(a, 13));
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
  EXPECT_EQ(WallsAt(a), (Walls{Wall(old, 0), Wall(made, 0)}));  // the new wall last
}

// Repeats drop; under three nodes make nothing; a left turn at the end is stored reversed.
TEST_F(Drawing, CreatePolygonStoresAtMostTwelveNodesClockwise) {
  Nodes bend = {a, t.Node(100, 0), t.Node(100, 100), t.Node(110, 110)};
  Nodes line = {t.Node(0, 20), t.Node(0, 30), t.Node(0, 40)};
  TSNode *low = t.Node(kMinCoord, kMinCoord), *high = t.Node(kMaxCoord, kMaxCoord);
  TSNode* corner = t.Node(kMinCoord, kMaxCoord);
  // clang-format off
  const std::pair<Nodes, Nodes> cases[] = {
      {{a, b, c}, {a, b, c}}, {{a, c, b}, {b, c, a}}, {{a, b, c, b, d}, {a, b, c, d}},
      {{a, b, a, a}, {}}, {{}, {}}, {bend, bend}, {line, line},
      {{high, corner, low}, {low, corner, high}}};
  // clang-format on
  for (const auto& [traced, stored] : cases) {
    Nodes path = traced;
    Unmark();
    doc.CreatePolygon(false, path, 0, 4000, 0, 0, 0, false);
    EXPECT_EQ(updates.Count(), stored.empty() ? 0 : 1);
    if (stored.empty()) continue;
    EXPECT_EQ(std::pair(Outline(doc.m_polygonList.back().get()), path.size()),
              std::pair(stored, stored.size()));
  }
  EXPECT_EQ(doc.m_polygonList.size(), 6u);
  // Of fourteen nodes round a circle, the first twelve in the walking direction are used.
  Nodes ring;
  const TrackLength xs[] = {0, -3, -5, -6, -5, -3, 0, 3, 5, 6, 5, 3, 1, -1};
  const TrackLength ys[] = {6, 5, 3, 0, -3, -5, -6, -5, -3, 0, 3, 5, 6, 6};
  for (int i = 0; i < 14; ++i) ring.push_back(t.Node(xs[i] * 1000, ys[i] * 1000));
  for (Nodes path : {ring, Nodes(ring.rbegin(), ring.rend())}) {
    doc.CreatePolygon(false, path, 0, 4000, 0, 0, 0, false);
    EXPECT_EQ(Outline(doc.m_polygonList.back().get()), Nodes(ring.rbegin(), ring.rbegin() + 12));
  }
  EXPECT_TRUE(ring[0]->m_wallList.empty() && ring[1]->m_wallList.empty());
}

// Results and the box's centre truncate toward zero, never down, and stop at the range's ends.
TEST_F(Drawing, ScaleSelectionAboutTheCentreOfTheSelectedBox) {
  using Case = std::tuple<std::vector<XY>, double, std::vector<XY>>;
  constexpr TrackLength kBig = 2000000000, kM = 1000000;
  // clang-format off
  const Case cases[] = {
      {{{0, 0}, {10000, 20000}, {400, 400}}, 2.0, {{-5000, -10000}, {15000, 30000}, {-4200, -9200}}},
      {{{0, 0}, {3, 3}}, 0.5, {{0, 0}, {2, 2}}}, {{{-3, 0}, {0, 0}}, 0.5, {{-2, 0}, {0, 0}}},
      {{{-7, 9}}, 5.0, {{-7, 9}}},
      {{{20 * kM, -30 * kM}, {30 * kM, -20 * kM}}, 2.0, {{15 * kM, -35 * kM}, {35 * kM, -15 * kM}}},
      {{{-kBig, kMinCoord}, {kBig, kMaxCoord}}, 2.0, {{kMinCoord, kMinCoord}, {kMaxCoord, kMaxCoord}}},
      {{{0, kMinCoord}, {0, kMaxCoord}}, 0.5, {{0, -1073741824}, {0, 1073741823}}},
  };
  // clang-format on
  for (const auto& [before, factor, expected] : cases) {
    doc.ClearSelection(false);
    Nodes nodes;
    for (XY p : before) nodes.push_back(doc.AddNode(p.first, p.second, true));
    Unmark();
    doc.ScaleSelection(factor);
    // A scale that moves no node is no change to undo, so it leaves no mark.
    EXPECT_EQ(std::pair(updates.Count(), doc.IsModified()), std::pair(1, before != expected));
    std::vector<XY> after;
    for (TSNode* node : nodes) after.push_back(At(node));
    EXPECT_EQ(after, expected) << before[0].first;
  }
  EXPECT_EQ(At(c), XY(10, 10));
  doc.ClearSelection(false);
  Unmark();
  doc.ScaleSelection(3.0);
  ExpectUntouched();
}

// A square a-b-c-d and a triangle c-e-d on its right, sharing c–d.
class WallEditing : public TrackTest {
 protected:
  void SetUp() override { Settle(); }
  void SelectWalls(TSPolygon* polygon, const std::vector<int>& walls) {
    for (int i : walls) doc.Select(*Wall(polygon, i));
  }
  TSNode *a = t.Node(0, 0), *b = t.Node(0, 1000), *c = t.Node(1000, 1000), *d = t.Node(1000, 0);
  TSNode* e = t.Node(2000, 500);
  TSPolygon *square = t.Section({a, b, c, d}), *triangle = t.Section({d, c, e});
};

// Nothing, one end only, an edge, two edges, the closing edge, a whole polygon.
TEST_F(WallEditing, GetSelectedWallNeedsExactlyOneSelectedEdge) {
  // clang-format off
  const std::tuple<std::vector<int>, std::vector<int>, TSAnchorWall*> cases[] = {
      {{}, {}, nullptr}, {{1}, {}, nullptr}, {{1, 2}, {}, Wall(square, 1)},
      {{1, 2}, {0, 1}, nullptr}, {{3, 0}, {}, Wall(square, 3)}, {{}, {0, 1, 2}, nullptr}};
  // clang-format on
  for (const auto& [inSquare, inTriangle, selected] : cases) {
    doc.ClearSelection(false);
    SelectWalls(square, inSquare);
    SelectWalls(triangle, inTriangle);
    EXPECT_EQ(doc.GetSelectedWall(), selected);
  }
}

// The sums of the coordinates need 64 bits; −1 / 2 and the like go to zero.
TEST_F(WallEditing, InsertNodeSplitsTheEdgeAtItsMidpointAndRefusesNullAndFullPolygons) {
  TSNode *low = t.Node(kMinCoord, kMinCoord), *high = t.Node(kMaxCoord, kMaxCoord);
  TSPolygon* huge = t.Section({low, t.Node(kMinCoord + 1, kMaxCoord), high});
  TSAnchorWall* split = Wall(huge, 0);
  Settle();
  split->m_bSelected = low->m_bSelected = 1;
  split->m_nWallType = 6;
  EXPECT_TRUE(doc.InsertNodeOnWall(split));
  ExpectChanged();
  TSNode* middle = doc.m_nodeList.back().get();
  EXPECT_EQ(At(middle), XY(kMinCoord + 1, 0));
  EXPECT_EQ(std::tuple(middle->m_bSelected, low->m_bSelected, split->m_bSelected),
            std::tuple(1, 0, 0));
  TSAnchorWall* added = Wall(huge, 1);
  EXPECT_EQ(WallsAt(middle), Walls{added});
  EXPECT_EQ(std::tuple(added->m_nWallType, added->m_bSelected, split->m_nWallType),
            std::tuple(0, 1, 6));
  ASSERT_TRUE(doc.InsertNodeOnWall(Wall(huge, 3)));  // the closing edge, high to low
  EXPECT_EQ(std::pair(At(doc.m_nodeList.back().get()), Outline(huge)[4]),
            std::pair(XY(0, 0), doc.m_nodeList.back().get()));
  Unmark();
  EXPECT_FALSE(doc.InsertNodeOnWall(nullptr));
  ExpectUntouched();
  for (int i = 4; i < 12; ++i) ASSERT_TRUE(doc.InsertNodeOnWall(Wall(square, i % 3)));
  const Nodes nodes = NodeList();
  Settle();
  SelectWalls(square, {5});
  EXPECT_FALSE(doc.InsertNodeOnWall(Wall(square, 5)));
  ExpectUntouched();
  EXPECT_EQ(std::tuple(square->m_wallList.size(), NodeList(), Wall(square, 5)->m_bSelected),
            std::tuple(12u, nodes, 1));
}

TEST_F(WallEditing, DetachMovesTheWallOntoANewSelectedNode) {
  TSAnchorWall* wall = Wall(triangle, 1);  // anchored at c, shared with the square
  TSNode* moved = doc.DetachWall(wall, 1200, 1100);
  ExpectChanged();
  EXPECT_EQ(NodeList(), (Nodes{a, b, c, d, e, moved}));
  EXPECT_EQ(std::tuple(At(moved), moved->m_bSelected, wall->m_bSelected, wall->m_pNode),
            std::tuple(XY(1200, 1100), 1, 1, moved));
  EXPECT_EQ(std::pair(WallsAt(moved), WallsAt(c)), std::pair(Walls{wall}, Walls{Wall(square, 2)}));
  // A node left without walls goes when selected and cut.
  TSNode* last = doc.DetachWall(Wall(triangle, 2), 2100, 500);
  doc.ClearSelection(false);
  Select(e);
  doc.DeleteSelection();
  EXPECT_EQ(std::pair(NodeList(), Outline(triangle)),
            std::pair(Nodes{a, b, c, d, moved, last}, Nodes{d, moved, last}));
}

// g's item goes with it, the target's stays; a free node with an item can be the target.
TEST_F(WallEditing, MergingCornersJoinsTheSectionsAtOneNode) {
  TSNode *g = t.Node(1000, 2000), *f = t.Node(2000, 2000), *h = t.Node(1500, 1500);
  TSPolygon* upper = t.Section({g, f, h});
  TSNode* carrier = t.Item(0, 0, 3)->m_pNode;
  doc.AttachItem(g, 5);
  Settle();
  doc.MergeNodes(c, g);
  ExpectChanged();
  EXPECT_EQ(WallsAt(c), (Walls{Wall(square, 2), Wall(triangle, 1), Wall(upper, 0)}));
  EXPECT_EQ(Outline(upper)[0], c);
  doc.MergeNodes(carrier, e);
  EXPECT_EQ(std::tuple(carrier->m_pItem->m_nType, Outline(triangle), NodeList()),
            std::tuple(3, Nodes{d, c, carrier}, Nodes{a, b, c, d, f, h, carrier}));
}

// The triangle, already through d, loses the vertex (two walls till a cut); upper moves over.
TEST_F(WallEditing, MergeDeletesOrMovesEachWallOfTheSource) {
  TSPolygon* upper = t.Section({c, t.Node(2000, 1500), e});
  TSNode* f = Outline(upper)[1];
  Unmark();
  doc.MergeNodes(d, e);
  ExpectChanged();
  EXPECT_EQ(std::tuple(NodeList(), Outline(triangle), Outline(upper)),
            std::tuple(Nodes{a, b, c, d, f}, Nodes{d, c}, Nodes{c, f, d}));
  EXPECT_EQ(WallsAt(d), (Walls{Wall(square, 3), Wall(triangle, 0), Wall(upper, 2)}));
  ExpectSound();
  doc.DeleteSelection();  // nothing selected
  EXPECT_EQ(std::pair(doc.m_polygonList.size(), WallsAt(d)),
            std::pair(2ul, Walls{Wall(square, 3), Wall(upper, 2)}));
  Unmark();
  doc.MergeNodes(c, c);
  ExpectUntouched();
}

// A cut wall's vertex leaves its outline, 3-wall polygons losing one go, then free selected nodes.
TEST_F(WallEditing, CutRemovesWallsThenPolygonsThenFreeSelectedNodes) {
  TSPolygon* top = t.Section({b, t.Node(0, 2000), t.Node(1000, 2000), c});
  const Nodes all = NodeList();
  Select(a);
  SelectWalls(square, {1});
  Unmark();
  doc.DeleteSelection();
  ExpectChanged();
  EXPECT_EQ(Outline(square), (Nodes{a, c, d}));
  EXPECT_EQ(NodeList(), all);  // a still anchors a wall, b was not selected
  EXPECT_EQ(WallsAt(b), Walls{Wall(top, 0)});
  SelectWalls(triangle, {0});
  doc.DeleteSelection();
  ASSERT_EQ(doc.m_polygonList.size(), 2u);
  EXPECT_EQ(std::pair(doc.m_polygonList[1].get(), NodeList()), std::pair(top, all));
  // An area selection marks a node and its walls: the vertex leaves every outline.
  TSNode* carrier = t.Item(300, 300, 17)->m_pNode;
  Select(carrier);
  Select(c);
  for (TSAnchorWall* wall : c->m_wallList) wall->m_bSelected = 1;
  doc.DeleteSelection();
  ASSERT_EQ(doc.m_polygonList.size(), 1u);  // the square fell below 3 walls, freeing a
  EXPECT_EQ(std::pair(Outline(top), NodeList()),
            std::pair(Nodes{b, all[5], all[6]}, Nodes{b, d, e, all[5], all[6]}));
}

}  // namespace
