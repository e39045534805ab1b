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
  // Two squares side by side sharing the edge b–c, and two items.
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

  TSNode *a, *b, *c, *d;
  TSPolygon *left, *right;
  TSItem *mine, *ramp;
};

TEST_F(SelectionAttributes, QueriesOnAnEmptySelectionAnswerNone) {
  for (Operation op : kAllTen) EXPECT_EQ((doc.*op)(SEL_VALUE_MIXED), SEL_VALUE_NONE);
  for (Operation op : kAllTen) EXPECT_EQ((doc.*op)(7), SEL_VALUE_NONE);
  ExpectUntouched();
}

TEST_F(SelectionAttributes, SettingAppliesToEveryQualifyingObjectAndMarksOnce) {
  Select(left);
  Select(right);
  right->m_nFloorLevel = 500;
  EXPECT_EQ(doc.SetSelFloorLevel(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
  ExpectUntouched();

  EXPECT_EQ(doc.SetSelFloorLevel(250), 250);
  ExpectChanged();
  EXPECT_EQ(left->m_nFloorLevel, 250);
  EXPECT_EQ(right->m_nFloorLevel, 250);
  EXPECT_EQ(doc.SetSelFloorLevel(SEL_VALUE_MIXED), 250);

  // Setting the value they already hold changes nothing.
  doc.SetModifiedFlag(false);
  updates.Reset();
  EXPECT_EQ(doc.SetSelFloorLevel(250), 250);
  ExpectUntouched();
}

TEST_F(SelectionAttributes, EachOperationWritesItsOwnField) {
  Select(left);
  Select(mine->m_pNode);
  doc.SetSelWallType(3);
  doc.SetSelCeilingType(4);
  doc.SetSelFloorType(5);
  doc.SetSelCeilingLevel(6000);
  doc.SetSelFloorLevel(-700);
  doc.SetSelItemType(12);
  doc.SetSelItemElevation(800);
  doc.SetSelItemOrientation(90000);
  doc.SetSelNodeY(42);
  doc.SetSelNodeX(-42);
  for (const auto& wall : left->m_wallList) EXPECT_EQ(wall->m_nWallType, 3);
  EXPECT_EQ(left->m_nCeilingType, 4);
  EXPECT_EQ(left->m_nFloorType, 5);
  EXPECT_EQ(left->m_nCeilingLevel, 6000);
  EXPECT_EQ(left->m_nFloorLevel, -700);
  EXPECT_EQ(mine->m_nType, 12);
  EXPECT_EQ(mine->m_nElevation, 800);
  EXPECT_EQ(mine->m_nOrientation, 90000);
  for (TSNode* node : {a, b, c, d, mine->m_pNode}) {
    EXPECT_EQ(node->m_x, -42);
    EXPECT_EQ(node->m_y, 42);
  }
  // Neither the other section nor the unselected item changed.
  EXPECT_EQ(right->m_nFloorType, 0);
  EXPECT_EQ(right->m_wallList[2]->m_nWallType, 0);
  EXPECT_EQ(ramp->m_nType, 14);
  EXPECT_EQ(ramp->m_pNode->m_x, 150);
  a->m_bSelected = b->m_bSelected = c->m_bSelected = d->m_bSelected = 0;
  mine->m_pNode->m_bSelected = 0;
  for (TSNode* node : {a, b, c, d, mine->m_pNode}) node->m_x = node->m_y = 0;
}

TEST_F(SelectionAttributes, PolygonsQualifyByTheirWallsAlone) {
  for (TSNode* node : {a, b, c, d}) Select(node);
  left->m_wallList[3]->m_bSelected = 0;
  for (int i = 0; i < 3; ++i) left->m_wallList[i]->m_bSelected = 1;
  EXPECT_EQ(doc.SetSelFloorType(2), SEL_VALUE_NONE);  // one wall unselected
  EXPECT_EQ(left->m_nFloorType, 0);

  for (TSNode* node : {a, b, c, d}) node->m_bSelected = 0;
  SelectWallsOnly(right);
  EXPECT_EQ(doc.SetSelFloorType(2), 2);  // no node selected, yet qualifies
  EXPECT_EQ(right->m_nFloorType, 2);
}

TEST_F(SelectionAttributes, WallTypeFollowsSelectedEdgesIncludingTheClosingOne) {
  // Selected ends: the last and the first wall of `left`, so only the edge
  // from the last node back to the first is selected.
  left->m_wallList[3]->m_bSelected = 1;
  left->m_wallList[0]->m_bSelected = 1;
  EXPECT_EQ(doc.SetSelWallType(9), 9);
  EXPECT_EQ(left->m_wallList[3]->m_nWallType, 9);
  EXPECT_EQ(left->m_wallList[0]->m_nWallType, 0);

  // A second edge of another type makes the answer mixed.
  right->m_wallList[0]->m_bSelected = 1;
  right->m_wallList[1]->m_bSelected = 1;
  right->m_wallList[0]->m_nWallType = 4;
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

// A field that happens to hold the "none" value restarts the fold, so the
// visiting order shows in the answer: visited first it is overwritten by the
// next value, visited last it makes the answer mixed.
TEST_F(SelectionAttributes, WallsAreVisitedFromTheLastToTheFirst) {
  Select(left);
  for (const auto& wall : left->m_wallList) wall->m_nWallType = 7;
  left->m_wallList[3]->m_nWallType = SEL_VALUE_NONE;
  EXPECT_EQ(doc.SetSelWallType(SEL_VALUE_MIXED), 7);
  left->m_wallList[3]->m_nWallType = 7;
  left->m_wallList[0]->m_nWallType = SEL_VALUE_NONE;
  EXPECT_EQ(doc.SetSelWallType(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
}

TEST_F(SelectionAttributes, PolygonsAreVisitedInListOrder) {
  Select(left);
  Select(right);
  left->m_nCeilingLevel = SEL_VALUE_NONE;
  EXPECT_EQ(doc.SetSelCeilingLevel(SEL_VALUE_MIXED), 4000);
  left->m_nCeilingLevel = 4000;
  right->m_nCeilingLevel = SEL_VALUE_NONE;
  EXPECT_EQ(doc.SetSelCeilingLevel(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
  right->m_nCeilingLevel = 4000;
}

TEST_F(SelectionAttributes, NodesAreVisitedInListOrder) {
  Select(a);
  Select(mine->m_pNode);
  Select(ramp->m_pNode);
  a->m_y = SEL_VALUE_NONE;
  mine->m_pNode->m_y = 50;
  ramp->m_pNode->m_y = 50;
  EXPECT_EQ(doc.SetSelNodeY(SEL_VALUE_MIXED), 50);
  mine->m_nOrientation = SEL_VALUE_NONE;
  EXPECT_EQ(doc.SetSelItemOrientation(SEL_VALUE_MIXED), 0);
  ramp->m_nOrientation = SEL_VALUE_NONE;
  mine->m_nOrientation = 0;
  EXPECT_EQ(doc.SetSelItemOrientation(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
  a->m_y = 0;
}

}  // namespace
