// The Delete and Insert keys, the enabling of their commands, and traced paths
// that must never keep a node the document deletes, in whichever view.

#include <gtest/gtest.h>

#include "model/ts_anchor_wall.h"
#include "model/ts_polygon.h"
#include "mouse_fixture.h"
#include "resource_ids.h"
#include "view/tool_cursors.h"

namespace {
class CutInsert : public ToolTest {
 protected:
  CutInsert() {
    const QPoint l = MiddleLogical();
    first = SquareAt(l + QPoint(-300, -50), 100);
    second = SquareAt(l + QPoint(100, -50), 100);
    build.Settle();
  }
  // Both corner handles of the first edge of a square.
  static void SelectEdge(TSPolygon* square) {
    square->m_wallList[0]->m_bSelected = 1;
    square->m_wallList[1]->m_bSelected = 1;
  }
  TSPolygon* first;
  TSPolygon* second;
};
}  // namespace

TEST_F(CutInsert, InsertNeedsExactlyOneSelectedEdgeInTheWholeDocument) {
  EXPECT_FALSE(view.CanInsertNode());
  EXPECT_FALSE(view.CanCutSelection());
  second->m_wallList[0]->m_bSelected = 1;  // one handle is not an edge
  EXPECT_FALSE(view.CanInsertNode());
  EXPECT_TRUE(view.CanCutSelection());
  SelectEdge(first);
  SelectEdge(second);
  EXPECT_FALSE(view.CanInsertNode());
  mouse.Key(Qt::Key_Insert);
  EXPECT_EQ(NodeCount(), 8);

  second->m_wallList[1]->m_bSelected = 0;
  ASSERT_TRUE(view.CanInsertNode());
  mouse.Key(Qt::Key_Insert);
  ASSERT_EQ(first->m_wallList.size(), 5u);
  // The left edge of the first square, from its lower to its upper corner.
  const std::vector<TSNode*> corners = Outline(first);
  EXPECT_EQ(corners[1]->m_x, corners[0]->m_x);
  EXPECT_EQ(corners[1]->m_y, corners[0]->m_y + 5000);
  // The selected edge moved on to the new node's wall; still exactly one.
  EXPECT_TRUE(view.CanInsertNode());
}

TEST_F(CutInsert, HoldingDeleteCutsOnceForEveryRepeat) {
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

// Another view of the same document, in the same window and in a second one,
// is tracing when nodes of its path are deleted from elsewhere.
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
  TSNode* tracedEnd = beside.m_path.back();
  TSNode* otherEnd = elsewhere.m_path.back();

  // Cut in this view, with both ends selected: they are free nodes.
  tracedEnd->m_bSelected = 1;
  otherEnd->m_bSelected = 1;
  mouse.Key(Qt::Key_Delete);
  EXPECT_EQ(beside.m_path.size(), 2u);
  EXPECT_EQ(elsewhere.m_path.size(), 1u);
  EXPECT_EQ(std::count(beside.m_path.begin(), beside.m_path.end(), tracedEnd), 0);

  // A node of a path attached onto another node by dragging in this view.
  view.SetTool(ID_TOOL_MOVE_NODES);
  TSNode* dragged = beside.m_path.front();
  const QPoint from = mouse.Device(view.WorldToLogical(dragged->m_x, dragged->m_y));
  const QPoint onto =
      mouse.Device(view.WorldToLogical(elsewhere.m_path[0]->m_x, elsewhere.m_path[0]->m_y));
  mouse.Drag(from, {onto});
  EXPECT_EQ(beside.m_path.size(), 1u);
  EXPECT_EQ(elsewhere.m_path.size(), 1u);

  // Tracing goes on in both views, and both draw their paths.
  besideMouse.Click(QPoint(120, 120));
  elsewhereMouse.Click(QPoint(160, 160));
  PlanImage a(beside), b(elsewhere);
  EXPECT_EQ(beside.m_path.size(), 2u);
  EXPECT_EQ(elsewhere.m_path.size(), 2u);
}

TEST(ToolCursors, SelectIsTheCrossHairTheOthersAreOurImagesWithTheirHotSpots) {
  EXPECT_EQ(LoadToolCursor(ID_TOOL_SELECT).shape(), Qt::CrossCursor);
  for (int tool : {ID_TOOL_ADD_SECTION, ID_TOOL_ADD_FEATURE, ID_TOOL_INSERT_OBJECT,
                   ID_TOOL_MOVE_SELECTION, ID_TOOL_MOVE_NODES}) {
    const QCursor cursor = LoadToolCursor(tool);
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << tool;
    const QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(image.size(), QSize(32, 32)) << tool;
    const QPoint spot = cursor.hotSpot();
    EXPECT_EQ(spot, tool == ID_TOOL_MOVE_SELECTION ? QPoint(13, 18) : QPoint(1, 1)) << tool;
    // The hot spot is on the drawing, not on a transparent pixel.
    EXPECT_GT(image.pixelColor(spot).alpha(), 0) << tool;
  }
}
