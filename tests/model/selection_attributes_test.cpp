#include "track_test.h"

namespace {

using Operation = int (CTrassoDoc::*)(int);

const Operation kAllTen[] = {
    &CTrassoDoc::SetSelWallType,      &CTrassoDoc::SetSelCeilingType,
    &CTrassoDoc::SetSelFloorType,     &CTrassoDoc::SetSelCeilingLevel,
    &CTrassoDoc::SetSelFloorLevel,    &CTrassoDoc::SetSelItemType,
    &CTrassoDoc::SetSelNodeX,         &CTrassoDoc::SetSelNodeY,
    &CTrassoDoc::SetSelItemElevation, &CTrassoDoc::SetSelItemOrientation,
};

class SelectionAttributes : public TrackTest {
 protected:
  // Two squares side by side sharing the edge d–c, and two items.
  void SetUp() override {
    a = t.Node(0, 0);
    b = t.Node(0, 100);
    c = t.Node(100, 100);
    d = t.Node(100, 0);
    left = t.Section({a, b, c, d});
    right = t.Section({d, c, t.Node(200, 100), t.Node(200, 0)});
    mine = t.Item(50, 50, 16);
    ramp = t.Item(150, 50, 14);
    Settle();
  }
  // The field of each operation in kAllTen order, then fields none may touch.
  std::vector<int> Fields() const {
    return {Wall(left, 1)->m_nWallType,
            left->m_nCeilingType,
            left->m_nFloorType,
            left->m_nCeilingLevel,
            left->m_nFloorLevel,
            mine->m_nType,
            mine->m_pNode->m_x,
            a->m_y,
            mine->m_nElevation,
            mine->m_nOrientation,
            right->m_nFloorType,
            Wall(right, 2)->m_nWallType,
            ramp->m_nType,
            ramp->m_pNode->m_x};
  }
  TSAnchorWall* Wall(TSPolygon* polygon, int i) const { return polygon->m_wallList[i].get(); }

  TSNode *a, *b, *c, *d;
  TSPolygon *left, *right;
  TSItem *mine, *ramp;
};

TEST_F(SelectionAttributes, AnEmptySelectionAnswersNone) {
  for (Operation op : kAllTen) {
    EXPECT_EQ((doc.*op)(SEL_VALUE_MIXED), SEL_VALUE_NONE);
    EXPECT_EQ((doc.*op)(7), SEL_VALUE_NONE);
  }
  ExpectUntouched();
}

TEST_F(SelectionAttributes, EachOperationWritesItsOwnFieldOfEverySelectedObject) {
  Select(left);
  Select(mine->m_pNode);
  const int values[] = {3, 4, 5, 6000, -700, 12, -42, 42, 800, 90000};
  for (int i = 0; i < 10; ++i) {
    std::vector<int> expected = Fields();
    expected[i] = values[i];
    EXPECT_EQ((doc.*kAllTen[i])(values[i]), values[i]) << i;
    EXPECT_EQ(Fields(), expected) << i;
  }
  for (const auto& wall : left->m_wallList) EXPECT_EQ(wall->m_nWallType, 3);
  for (TSNode* node : {a, b, c, d}) EXPECT_EQ(At(node), XY(-42, 42));
}

TEST_F(SelectionAttributes, SettingAppliesToEveryQualifyingObjectAndMarksOnce) {
  Select(left);
  Select(right);
  right->m_nFloorLevel = 500;
  EXPECT_EQ(doc.SetSelFloorLevel(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
  ExpectUntouched();
  EXPECT_EQ(doc.SetSelFloorLevel(250), 250);
  ExpectChanged();
  EXPECT_EQ(left->m_nFloorLevel + right->m_nFloorLevel, 500);
  Unmark();
  EXPECT_EQ(doc.SetSelFloorLevel(250), 250);  // already held: nothing changes
  ExpectUntouched();
}

TEST_F(SelectionAttributes, PolygonsQualifyByTheirWallsAlone) {
  for (TSNode* node : {a, b, c, d}) Select(node);
  for (int i = 0; i < 3; ++i) Wall(left, i)->m_bSelected = 1;
  EXPECT_EQ(doc.SetSelFloorType(2), SEL_VALUE_NONE);  // one wall unselected
  EXPECT_EQ(left->m_nFloorType, 0);
  for (TSNode* node : {a, b, c, d}) node->m_bSelected = 0;
  SelectWallsOnly(right);
  EXPECT_EQ(doc.SetSelFloorType(2), 2);  // no node selected, yet qualifies
  EXPECT_EQ(right->m_nFloorType, 2);
}

TEST_F(SelectionAttributes, WallTypeFollowsSelectedEdgesIncludingTheClosingOne) {
  Wall(left, 3)->m_bSelected = 1;
  Wall(left, 0)->m_bSelected = 1;
  EXPECT_EQ(doc.SetSelWallType(9), 9);
  EXPECT_EQ(Wall(left, 3)->m_nWallType, 9);
  EXPECT_EQ(Wall(left, 0)->m_nWallType, 0);
  Wall(right, 0)->m_bSelected = 1;
  Wall(right, 1)->m_bSelected = 1;
  Wall(right, 0)->m_nWallType = 4;
  EXPECT_EQ(doc.SetSelWallType(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
}

TEST_F(SelectionAttributes, ItemOperationsSkipNodesWithoutItems) {
  Select(a);
  EXPECT_EQ(doc.SetSelItemType(3), SEL_VALUE_NONE);
  EXPECT_EQ(doc.SetSelNodeX(SEL_VALUE_MIXED), 0);
  Select(mine->m_pNode);
  Select(ramp->m_pNode);
  EXPECT_EQ(doc.SetSelItemType(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
  EXPECT_EQ(doc.SetSelItemElevation(SEL_VALUE_MIXED), 0);
  EXPECT_EQ(doc.SetSelNodeX(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
}

}  // namespace
