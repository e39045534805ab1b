// Tracing sections and features, and placing objects, with real presses.

#include <gtest/gtest.h>

#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_polygon.h"
#include "mouse_fixture.h"
#include "resource_ids.h"

namespace {
class TraceTool : public ToolTest {
 protected:
  TraceTool() { view.SetTool(ID_TOOL_ADD_SECTION); }

  // The i-th corner of a round of twelve points, 100 units from the middle.
  QPoint Corner(int i) const {
    static const QPoint round[] = {{0, 100},   {50, 87},  {87, 50},  {100, 0},
                                   {87, -50},  {50, -87}, {0, -100}, {-50, -87},
                                   {-87, -50}, {-100, 0}, {-87, 50}, {-50, 87}};
    return mouse.Device(MiddleLogical() + round[i]);
  }
  std::vector<TSNode*> SelectedNodes() const {
    std::vector<TSNode*> selected;
    for (const auto& node : doc.m_nodeList) {
      if (node->m_bSelected) selected.push_back(node.get());
    }
    return selected;
  }
};
}  // namespace

TEST_F(TraceTool, OnlyTheEndOfThePathIsSelectedAndAPressNearANodeSnapsToIt) {
  TSNode* existing = NodeAt(mouse.At(Corner(3)) + QPoint(0, 9));
  mouse.Click(Corner(0));
  mouse.Click(Corner(3));
  ASSERT_EQ(NodeCount(), 2);
  EXPECT_EQ(view.m_path.back(), existing);
  EXPECT_EQ(SelectedNodes(), std::vector<TSNode*>{existing});
  mouse.Click(Corner(6));
  EXPECT_EQ(SelectedNodes(), std::vector<TSNode*>{view.m_path.back()});
  EXPECT_EQ(view.m_path.size(), 3u);
}

TEST_F(TraceTool, PressingTheFirstNodeClosesAPathOfThreeButNotOfTwo) {
  mouse.Click(Corner(0));
  mouse.Click(Corner(4));
  mouse.Click(Corner(0));
  EXPECT_EQ(PolygonCount(), 0);
  EXPECT_EQ(view.m_path.size(), 2u);

  mouse.Click(Corner(8));
  mouse.Click(Corner(0));
  ASSERT_EQ(PolygonCount(), 1);
  const TSPolygon& triangle = *doc.m_polygonList[0];
  EXPECT_EQ(triangle.m_bFeature, 0);
  EXPECT_EQ(triangle.m_nCeilingLevel, 4000);
  ASSERT_EQ(triangle.m_wallList.size(), 3u);
  for (const auto& wall : triangle.m_wallList) {
    EXPECT_EQ(wall->m_bSelected, 1);
    EXPECT_EQ(wall->m_pNode->m_bSelected, 1);
  }
  EXPECT_TRUE(view.m_path.empty());
  EXPECT_EQ(NodeCount(), 3);
}

TEST_F(TraceTool, TheTwelfthNodeIsAddedAThirteenthIsNot) {
  view.SetTool(ID_TOOL_ADD_FEATURE);
  for (int i = 0; i < 12; ++i) mouse.Click(Corner(i));
  EXPECT_EQ(view.m_path.size(), 12u);
  mouse.Click(mouse.Device(MiddleLogical()));
  EXPECT_EQ(NodeCount(), 12);
  EXPECT_EQ(view.m_path.size(), 12u);
  mouse.Click(Corner(0));
  ASSERT_EQ(PolygonCount(), 1);
  EXPECT_EQ(doc.m_polygonList[0]->m_bFeature, 1);
  EXPECT_EQ(doc.m_polygonList[0]->m_wallList.size(), 12u);
}

TEST_F(TraceTool, ChangingTheToolDropsThePathInEveryViewAndKeepsItsNodes) {
  ASSERT_TRUE(frame->GetSplitter().SplitColumn(150));
  CTrassoView& other = *Pane(*frame, 0, 1);
  mouse.Click(Corner(0));
  mouse.Click(Corner(4));
  other.m_path.push_back(doc.m_nodeList[0].get());
  CTrassoView::SetToolForAllViews(ID_TOOL_SELECT);
  EXPECT_TRUE(view.m_path.empty());
  EXPECT_TRUE(other.m_path.empty());
  EXPECT_EQ(other.m_nTool, ID_TOOL_SELECT);
  EXPECT_EQ(NodeCount(), 2);
}

TEST_F(TraceTool, DeleteDuringTracingDropsTheEndAndTracingGoesOnFromTheNodeBefore) {
  mouse.Click(Corner(0));
  mouse.Click(Corner(4));
  TSNode* second = view.m_path[1];
  mouse.Click(Corner(8));
  mouse.Key(Qt::Key_Delete);
  EXPECT_EQ(NodeCount(), 2);
  EXPECT_EQ(view.m_path, (std::vector<TSNode*>{doc.m_nodeList[0].get(), second}));
  mouse.Click(Corner(9));
  mouse.Click(Corner(0));
  ASSERT_EQ(PolygonCount(), 1);
  PlanImage image(view);  // draws every path node once more
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
  EXPECT_EQ(placed->m_x, existing->m_x);
  EXPECT_EQ(placed->m_y, existing->m_y);
}
