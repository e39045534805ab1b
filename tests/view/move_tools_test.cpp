// Dragging the selection and single nodes, detaching and attaching walls.

#include <gtest/gtest.h>

#include "model/ts_anchor_wall.h"
#include "model/ts_polygon.h"
#include "mouse_fixture.h"
#include "resource_ids.h"

namespace {
class MoveTools : public ToolTest {};
}  // namespace

TEST_F(MoveTools, MoveSelectionStepsAtEveryMoveAndAddsUpWithoutDrift) {
  // At this zoom a logical unit is about 270.27 world units, so rounding each
  // step separately would drift.
  view.SetZoom(0.37);
  view.SetTool(ID_TOOL_MOVE_SELECTION);
  TSNode* node = build.Node(1000, 2000);
  TSNode* still = build.Node(5000, 5000);
  node->m_bSelected = 1;
  UpdateCounter updates(doc);

  const QPoint press = Middle();
  mouse.Press(press);
  int moves = 0;
  QPoint last = press;
  for (int i = 1; i <= 30; ++i) {
    last = press + QPoint(i * 3 % 7, -(i % 5));
    mouse.Move(last);
    ++moves;
    if (i % 10 == 0) {
      mouse.MoveInPlace(last);  // no displacement, still a step
      ++moves;
    }
  }
  mouse.Release(last);
  EXPECT_EQ(updates.Count(), moves);
  const WorldPoint a = view.LogicalToWorld(mouse.At(press)),
                   b = view.LogicalToWorld(mouse.At(last));
  EXPECT_EQ(node->m_x, 1000 + b.x - a.x);
  EXPECT_EQ(node->m_y, 2000 + b.y - a.y);
  EXPECT_EQ(still->m_x, 5000);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(MoveTools, TheDragGoesOnOutsideTheWindowUntilTheRelease) {
  view.SetTool(ID_TOOL_MOVE_SELECTION);
  TSNode* node = NodeAt(MiddleLogical());
  node->m_bSelected = 1;
  mouse.Press(Middle());
  EXPECT_TRUE(view.m_bCaptured);
  const QPoint outside(-40, view.height() + 30);
  mouse.Move(outside);
  mouse.Release(outside);
  EXPECT_FALSE(view.m_bCaptured);
  EXPECT_FALSE(view.m_bButtonDown);
  const WorldPoint dropped = view.LogicalToWorld(mouse.At(outside));
  EXPECT_EQ(node->m_x, dropped.x);
  EXPECT_EQ(node->m_y, dropped.y);
  mouse.Move(Middle());  // no longer dragging
  EXPECT_EQ(node->m_x, dropped.x);
}

TEST_F(MoveTools, ANodeDroppedWithinTenUnitsOfAnotherIsAttachedToIt) {
  view.SetTool(ID_TOOL_MOVE_NODES);
  const QPoint l = MiddleLogical();
  const QPoint press = mouse.Device(l + QPoint(100, 0)), drop = mouse.Device(l + QPoint(-190, 0));
  // The target corner lies exactly 10 units left of the drop point.
  TSPolygon* left = SquareAt(mouse.At(drop) + QPoint(-110, 0), 100);
  TSPolygon* right = SquareAt(mouse.At(press), 100);
  TSNode* target = Outline(left)[3];  // lower right corner of the left square
  TSNode* dragged = Outline(right)[0];
  const int nodes = NodeCount();

  // Dropped on its own press point, the node finds only itself.
  mouse.Click(press);
  EXPECT_EQ(NodeCount(), nodes);
  EXPECT_EQ(view.m_path, std::vector<TSNode*>{dragged});

  mouse.Drag(press, {mouse.Device(l), drop});
  EXPECT_EQ(NodeCount(), nodes - 1);
  EXPECT_TRUE(view.m_path.empty());
  EXPECT_EQ(Outline(right)[0], target);
  EXPECT_EQ(target->m_wallList.size(), 2u);
}

TEST_F(MoveTools, PressingAWedgeDetachesTheWallOntoANewNodeThatFollowsTheMouse) {
  view.SetTool(ID_TOOL_MOVE_NODES);
  const QPoint l = MiddleLogical();
  TSPolygon* first = SquareAt(l, 100);
  // A second section sharing the lower left corner.
  TSNode* shared = Outline(first)[0];
  TSNode* below = NodeAt(l + QPoint(100, -100));
  TSNode* under = NodeAt(l + QPoint(0, -100));
  std::vector<TSNode*> path{shared, Outline(first)[3], below, under};
  doc.CreatePolygon(false, path, 0, 4000, 0, 0, 0, false);
  build.Settle();

  // Up and to the right of the shared corner lies the first square's wedge.
  const QPoint grab = mouse.Device(l + QPoint(12, 12));
  const QPoint to = mouse.Device(l + QPoint(-150, 150));
  mouse.Drag(grab, {to});
  ASSERT_EQ(view.m_path.size(), 1u);
  TSNode* detached = view.m_path[0];
  EXPECT_NE(detached, shared);
  EXPECT_EQ(Outline(first)[0], detached);
  EXPECT_EQ(shared->m_wallList.size(), 1u);
  const WorldPoint dropped = view.LogicalToWorld(mouse.At(to));
  EXPECT_EQ(detached->m_x, dropped.x);
  EXPECT_EQ(detached->m_y, dropped.y);

  // Pressing empty ground clears the selection and the path and moves nothing.
  const WorldPoint before{detached->m_x, detached->m_y};
  mouse.Drag(mouse.Device(l + QPoint(300, 300)), {mouse.Device(l + QPoint(250, 250))});
  EXPECT_TRUE(view.m_path.empty());
  EXPECT_EQ(detached->m_bSelected, 0);
  EXPECT_EQ((WorldPoint{detached->m_x, detached->m_y}), before);
}
