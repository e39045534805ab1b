#include "model/track_clipboard.h"

#include "model/track_file.h"
#include "track_test.h"

namespace {

// Two sections sharing the edge c–d, a feature, and a free node with an item.
class Clipboard : public TrackTest {
 protected:
  void SetUp() override {
    Settle();
    Select(left);                           // whole: copied, with a, b, c, d
    right->m_wallList[0]->m_bSelected = 1;  // three walls stay: not copied
    Select(e);                              // anchors walls that stay: not copied
    Select(free->m_pNode);
    feature->m_wallList[1]->m_bSelected = feature->m_wallList[2]->m_bSelected = 1;  // two stay
  }
  TSNode *a = t.Node(0, 0), *b = t.Node(0, 10), *c = t.Node(10, 10), *d = t.Node(10, 0);
  TSNode *e = t.Node(20, 10), *f = t.Node(20, 0);
  TSPolygon *left = t.Section({a, b, c, d}), *right = t.Section({d, c, e, f});
  TSPolygon* feature = t.Feature({t.Node(2, 2), t.Node(2, 4), t.Node(4, 4), t.Node(4, 2)});
  TSItem* free = t.Item(-5, 30, 2);
};

TEST_F(Clipboard, CopyHoldsWhatCutWouldDeleteAndLeavesTheSourceAlone) {
  const auto before = SaveTrackBytes(doc);
  const auto copy = LoadTrackBytes(CopySelection(doc));
  EXPECT_EQ(SaveTrackBytes(doc), before);
  std::vector<XY> places;
  for (const auto& node : copy->m_nodeList) places.push_back(At(node.get()));
  EXPECT_EQ(places,
            (std::vector<XY>{
                {0, 0}, {0, 10}, {10, 10}, {10, 0}, {2, 2}, {2, 4}, {4, 4}, {4, 2}, {-5, 30}}));
  EXPECT_EQ(std::tuple(copy->m_polygonList.size(), copy->m_nodeList[2]->m_wallList.size(),
                       copy->m_nodeList[8]->m_pItem->m_nType),
            std::tuple(2ul, 1ul, 2));  // c lists only the copied wall
  doc.ClearSelection(false);
  Select(e);
  EXPECT_FALSE(CanCopySelection(doc) || !LoadTrackBytes(CopySelection(doc))->m_nodeList.empty());
}

TEST_F(Clipboard, PasteAppendsTheTrackMovedAndSelectedAsOneStepThatUndoTakesBack) {
  auto track = LoadTrackBytes(CopySelection(doc));
  EXPECT_EQ(PasteOffset(*track, TrackVector{kMaxCoord, kMinCoord}),
            (TrackVector{kMaxCoord - 2, kMinCoord}));
  const auto before = SaveTrackBytes(doc);
  Unmark();
  doc.PasteTrack(*track, kMaxCoord - 5, -1000);
  ExpectChanged();
  ASSERT_EQ(std::pair(doc.m_nodeList.size(), doc.m_polygonList.size()), std::pair(20ul, 5ul));
  EXPECT_EQ(At(doc.m_nodeList[17].get()), XY(kMaxCoord - 1, -996));  // (4, 4), held at the edge
  EXPECT_FALSE(a->m_bSelected || left->m_wallList[0]->m_bSelected);
  EXPECT_TRUE(doc.m_nodeList[19]->m_bSelected && doc.m_polygonList[4]->m_wallList[3]->m_bSelected);
  ASSERT_TRUE(doc.Undo());  // the whole paste at once
  EXPECT_EQ(SaveTrackBytes(doc), before);
}

}  // namespace
