#include <cstdlib>

#include "fixture.h"

namespace {
using SelectTool = ToolTest;
using MoveTools = ToolTest;
struct TraceTool : ToolTest {
  TraceTool() : ToolTest(ID_TOOL_ADD_SECTION) {}
  void Trace(std::initializer_list<int> corners) {  // on a round of 12, radius 100
    static const QPoint round[] = {{0, 100},   {50, 87},  {87, 50},  {100, 0},
                                   {87, -50},  {50, -87}, {0, -100}, {-50, -87},
                                   {-87, -50}, {-100, 0}, {-87, 50}, {-50, 87}};
    for (int i : corners) mouse.Click(mouse.Device(MiddleLogical() + round[i]));
  }
};
}  // namespace

TEST_F(SelectTool, AClickHitsANodeElseAWedgeAndAReleaseBeyondTenUnitsIsABand) {
  const std::tuple<QPoint, bool, bool> cases[] = {
      // from a square's lower left corner to the mouse; then node and wall selected
      {{6, 8}, true, false},    // squared distance 100
      {{10, 0}, true, false},   // 100 along an axis
      {{10, 1}, false, true},   // 101: inside the wedge of the corner
      {{11, 0}, false, false},  // on the ray along the lower edge: not strictly inside
      {{-8, 8}, false, false},  // outside the corner's inner angle
      {{14, 15}, false, true},  // within 21 on both axes, outside the disc
      {{22, 2}, false, false},  // farther than 21 on one axis
  };
  for (const auto& [hit, node, wall] : cases) {
    const TSAnchorWall& corner = *SquareAt(MiddleLogical() - hit, 100)->m_wallList[0];
    mouse.Click(Middle());
    EXPECT_EQ((std::pair<bool, bool>(corner.m_pNode->m_bSelected, corner.m_bSelected)),
              std::pair(node, wall))
        << hit.x() << "," << hit.y();
    doc.m_polygonList.clear(), doc.m_nodeList.clear();
  }
  // A click toggles what lies under the release; an 11-unit band of no height holds nothing.
  for (QPoint offset : {QPoint(10, 10), QPoint(-10, 10), QPoint(11, 0), QPoint(0, -11)}) {
    auto [press, release] = mouse.PixelPair(Middle(), offset);
    TSNode* node = NodeAt(mouse.At(release));
    mouse.Drag(press, {release});
    EXPECT_EQ(node->m_bSelected, std::abs(offset.x()) <= 10 && std::abs(offset.y()) <= 10)
        << offset.x() << ", " << offset.y();
    doc.m_nodeList.clear();
  }
  TSNode* node = NodeAt(MiddleLogical());
  mouse.DoubleClick(Middle());  // toggles twice; its second press clears nothing
  EXPECT_FALSE(node->m_bSelected || view.m_bButtonDown || view.m_bCaptured);
}

TEST_F(SelectTool, ClicksShiftClicksShiftDragsHoverMarksAndTheNearestNodeAsAPlainScanFinds) {
  TSNode* first = NodeAt(MiddleLogical() + QPoint(-200, 0));
  TSNode* second = NodeAt(MiddleLogical() + QPoint(200, 0));
  build.Settle();
  first->m_bSelected = 1;
  mouse.Click(Middle(), Qt::ShiftModifier);
  const QPoint to = mouse.Device(MiddleLogical() + QPoint(250, -50));
  mouse.Press(mouse.Device(MiddleLogical() + QPoint(150, 50)), Qt::ShiftModifier);
  mouse.Move(to);
  mouse.Release(to);
  EXPECT_EQ(Selected(), (std::vector<TSNode*>{first, second}));
  UpdateCounter updates(doc);  // the node under the mouse is marked, button up; updates on change
  mouse.Move(mouse.On(*first));
  mouse.Move(mouse.On(*first) + QPoint(1, 0));
  EXPECT_EQ(first->m_bHighlighted + updates.Count(), 2);
  mouse.Press(Middle());
  mouse.Move(mouse.On(*second));
  EXPECT_EQ(first->m_bHighlighted + second->m_bHighlighted, 0);
  mouse.Release(mouse.On(*second));
  mouse.Click(Middle());
  EXPECT_FALSE(!Selected().empty() || doc.IsModified());
  // The search prunes by world position, yet finds what a plain scan finds; of two ties the later.
  std::srand(7);
  const auto random = [] { return std::rand() % 20001 - 10000; };
  for (int i = 0; i < 400; ++i) doc.AddNode(random(), random(), false);
  TSNode* twin = doc.AddNode(doc.m_nodeList[7]->m_x, doc.m_nodeList[7]->m_y, false);
  for (double zoom : {0.01, 0.37, 1.0, 2.0, 150.0}) {
    view.SetZoom(zoom);
    for (int i = 0; i < 150; ++i) {
      const QPoint p = view.WorldToLogical(random(), random());
      const TSNode* plain = nullptr;
      std::int64_t best = 21 * 21;
      for (const auto& node : doc.m_nodeList) {
        const QPoint n = view.WorldToLogical(node->m_x, node->m_y);
        const std::int64_t dx = n.x() - p.x(), dy = n.y() - p.y();
        if (std::abs(dx) <= 21 && std::abs(dy) <= 21 && dx * dx + dy * dy <= best)
          best = dx * dx + dy * dy, plain = node.get();
      }
      ASSERT_EQ(view.FindNearestNode(p, 21, nullptr), plain) << zoom;
    }
  }
  const QPoint at = view.WorldToLogical(twin->m_x, twin->m_y);
  EXPECT_EQ(std::pair(view.FindNearestNode(at, 0, nullptr), view.FindNearestNode(at, 0, twin)),
            std::pair(twin, doc.m_nodeList[7].get()));
}

TEST_F(TraceTool, OnlyThePathsEndIsSelectedAPressSnapsAndTheFirstNodeClosesAPathOfThree) {
  TSNode* near = NodeAt(mouse.At(mouse.Device(MiddleLogical() + QPoint(100, 0))) + QPoint(0, 9));
  Trace({0, 3, 0});
  EXPECT_EQ(std::pair(view.m_path, Selected()),
            std::pair(std::vector<TSNode*>{doc.m_nodeList[1].get(), near}, std::vector{near}));
  Trace({6, 0});
  ASSERT_EQ(doc.m_polygonList.size(), 1u);
  const TSPolygon& triangle = *doc.m_polygonList[0];
  EXPECT_EQ(triangle.m_bFeature + triangle.m_nCeilingLevel, 4000);
  ASSERT_EQ(triangle.m_wallList.size(), 3u);
  for (const auto& wall : triangle.m_wallList) EXPECT_EQ(wall->m_bSelected, 1);
  EXPECT_EQ(std::pair(Selected().size(), view.m_path.size()), std::pair(3ul, 0ul));
}

TEST_F(TraceTool, DeleteDropsThePathsEndAndInsertObjectPlacesASelectedItemWithoutSnapping) {
  Trace({0, 4, 8});
  const std::vector<TSNode*> kept(view.m_path.begin(), view.m_path.begin() + 2);
  mouse.Key(Qt::Key_Delete);
  EXPECT_EQ(std::pair(NodeCount(), view.m_path), std::pair(2, kept));
  Trace({9, 0});
  EXPECT_EQ(doc.m_polygonList.size(), 1u);
  PlanImage image(view);  // nothing drawn last time may be gone
  view.SetTool(ID_TOOL_INSERT_OBJECT);
  mouse.Click(mouse.On(*kept[0]));
  TSNode* placed = doc.m_nodeList.back().get();
  EXPECT_EQ(std::pair(Selected(), Pos(placed)), std::pair(std::vector{placed}, Pos(kept[0])));
  ASSERT_NE(placed->m_pItem, nullptr);
  EXPECT_EQ(placed->m_pItem->m_nType, 0);
}

TEST_F(MoveTools, MoveSelectionStepsAtEveryMoveAndAddsUpWithoutDrift) {
  view.SetZoom(0.37);  // a unit is ~270.27 world units, so rounding each step would drift
  view.SetTool(ID_TOOL_MOVE_SELECTION);
  TSNode* node = build.Node(1000, 2000);
  node->m_bSelected = 1;
  UpdateCounter updates(doc);
  mouse.Press(Middle());
  QPoint last;
  for (int i = 1; i <= 30; ++i) {
    mouse.Move(last = Middle() + QPoint(i * 3 % 7, -(i % 5)));
    if (i % 10 == 0) mouse.MoveInPlace(last);  // no displacement: no change, no update
  }
  mouse.Release(last);
  EXPECT_EQ(updates.Count(), 30);
  const WorldPoint a = WorldAt(Middle()), b = WorldAt(last);
  EXPECT_EQ(Pos(node), (WorldPoint{1000 + b.x - a.x, 2000 + b.y - a.y}));
}

TEST_F(MoveTools, ANodeDroppedWithinTenUnitsOfAnotherIsAttachedToIt) {
  view.SetTool(ID_TOOL_MOVE_NODES);
  const QPoint l = MiddleLogical();
  const QPoint press = mouse.Device(l + QPoint(100, 0)), drop = mouse.Device(l + QPoint(-190, 0));
  // The target, the left square's lower right corner, is exactly 10 units left of the drop.
  TSNode* target = Outline(SquareAt(mouse.At(drop) + QPoint(-110, 0), 100))[3];
  TSPolygon* right = SquareAt(mouse.At(press), 100);
  build.Settle();
  UpdateCounter updates(doc);
  mouse.Click(press);  // dropped where pressed: finds only itself, shows selected at once
  EXPECT_EQ(updates.Count(), 1);
  EXPECT_EQ(view.m_path, std::vector<TSNode*>{Outline(right)[0]});
  mouse.Drag(press, {mouse.Device(l), drop});
  EXPECT_EQ(NodeCount(), 7);
  EXPECT_TRUE(view.m_path.empty());
  EXPECT_EQ(Outline(right)[0], target);
}

TEST_F(MoveTools, PressingAWedgeDetachesTheWallOntoANewNodeThatFollowsTheMouse) {
  view.SetTool(ID_TOOL_MOVE_NODES);
  const QPoint l = MiddleLogical();
  TSPolygon* first = SquareAt(l, 100);
  TSNode* shared = Outline(first)[0];
  build.Section(
      {shared, Outline(first)[3], NodeAt(l + QPoint(100, -100)), NodeAt(l + QPoint(0, -100))});
  build.Settle();
  const QPoint to = mouse.Device(l + QPoint(-150, 150));
  mouse.Drag(mouse.Device(l + QPoint(12, 12)), {to});  // the first square's wedge, up right
  ASSERT_EQ(view.m_path.size(), 1u);
  TSNode* detached = view.m_path[0];
  EXPECT_EQ(Outline(first)[0], detached);
  EXPECT_EQ(shared->m_wallList.size(), 1u);
  EXPECT_EQ(Pos(detached), WorldAt(to));
  // Pressing empty ground clears the selection and the path and moves nothing.
  mouse.Drag(mouse.Device(l + QPoint(300, 300)), {mouse.Device(l + QPoint(250, 250))});
  EXPECT_TRUE(view.m_path.empty() && Selected().empty());
  EXPECT_EQ(Pos(detached), WorldAt(to));
}

TEST_F(MoveTools, InsertNeedsExactlyOneSelectedEdgeAndDeleteCutsAtEveryRepeat) {
  TSPolygon* first = SquareAt(MiddleLogical() + QPoint(-300, -50), 100);
  TSPolygon* second = SquareAt(MiddleLogical() + QPoint(100, -50), 100);
  build.Settle();
  doc.Select(*second->m_wallList[0]);  // one handle is not an edge
  EXPECT_FALSE(view.CanInsertNode());
  EXPECT_TRUE(view.CanCutSelection());
  for (TSPolygon* square : {first, second}) doc.Select(*square->m_wallList[1]);
  doc.Select(*first->m_wallList[0]);
  mouse.Key(Qt::Key_Insert);  // two edges
  EXPECT_EQ(NodeCount(), 8);
  second->m_wallList[1]->m_bSelected = 0;
  mouse.Key(Qt::Key_Insert);
  const std::vector<TSNode*> corners = Outline(first);  // the new one halfway up the left edge
  ASSERT_EQ(corners.size(), 5u);
  EXPECT_EQ(Pos(corners[1]), (WorldPoint{corners[0]->m_x, corners[0]->m_y + 5000}));
  EXPECT_TRUE(view.CanInsertNode());  // the selected edge moved on to the new wall
  build.Settle();
  Select(first);
  UpdateCounter updates(doc);  // held Delete cuts again at every repeat, an update each
  for (bool repeat : {false, true, true}) mouse.Key(Qt::Key_Delete, repeat);
  EXPECT_EQ(NodeCount(), 4);
  EXPECT_EQ(updates.Count(), 3);
}
