// The track index against a plain scan of the lists, through random edits,
// undo and redo: a stale entry shows as an object the scan finds and the
// index does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "check/track_index.h"
#include "support/track_builder.h"

namespace {
bool Inside(const TSNode& node, const GridBox& box) {
  return box.minX <= node.m_x && node.m_x <= box.maxX && box.minY <= node.m_y &&
         node.m_y <= box.maxY;
}

bool Overlaps(const TSPolygon& polygon, const GridBox& box) {
  if (polygon.m_wallList.empty()) return false;
  GridBox own{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
  for (const auto& wall : polygon.m_wallList) {
    own = {std::min<std::int64_t>(own.minX, wall->m_pNode->m_x),
           std::min<std::int64_t>(own.minY, wall->m_pNode->m_y),
           std::max<std::int64_t>(own.maxX, wall->m_pNode->m_x),
           std::max<std::int64_t>(own.maxY, wall->m_pNode->m_y)};
  }
  return own.Overlaps(box);
}

// The index's answer with its extra candidates dropped by `keep`, which must
// be what a scan in list order keeps; the answer itself must ascend.
template <class List, class Keep>
void ExpectScan(const std::vector<std::uint32_t>& answer, const List& list, Keep keep,
                const char* what) {
  EXPECT_TRUE(std::is_sorted(answer.begin(), answer.end()) &&
              std::adjacent_find(answer.begin(), answer.end()) == answer.end())
      << what;
  std::vector<std::uint32_t> kept, scanned;
  for (const std::uint32_t at : answer) {
    ASSERT_LT(at, list.size()) << what;
    if (keep(*list[at])) kept.push_back(at);
  }
  for (std::uint32_t at = 0; at < list.size(); ++at)
    if (keep(*list[at])) scanned.push_back(at);
  EXPECT_EQ(kept, scanned) << what;
}

struct RandomTrack {
  explicit RandomTrack(unsigned seed) : random(seed), index(doc, 0) {}
  TrackLength Coordinate() { return std::uniform_int_distribution<TrackLength>(0, 99999)(random); }
  int Pick(std::size_t count) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random);
  }
  TSNode* AnyNode() { return doc.m_nodeList[Pick(doc.m_nodeList.size())].get(); }
  void AddTriangle() {
    const TrackLength x = Coordinate(), y = Coordinate(), d = 3000 + Pick(4000);
    std::vector<TSNode*> path{doc.AddNode(x, y, false), doc.AddNode(x, y + d, false),
                              doc.AddNode(x + d, y + d, false)};
    doc.CreatePolygon(Pick(4) == 0, path, 0, 4000, 0, 0, 0, false);
  }
  void SelectSome() {
    doc.ClearSelection(false);
    for (int k = Pick(6) + 1; k > 0; --k) doc.Select(*AnyNode());
  }
  // One edit of the kinds the editor makes, or an undo or redo.
  void Edit() {
    switch (Pick(9)) {
      case 0:
        AddTriangle();
        break;
      case 1:
        doc.AddNode(Coordinate(), Coordinate(), false);
        break;
      case 2:
        SelectSome();
        doc.MoveSelectedNodes(Coordinate() - 50000, Coordinate() - 50000);
        break;
      case 3:
        SelectSome();
        doc.DeleteSelection();
        break;
      case 4:
        doc.MergeNodes(AnyNode(), AnyNode());
        break;
      case 5:
        SelectSome();
        doc.ScaleSelection(0.5 + Pick(3));
        break;
      case 6:
        doc.Undo();
        break;
      case 7:
        doc.Redo();
        break;
      default: {
        TSNode* node = AnyNode();
        if (!node->m_wallList.empty())
          doc.DetachWall(node->m_wallList[0], Coordinate(), Coordinate());
      }
    }
  }
  void ExpectSameAsScan() {
    const TrackLength x = Coordinate() - 20000, y = Coordinate() - 20000;
    const GridBox box{x, y, x + Pick(40000), y + Pick(40000)};
    ExpectScan(
        index.NodesIn(box), doc.m_nodeList, [&](const TSNode& n) { return Inside(n, box); },
        "nodes");
    ExpectScan(
        index.PolygonsIn(box), doc.m_polygonList,
        [&](const TSPolygon& p) { return Overlaps(p, box); }, "polygons");
    GridBox bounds{}, all{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
    for (const auto& n : doc.m_nodeList)
      all = {std::min<std::int64_t>(all.minX, n->m_x), std::min<std::int64_t>(all.minY, n->m_y),
             std::max<std::int64_t>(all.maxX, n->m_x), std::max<std::int64_t>(all.maxY, n->m_y)};
    ASSERT_EQ(index.NodeBounds(bounds), !doc.m_nodeList.empty());
    if (!doc.m_nodeList.empty()) {
      EXPECT_TRUE(bounds.minX == all.minX && bounds.minY == all.minY && bounds.maxX == all.maxX &&
                  bounds.maxY == all.maxY);
    }
  }

  std::mt19937 random;
  CTrassoDoc doc;
  CTrackIndex index;
};
}  // namespace

TEST(TrackIndex, AnswersAsAPlainScanThroughRandomEditsUndoAndRedo) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    RandomTrack track(seed);
    for (int k = 0; k < 60; ++k) track.AddTriangle();
    for (int step = 0; step < 200 && !::testing::Test::HasFailure(); ++step) {
      track.Edit();
      if (track.doc.m_nodeList.empty()) track.AddTriangle();
      for (int query = 0; query < 4; ++query) track.ExpectSameAsScan();
    }
  }
}

TEST(TrackIndex, TheNodeAtTheEdgeMovedInAndOutKeepsTheBoundsExact) {
  RandomTrack track(7);
  for (int k = 0; k < 40; ++k) track.AddTriangle();
  track.ExpectSameAsScan();  // built, so the moves below are filed one by one
  const auto byX = [](const auto& a, const auto& b) { return a->m_x < b->m_x; };
  for (const TrackLength dx : {-60000, 30000, 45000, -200000, 200000}) {
    track.doc.ClearSelection(false);
    auto& farthest =
        *std::max_element(track.doc.m_nodeList.begin(), track.doc.m_nodeList.end(), byX);
    track.doc.Select(*farthest);
    track.doc.MoveSelectedNodes(dx, -dx / 2);
    for (int query = 0; query < 20; ++query) track.ExpectSameAsScan();
  }
}
