#include "track_test.h"

namespace {

using Operation = int (CTrassoDoc::*)(int);

using D = CTrassoDoc;
const Operation kAllTen[] = {
    &D::SetSelWallType,      &D::SetSelCeilingType,    &D::SetSelFloorType, &D::SetSelCeilingLevel,
    &D::SetSelFloorLevel,    &D::SetSelItemType,       &D::SetSelNodeX,     &D::SetSelNodeY,
    &D::SetSelItemElevation, &D::SetSelItemOrientation};

// Two squares side by side sharing the edge d–c, and two items.
class SelectionAttributes : public TrackTest {
 protected:
  TSNode *a = t.Node(0, 0), *b = t.Node(0, 100), *c = t.Node(100, 100), *d = t.Node(100, 0);
  TSPolygon* left = t.Section({a, b, c, d});
  TSPolygon* right = t.Section({d, c, t.Node(200, 100), t.Node(200, 0)});
  TSItem* mine = t.Item(50, 50, 16);
  TSItem* ramp = t.Item(150, 50, 14);
  // The field of each operation in kAllTen order, then fields none may touch.
  std::vector<int> Fields() {
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
};

TEST_F(SelectionAttributes, EachOperationWritesItsOwnFieldOfEverySelectedObjectOnce) {
  Settle();
  for (Operation op : kAllTen) EXPECT_EQ((doc.*op)(7), SEL_VALUE_NONE);
  ExpectUntouched();
  Select(left);
  Select(mine->m_pNode);
  const int values[] = {3, 4, 5, 6000, -700, 12, -42, 42, 800, 90000};
  for (int i = 0; i < 10; ++i) {
    std::vector<int> expected = Fields();
    expected[i] = values[i];
    Unmark();
    EXPECT_EQ((doc.*kAllTen[i])(values[i]), values[i]) << i;
    ExpectChanged();
    EXPECT_EQ(Fields(), expected) << i;
    Unmark();
    EXPECT_EQ((doc.*kAllTen[i])(values[i]), values[i]);  // already held: no change
    EXPECT_EQ((doc.*kAllTen[i])(SEL_VALUE_MIXED), values[i]);
    ExpectUntouched();
  }
  for (const auto& wall : left->m_wallList) EXPECT_EQ(wall->m_nWallType, 3);
  for (TSNode* node : {a, b, c, d}) EXPECT_EQ(At(node), XY(-42, 42));
}

// Polygons qualify by all their walls, nodes or not; walls by a selected edge,
// the closing one included; item operations skip nodes without items.
TEST_F(SelectionAttributes, OnlyQualifyingObjectsAreVisited) {
  for (TSNode* node : {a, b, c, d}) Select(node);
  for (int i = 0; i < 3; ++i) Wall(left, i)->m_bSelected = 1;
  EXPECT_EQ(doc.SetSelFloorType(2), SEL_VALUE_NONE);
  EXPECT_EQ(doc.SetSelItemType(3), SEL_VALUE_NONE);
  EXPECT_EQ(doc.SetSelNodeX(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
  doc.ClearSelection(false);
  SelectWallsOnly(right);
  right->m_nFloorLevel = 500;
  EXPECT_EQ(doc.SetSelFloorType(2), 2);
  EXPECT_EQ(doc.SetSelFloorLevel(SEL_VALUE_MIXED), 500);
  Select(left);
  EXPECT_EQ(doc.SetSelFloorLevel(SEL_VALUE_MIXED), SEL_VALUE_MIXED);

  doc.ClearSelection(false);
  Wall(left, 3)->m_bSelected = Wall(left, 0)->m_bSelected = 1;
  EXPECT_EQ(doc.SetSelWallType(9), 9);
  EXPECT_EQ(Wall(left, 3)->m_nWallType - Wall(left, 0)->m_nWallType, 9);
  Wall(right, 0)->m_bSelected = Wall(right, 1)->m_bSelected = 1;
  EXPECT_EQ(doc.SetSelWallType(SEL_VALUE_MIXED), SEL_VALUE_MIXED);

  Select(a);
  Select(mine->m_pNode);
  Select(ramp->m_pNode);
  EXPECT_EQ(doc.SetSelItemType(SEL_VALUE_MIXED), SEL_VALUE_MIXED);
  EXPECT_EQ(doc.SetSelItemElevation(SEL_VALUE_MIXED), 0);
}

}  // namespace
