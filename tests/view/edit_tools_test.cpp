// Tracing sections and features, placing objects, moving nodes and the
// selection, and the Delete and Insert keys, with real presses.

#include <QDir>
#include <QPixmap>

#include "fixture.h"
#include "view/tool_cursors.h"

namespace {
class TraceTool : public ToolTest {
 protected:
  TraceTool() : ToolTest(ID_TOOL_ADD_SECTION) {}
  // The i-th corner of a round of twelve points, 100 units from the middle.
  QPoint Corner(int i) const {
    static const QPoint round[] = {{0, 100},   {50, 87},  {87, 50},  {100, 0},
                                   {87, -50},  {50, -87}, {0, -100}, {-50, -87},
                                   {-87, -50}, {-100, 0}, {-87, 50}, {-50, 87}};
    return mouse.Device(MiddleLogical() + round[i]);
  }
  void Trace(std::initializer_list<int> corners) {
    for (int i : corners) mouse.Click(Corner(i));
  }
  std::vector<TSNode*> SelectedNodes() const {
    std::vector<TSNode*> selected;
    for (const auto& node : doc.m_nodeList) {
      if (node->m_bSelected) selected.push_back(node.get());
    }
    return selected;
  }
};
using MoveTools = ToolTest;
using CutInsert = ToolTest;
}  // namespace

TEST_F(TraceTool, OnlyTheEndOfThePathIsSelectedAndAPressNearANodeSnapsToIt) {
  TSNode* existing = NodeAt(mouse.At(Corner(3)) + QPoint(0, 9));
  Trace({0, 3});
  ASSERT_EQ(NodeCount(), 2);
  EXPECT_EQ(view.m_path.back(), existing);
  EXPECT_EQ(SelectedNodes(), std::vector<TSNode*>{existing});
  Trace({6});
  EXPECT_EQ(SelectedNodes(), std::vector<TSNode*>{view.m_path.back()});
  EXPECT_EQ(view.m_path.size(), 3u);
}

TEST_F(TraceTool, PressingTheFirstNodeClosesAPathOfThreeButNotOfTwo) {
  Trace({0, 4, 0});
  EXPECT_EQ(PolygonCount(), 0);
  EXPECT_EQ(view.m_path.size(), 2u);
  Trace({8, 0});
  ASSERT_EQ(PolygonCount(), 1);
  const TSPolygon& triangle = *doc.m_polygonList[0];
  EXPECT_EQ(triangle.m_bFeature, 0);
  EXPECT_EQ(triangle.m_nCeilingLevel, 4000);
  ASSERT_EQ(triangle.m_wallList.size(), 3u);
  for (const auto& wall : triangle.m_wallList) {
    EXPECT_EQ(wall->m_bSelected + wall->m_pNode->m_bSelected, 2);
  }
  EXPECT_TRUE(view.m_path.empty());
  EXPECT_EQ(NodeCount(), 3);
}

TEST_F(TraceTool, TheTwelfthNodeIsAddedAThirteenthIsNot) {
  view.SetTool(ID_TOOL_ADD_FEATURE);
  Trace({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  mouse.Click(Middle());
  EXPECT_EQ(NodeCount(), 12);
  EXPECT_EQ(view.m_path.size(), 12u);
  Trace({0});
  ASSERT_EQ(PolygonCount(), 1);
  EXPECT_EQ(doc.m_polygonList[0]->m_bFeature, 1);
  EXPECT_EQ(doc.m_polygonList[0]->m_wallList.size(), 12u);
}

TEST_F(TraceTool, DeleteDuringTracingDropsTheEndAndTracingGoesOnFromTheNodeBefore) {
  Trace({0, 4, 8});
  const std::vector<TSNode*> kept(view.m_path.begin(), view.m_path.begin() + 2);
  mouse.Key(Qt::Key_Delete);
  EXPECT_EQ(NodeCount(), 2);
  EXPECT_EQ(view.m_path, kept);
  Trace({9, 0});
  EXPECT_EQ(PolygonCount(), 1);
  PlanImage image(view);  // nothing drawn last time may be gone
}

TEST_F(TraceTool, InsertObjectPlacesASelectedItemOnANewNodeWithoutSnapping) {
  TSNode* existing = NodeAt(MiddleLogical());
  existing->m_bSelected = 1;
  view.SetTool(ID_TOOL_INSERT_OBJECT);
  mouse.Click(Middle());
  ASSERT_EQ(NodeCount(), 2);
  TSNode* placed = doc.m_nodeList[1].get();
  EXPECT_EQ(existing->m_bSelected, 0);
  EXPECT_EQ(placed->m_bSelected, 1);
  ASSERT_NE(placed->m_pItem, nullptr);
  EXPECT_EQ(placed->m_pItem->m_nType, 0);
  EXPECT_EQ(Pos(placed), Pos(existing));
}

// Three connected sections, a feature and the ten starting positions, drawn
// as a user would; grabbed into drawn_track.png for a person to look at.
TEST_F(TraceTool, ATrackDrawnWithTheMouseAloneSharesItsEdges) {
  const QPoint base = mouse.At(QPoint(40, 260));
  const auto at = [&](int x, int y) { return mouse.Device(base + QPoint(x, y)); };
  const auto outline = [&](int tool, std::initializer_list<QPoint> corners) {
    CTrassoView::SetToolForAllViews(tool);
    for (QPoint c : corners) mouse.Click(at(c.x(), c.y()));
    mouse.Click(at(corners.begin()->x(), corners.begin()->y()));
  };
  outline(ID_TOOL_ADD_SECTION, {{0, 0}, {0, 300}, {300, 300}, {300, 0}});
  outline(ID_TOOL_ADD_SECTION, {{300, 0}, {300, 300}, {600, 300}, {600, 0}});
  outline(ID_TOOL_ADD_SECTION, {{600, 300}, {300, 300}, {300, 600}, {600, 600}});
  outline(ID_TOOL_ADD_FEATURE, {{100, 100}, {100, 200}, {200, 200}, {200, 100}});
  CTrassoView::SetToolForAllViews(ID_TOOL_INSERT_OBJECT);
  for (int position = 0; position < 10; ++position) {
    mouse.Click(at(350 + 50 * (position % 5), position < 5 ? 200 : 100));
    doc.SetSelItemType(position);  // what the selection panel does with its list
  }
  CTrassoView::SetToolForAllViews(ID_TOOL_SELECT);
  mouse.Click(at(450, 450));  // empty ground inside a section: clears

  ASSERT_EQ(PolygonCount(), 4);
  EXPECT_EQ(NodeCount(), 8 + 4 + 10);
  int shared = 0, items = 0;
  for (const auto& node : doc.m_nodeList) {
    int sections = 0;
    for (const TSAnchorWall* wall : node->m_wallList) sections += !wall->m_pPolygon->m_bFeature;
    shared += sections >= 2;  // (300,0)-(300,300)-(600,300)
    if (node->m_pItem) EXPECT_EQ(node->m_pItem->m_nType, items++);
  }
  EXPECT_EQ(shared, 3);
  EXPECT_FALSE(doc.HasSelection(false));

  const QImage image = view.grab().toImage();
  EXPECT_TRUE(image.save(QDir::current().filePath("drawn_track.png")));
  EXPECT_EQ(image.pixelColor(at(150, 150)), QColor(128, 128, 0));  // the feature
  EXPECT_EQ(image.pixelColor(at(400, 200)), QColor(0, 128, 0));    // a starting position
  EXPECT_EQ(image.pixelColor(at(450, 450)), QColor(Qt::white));
}

TEST_F(MoveTools, MoveSelectionStepsAtEveryMoveAndAddsUpWithoutDrift) {
  // At this zoom a logical unit is about 270.27 world units, so rounding each
  // step separately would drift.
  view.SetZoom(0.37);
  view.SetTool(ID_TOOL_MOVE_SELECTION);
  TSNode* node = build.Node(1000, 2000);
  TSNode* still = build.Node(5000, 5000);
  node->m_bSelected = 1;
  UpdateCounter updates(doc);
  mouse.Press(Middle());
  int moves = 0;
  QPoint last;
  for (int i = 1; i <= 30; ++i, ++moves) {
    mouse.Move(last = Middle() + QPoint(i * 3 % 7, -(i % 5)));
    if (i % 10 == 0) mouse.MoveInPlace(last), ++moves;  // no displacement, still a step
  }
  mouse.Release(last);
  EXPECT_EQ(updates.Count(), moves);
  const WorldPoint a = WorldAt(Middle()), b = WorldAt(last);
  EXPECT_EQ(Pos(node), (WorldPoint{1000 + b.x - a.x, 2000 + b.y - a.y}));
  EXPECT_EQ(Pos(still), (WorldPoint{5000, 5000}));
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
  EXPECT_EQ(Pos(node), WorldAt(outside));
  mouse.Move(Middle());  // no longer dragging
  EXPECT_EQ(Pos(node), WorldAt(outside));
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
  // Dropped on its own press point, the node finds only itself.
  mouse.Click(press);
  EXPECT_EQ(NodeCount(), 8);
  EXPECT_EQ(view.m_path, std::vector<TSNode*>{dragged});

  mouse.Drag(press, {mouse.Device(l), drop});
  EXPECT_EQ(NodeCount(), 7);
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
  build.Section({shared, Outline(first)[3], NodeAt(l + QPoint(100, -100)), NodeAt(l + QPoint(0, -100))});
  build.Settle();
  // Up and to the right of the shared corner lies the first square's wedge.
  const QPoint to = mouse.Device(l + QPoint(-150, 150));
  mouse.Drag(mouse.Device(l + QPoint(12, 12)), {to});
  ASSERT_EQ(view.m_path.size(), 1u);
  TSNode* detached = view.m_path[0];
  EXPECT_NE(detached, shared);
  EXPECT_EQ(Outline(first)[0], detached);
  EXPECT_EQ(shared->m_wallList.size(), 1u);
  EXPECT_EQ(Pos(detached), WorldAt(to));

  // Pressing empty ground clears the selection and the path and moves nothing.
  mouse.Drag(mouse.Device(l + QPoint(300, 300)), {mouse.Device(l + QPoint(250, 250))});
  EXPECT_TRUE(view.m_path.empty());
  EXPECT_EQ(detached->m_bSelected, 0);
  EXPECT_EQ(Pos(detached), WorldAt(to));
}

TEST_F(CutInsert, InsertNeedsExactlyOneSelectedEdgeAndDeleteCutsAtEveryRepeat) {
  TSPolygon* first = SquareAt(MiddleLogical() + QPoint(-300, -50), 100);
  TSPolygon* second = SquareAt(MiddleLogical() + QPoint(100, -50), 100);
  build.Settle();
  const auto selectEdge = [](TSPolygon* square) {
    square->m_wallList[0]->m_bSelected = square->m_wallList[1]->m_bSelected = 1;
  };
  EXPECT_FALSE(view.CanInsertNode());
  EXPECT_FALSE(view.CanCutSelection());
  second->m_wallList[0]->m_bSelected = 1;  // one handle is not an edge
  EXPECT_FALSE(view.CanInsertNode());
  EXPECT_TRUE(view.CanCutSelection());
  selectEdge(first);
  selectEdge(second);
  EXPECT_FALSE(view.CanInsertNode());
  mouse.Key(Qt::Key_Insert);
  EXPECT_EQ(NodeCount(), 8);

  second->m_wallList[1]->m_bSelected = 0;
  ASSERT_TRUE(view.CanInsertNode());
  mouse.Key(Qt::Key_Insert);
  ASSERT_EQ(first->m_wallList.size(), 5u);
  // Halfway up the left edge of the first square.
  const std::vector<TSNode*> corners = Outline(first);
  EXPECT_EQ(Pos(corners[1]), (WorldPoint{corners[0]->m_x, corners[0]->m_y + 5000}));
  // The selected edge moved on to the new node's wall; still exactly one.
  EXPECT_TRUE(view.CanInsertNode());

  // Holding Delete: the first press cuts the first square, every repeat cuts
  // again (an update each) although nothing is left to cut.
  build.Settle();
  Select(first);
  UpdateCounter updates(doc);
  mouse.Key(Qt::Key_Delete);
  EXPECT_EQ(PolygonCount(), 1);
  EXPECT_EQ(NodeCount(), 4);
  doc.SetModifiedFlag(false);
  mouse.Key(Qt::Key_Delete, true);
  mouse.Key(Qt::Key_Delete, true);
  EXPECT_EQ(updates.Count(), 3);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_FALSE(view.CanCutSelection());
}

// Other views of the same document, in the same window and in a second one,
// are tracing when nodes of their paths are deleted from elsewhere.
TEST_F(CutInsert, NoViewKeepsADeletedNodeInItsPath) {
  ASSERT_TRUE(frame->GetSplitter().SplitColumn(200));
  auto window = ShowFrame(doc);
  CTrassoView& beside = *Pane(*frame, 0, 1);
  CTrassoView& elsewhere = *Pane(*window);
  MouseDriver besideMouse(beside), elsewhereMouse(elsewhere);
  CTrassoView::SetToolForAllViews(ID_TOOL_ADD_SECTION);
  for (QPoint p : {QPoint(40, 40), QPoint(80, 40), QPoint(80, 80)}) besideMouse.Click(p);
  for (QPoint p : {QPoint(40, 200), QPoint(100, 200)}) elsewhereMouse.Click(p);
  ASSERT_EQ(beside.m_path.size(), 3u);
  ASSERT_EQ(elsewhere.m_path.size(), 2u);

  // Cut in this view, with both ends selected: they are free nodes.
  beside.m_path.back()->m_bSelected = elsewhere.m_path.back()->m_bSelected = 1;
  mouse.Key(Qt::Key_Delete);
  EXPECT_EQ(beside.m_path.size(), 2u);
  EXPECT_EQ(elsewhere.m_path.size(), 1u);

  // A node of a path attached onto another node by dragging in this view.
  view.SetTool(ID_TOOL_MOVE_NODES);
  mouse.Drag(mouse.On(*beside.m_path.front()), {mouse.On(*elsewhere.m_path[0])});
  EXPECT_EQ(beside.m_path.size(), 1u);
  EXPECT_EQ(elsewhere.m_path.size(), 1u);

  // Tracing goes on in both views, and both draw their paths.
  besideMouse.Click(QPoint(120, 120));
  elsewhereMouse.Click(QPoint(160, 160));
  PlanImage a(beside), b(elsewhere);
  EXPECT_EQ(beside.m_path.size() + elsewhere.m_path.size(), 4u);
}

TEST(ToolCursors, SelectIsTheCrossHairTheOthersAreOurImagesWithTheirHotSpots) {
  EXPECT_EQ(LoadToolCursor(ID_TOOL_SELECT).shape(), Qt::CrossCursor);
  for (int tool : {ID_TOOL_ADD_SECTION, ID_TOOL_ADD_FEATURE, ID_TOOL_INSERT_OBJECT,
                   ID_TOOL_MOVE_SELECTION, ID_TOOL_MOVE_NODES}) {
    const QCursor cursor = LoadToolCursor(tool);
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << tool;
    const QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(image.size(), QSize(32, 32)) << tool;
    EXPECT_EQ(cursor.hotSpot(), tool == ID_TOOL_MOVE_SELECTION ? QPoint(13, 18) : QPoint(1, 1));
    // The hot spot is on the drawing, not on a transparent pixel.
    EXPECT_GT(image.pixelColor(cursor.hotSpot()).alpha(), 0) << tool;
  }
}
