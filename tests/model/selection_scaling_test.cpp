#include "track_test.h"

namespace {

using ScaleSelection = TrackTest;

TEST_F(ScaleSelection, ScalesAboutTheCentreOfTheSelectedBox) {
  TSNode* a = doc.AddNode(0, 0, true);
  TSNode* b = doc.AddNode(10000, 20000, true);
  TSNode* still = t.Node(500, 500);
  t.Item(400, 400, 2);
  TSItem* item = doc.m_nodeList.back()->m_pItem.get();
  Select(item->m_pNode);
  item->m_nElevation = 300;
  doc.SetModifiedFlag(false);
  updates.Reset();

  doc.ScaleSelection(2.0);
  ExpectChanged();
  EXPECT_EQ(a->m_x, -5000);
  EXPECT_EQ(a->m_y, -10000);
  EXPECT_EQ(b->m_x, 15000);
  EXPECT_EQ(b->m_y, 30000);
  EXPECT_EQ(item->m_pNode->m_x, -4200);  // 5000 + 2 × (400 − 5000)
  EXPECT_EQ(item->m_pNode->m_y, -9200);
  EXPECT_EQ(item->m_nElevation, 300);
  EXPECT_EQ(still->m_x, 500);
}

// The centre and every result are truncated toward zero, not rounded down.
TEST_F(ScaleSelection, TruncatesTowardZero) {
  TSNode* a = doc.AddNode(0, 0, true);
  TSNode* b = doc.AddNode(3, 3, true);
  doc.ScaleSelection(0.5);  // centre (1, 1)
  EXPECT_EQ(a->m_x, 0);
  EXPECT_EQ(b->m_x, 2);
  EXPECT_EQ(b->m_y, 2);

  a->m_x = -3;
  b->m_x = 0;
  doc.ScaleSelection(0.5);  // centre x −1: −3 → −2, 0 → −0.5 → 0
  EXPECT_EQ(a->m_x, -2);
  EXPECT_EQ(b->m_x, 0);
}

TEST_F(ScaleSelection, NothingSelectedChangesNothing) {
  TSNode* a = t.Node(100, 100);
  Settle();
  doc.ScaleSelection(3.0);
  ExpectUntouched();
  EXPECT_EQ(a->m_x, 100);
}

TEST_F(ScaleSelection, ASingleNodeStaysButTheDocumentIsMarked) {
  TSNode* a = doc.AddNode(-7, 9, true);
  Settle();
  Select(a);
  doc.ScaleSelection(5.0);
  ExpectChanged();
  EXPECT_EQ(a->m_x, -7);
  EXPECT_EQ(a->m_y, 9);
}

TEST_F(ScaleSelection, ScalesSelectionsFarOutAboutTheirOwnCentre) {
  TSNode* a = doc.AddNode(20000000, -30000000, true);
  TSNode* b = doc.AddNode(30000000, -20000000, true);
  doc.ScaleSelection(2.0);
  EXPECT_EQ(a->m_x, 15000000);
  EXPECT_EQ(a->m_y, -35000000);
  EXPECT_EQ(b->m_x, 35000000);
  EXPECT_EQ(b->m_y, -15000000);
}

TEST_F(ScaleSelection, ResultsBeyondTheRangeStopAtItsEnds) {
  TSNode* a = doc.AddNode(-2000000000, kMinCoord, true);
  TSNode* b = doc.AddNode(2000000000, kMaxCoord, true);
  doc.ScaleSelection(2.0);
  EXPECT_EQ(a->m_x, kMinCoord);
  EXPECT_EQ(b->m_x, kMaxCoord);
  EXPECT_EQ(a->m_y, kMinCoord);
  EXPECT_EQ(b->m_y, kMaxCoord);
  doc.ScaleSelection(0.5);
  EXPECT_EQ(a->m_y, -1073741824);  // centre 0 (−1 / 2), half of −2^31
  EXPECT_EQ(b->m_y, 1073741823);
}

}  // namespace
