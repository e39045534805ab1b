// A node's wall list keeps a few entries inline and spills to the heap beyond
// that; order and contents must survive every crossing of that boundary.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "model/track_check.h"
#include "model/track_file.h"
#include "platform/small_pointer_list.h"
#include "support/track_builder.h"

namespace {

using List = SmallPointerList<int, 2>;

struct SmallPointerListTest : ::testing::Test {
  int v[6] = {0, 1, 2, 3, 4, 5};
  std::vector<int*> Entries(const List& list) { return {list.begin(), list.end()}; }
  List Filled(int count) {
    List list;
    for (int i = 0; i < count; ++i) list.push_back(&v[i]);
    return list;
  }
};

}  // namespace

TEST_F(SmallPointerListTest, KeepsOrderWhileGrowingAndShrinkingAcrossTheInlineLimit) {
  List list = Filled(2);
  list.insert(list.begin() + 1, &v[5]);  // spills to the heap
  list.insert(list.end(), &v[4]);
  list.insert(list.begin(), &v[3]);
  EXPECT_EQ(Entries(list), (std::vector<int*>{&v[3], &v[0], &v[5], &v[1], &v[4]}));
  EXPECT_EQ(list.front(), &v[3]);
  EXPECT_EQ(list.back(), &v[4]);

  EXPECT_EQ(*list.erase(list.begin() + 2), &v[1]);
  list.erase(list.end() - 1);
  EXPECT_EQ(Entries(list), (std::vector<int*>{&v[3], &v[0], &v[1]}));
  list.clear();
  EXPECT_TRUE(list.empty());
  list.push_back(&v[2]);
  EXPECT_EQ(Entries(list), std::vector<int*>{&v[2]});
}

TEST_F(SmallPointerListTest, RemoveTakesOutEveryEqualEntry) {
  List list = Filled(3);
  list.push_back(&v[1]);
  list.push_back(&v[1]);
  EXPECT_EQ(list.remove(&v[1]), 3u);
  EXPECT_EQ(Entries(list), (std::vector<int*>{&v[0], &v[2]}));
  EXPECT_EQ(list.remove(&v[5]), 0u);
  EXPECT_EQ(list.size(), 2u);
}

TEST_F(SmallPointerListTest, CopiesAreIndependentInlineAndOnTheHeap) {
  for (int count : {1, 5}) {
    List original = Filled(count);
    List copy = original;
    List assigned = Filled(4);
    assigned = original;
    EXPECT_EQ(copy, original);
    EXPECT_EQ(assigned, original);
    copy[0] = &v[5];
    assigned.push_back(&v[5]);
    EXPECT_EQ(original[0], &v[0]) << count;
    EXPECT_EQ(original.size(), static_cast<std::size_t>(count));
  }
}

TEST_F(SmallPointerListTest, MovedFromListIsEmptyAndUsable) {
  for (int count : {1, 5}) {
    List source = Filled(count);
    List target(std::move(source));
    EXPECT_EQ(target.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(target.back(), &v[count - 1]);
    EXPECT_TRUE(source.empty());
    for (int i = 0; i < 4; ++i) source.push_back(&v[i]);
    List assigned = Filled(3);
    assigned = std::move(source);
    EXPECT_EQ(Entries(assigned), (std::vector<int*>{&v[0], &v[1], &v[2], &v[3]})) << count;
  }
}

namespace {

// The wall of `polygon` anchored at `node`.
TSAnchorWall* WallOf(const TSPolygon* polygon, const TSNode* node) {
  for (const auto& wall : polygon->m_wallList) {
    if (wall->m_pNode == node) return wall.get();
  }
  return nullptr;
}

// A hub shared by more sections than fit inline in its wall list.
struct CrowdedNode : ::testing::Test {
  CTrassoDoc doc;
  TrackBuilder t{doc};
  TSNode* hub = t.Node(0, 0);
  std::vector<TSPolygon*> sections;

  void SetUp() override {
    const TrackLength rim[][2] = {{0, 100},  {100, 100},   {100, 0},  {100, -100},
                                  {0, -100}, {-100, -100}, {-100, 0}, {-100, 100}};
    std::vector<TSNode*> ring;
    for (const auto& p : rim) ring.push_back(t.Node(p[0], p[1]));
    for (std::size_t i = 0; i < ring.size(); ++i) {
      sections.push_back(t.Section({hub, ring[i], ring[(i + 1) % ring.size()]}));
    }
    t.Settle();
  }
  std::vector<TSAnchorWall*> HubWalls(std::initializer_list<int> indices) const {
    std::vector<TSAnchorWall*> walls;
    for (int i : indices) walls.push_back(WallOf(sections[i], hub));
    return walls;
  }
};

}  // namespace

TEST_F(CrowdedNode, DeletingSectionsLeavesTheRestOfTheHubInOrder) {
  ASSERT_EQ(WallsAt(hub), HubWalls({0, 1, 2, 3, 4, 5, 6, 7}));
  Select(sections[1]);
  Select(sections[6]);
  hub->m_bSelected = 0;
  doc.DeleteSelection();
  EXPECT_EQ(WallsAt(hub), HubWalls({0, 2, 3, 4, 5, 7}));
  EXPECT_TRUE(CheckTrack(doc).empty());
}

TEST_F(CrowdedNode, MergingIntoAFullHubAppendsInOrder) {
  TSNode* spare = t.Node(500, 500);
  TSPolygon* far = t.Section({spare, t.Node(600, 500), t.Node(500, 400)});
  doc.MergeNodes(hub, spare);
  std::vector<TSAnchorWall*> expected = HubWalls({0, 1, 2, 3, 4, 5, 6, 7});
  expected.push_back(WallOf(far, hub));
  EXPECT_EQ(WallsAt(hub), expected);
  EXPECT_TRUE(CheckTrack(doc).empty());
}

TEST_F(CrowdedNode, SavedAndLoadedHubKeepsEveryWallInOrder) {
  auto loaded = LoadTrackBytes(SaveTrackBytes(doc));
  ASSERT_TRUE(CheckTrack(*loaded).empty());
  const TSNode* copy = loaded->m_nodeList[0].get();
  ASSERT_EQ(copy->m_wallList.size(), sections.size());
  for (std::size_t i = 0; i < sections.size(); ++i) {
    EXPECT_EQ(copy->m_wallList[i], WallOf(loaded->m_polygonList[i].get(), copy)) << i;
  }
}
