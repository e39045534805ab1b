#include "model/track_clipboard.h"

#include "model/track_file.h"
#include "track_test.h"

namespace {

// Two sections sharing the edge c–d, a feature, a free node with an item and a lone node.
class Clipboard : public TrackTest {
 protected:
  void SetUp() override {
    doc.AttachItem(a, 13);
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
  TSNode* lone = t.Node(50, 50);
};

TEST_F(Clipboard, CopyHoldsWhatCutWouldDeleteAndLeavesTheSourceAlone) {
  const auto before = SaveTrackBytes(doc);
  EXPECT_TRUE(CanCopySelection(doc));
  const auto copy = LoadTrackBytes(CopySelection(doc));
  EXPECT_EQ(SaveTrackBytes(doc), before);
  std::vector<XY> places;
  for (const auto& node : copy->m_nodeList) places.push_back(At(node.get()));
  EXPECT_EQ(places, (std::vector<XY>{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {2, 2}, {2, 4}, {4, 4},
                                     {4, 2}, {-5, 30}}));
  ASSERT_EQ(copy->m_polygonList.size(), 2u);
  EXPECT_EQ(copy->m_polygonList[1]->m_bFeature, 1);
  EXPECT_EQ(copy->m_nodeList[2]->m_wallList.size(), 1u);  // c: only the copied wall
  EXPECT_EQ(copy->m_nodeList[0]->m_pItem->m_nType, 13);
  EXPECT_EQ(copy->m_nodeList[8]->m_pItem->m_nType, 2);
  doc.ClearSelection(false);
  Select(e);
  EXPECT_FALSE(CanCopySelection(doc) || CanCopySelection(CTrassoDoc()));
  EXPECT_TRUE(LoadTrackBytes(CopySelection(doc))->m_nodeList.empty());
}

TEST_F(Clipboard, PasteAppendsTheTrackMovedAndSelectedAsOneStepThatUndoTakesBack) {
  auto track = LoadTrackBytes(CopySelection(doc));
  EXPECT_EQ(PasteOffset(*track, std::nullopt), (TrackVector{1000, -1000}));
  EXPECT_EQ(PasteOffset(*track, TrackVector{100, 100}), (TrackVector{98, 85}));
  EXPECT_EQ(PasteOffset(*track, TrackVector{kMaxCoord, kMinCoord}),
            (TrackVector{kMaxCoord - 2, kMinCoord}));
  const auto before = SaveTrackBytes(doc);
  const std::size_t steps = doc.GetHistory().StepCount();
  Unmark();
  doc.PasteTrack(*track, kMaxCoord - 5, -1000);
  ExpectChanged();
  EXPECT_EQ(std::pair(doc.GetHistory().StepCount(), doc.GetHistory().UndoName()),
            std::pair(steps + 1, std::string("Paste")));
  ASSERT_EQ(std::pair(doc.m_nodeList.size(), doc.m_polygonList.size()), std::pair(21ul, 5ul));
  EXPECT_EQ(At(doc.m_nodeList[18].get()), XY(kMaxCoord - 1, -996));  // (4, 4), held at the edge
  EXPECT_FALSE(a->m_bSelected || left->m_wallList[0]->m_bSelected);
  EXPECT_TRUE(doc.m_nodeList[20]->m_bSelected && doc.m_polygonList[4]->m_wallList[3]->m_bSelected);
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(SaveTrackBytes(doc), before);
  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(doc.m_nodeList.size(), 21u);
}

}  // namespace
