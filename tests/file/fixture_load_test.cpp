// Hand-written files load into the graph they describe, and the unchanged
// graph is written back byte for byte.

#include <gtest/gtest.h>

#include "hex_fixture.h"
#include "model/track_check.h"
#include "model/track_file.h"
#include "support/track_builder.h"

namespace {

std::unique_ptr<CTrassoDoc> Load(const std::string& name) {
  auto doc = LoadTrackBytes(LoadFixture(name));
  EXPECT_TRUE(CheckTrack(*doc, TrackCheckScope::kLinks).empty()) << name;
  return doc;
}

TEST(FixtureLoad, FilesOfTheWriterComeBackByteForByte) {
  for (const char* name : {"worked_example.hex", "empty.hex", "node_with_item.hex", "free_node.hex",
                           "shared_node.hex", "long_description.hex"}) {
    const auto bytes = LoadFixture(name);
    EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(bytes)), bytes) << name;
  }
  EXPECT_EQ(LoadFixture("empty.hex").size(), 10u);
}

TEST(FixtureLoad, WorkedExampleRebuildsEveryLink) {
  auto doc = Load("worked_example.hex");
  ASSERT_EQ(doc->m_nodeList.size(), 3u);
  ASSERT_EQ(doc->m_polygonList.size(), 1u);
  TSPolygon* p = doc->m_polygonList[0].get();
  std::vector<TSNode*> nodes;
  for (const auto& node : doc->m_nodeList) nodes.push_back(node.get());
  EXPECT_EQ(Outline(p), nodes);
  EXPECT_EQ(std::tuple(nodes[1]->m_x, nodes[1]->m_y, nodes[2]->m_x), std::tuple(0, 10000, 10000));
  // Wall codes 19, 21 and 0 are rows 1, 9 and 0.
  EXPECT_EQ(std::tuple(p->m_wallList[0]->m_nWallType, p->m_wallList[1]->m_nWallType,
                       p->m_wallList[2]->m_nWallType, p->m_nFloorType, p->m_nCeilingType,
                       p->m_nCeilingLevel),
            std::tuple(1, 9, 0, 2, 1, 4000));
  EXPECT_EQ(doc->m_strBackground + "|" + doc->m_strDescription, "bg.pcx|");
  EXPECT_FALSE(doc->IsModified());
}

TEST(FixtureLoad, ItemsAndSharedNodesAreLinkedBothWays) {
  auto doc = Load("node_with_item.hex");
  const TSNode* node = doc->m_nodeList.at(0).get();
  ASSERT_NE(node->m_pItem, nullptr);
  const TSItem& item = *node->m_pItem;
  EXPECT_EQ(
      std::tuple(node->m_x, item.m_pNode, item.m_nType, item.m_nElevation, item.m_nOrientation),
      std::tuple(-1000, node, 15, 500, 90000));  // code 13, Inflating Column

  auto shared = Load("shared_node.hex");
  ASSERT_EQ(shared->m_polygonList.size(), 2u);
  TSNode* a = shared->m_nodeList[0].get();
  EXPECT_EQ(shared->m_polygonList[1]->m_wallList[0]->m_pNode, a);
  EXPECT_EQ(a->m_wallList.size(), 2u);
}

TEST(FixtureLoad, UnknownCodesBecomeRowZeroAndOddPolygonsLoadAsStored) {
  auto doc = Load("unknown_codes.hex");
  const TSPolygon* p = doc->m_polygonList.at(0).get();
  EXPECT_EQ(std::tuple(p->m_wallList.size(), p->m_bFeature, p->m_nFloorType, p->m_nCeilingType,
                       p->m_wallList[0]->m_nWallType, doc->m_nodeList[0]->m_pItem->m_nType),
            std::tuple(1u, 1, 0, 0, 0, 0));
}

TEST(FixtureLoad, LongFormsAndWideStringsAreAccepted) {
  auto doc = Load("long_forms.hex");
  ASSERT_EQ(doc->m_nodeList.size(), 2u);
  EXPECT_EQ(doc->m_nodeList[0]->m_pItem->m_pNode, doc->m_nodeList[0].get());
  EXPECT_EQ(doc->m_nodeList[1]->m_x, 3);
  EXPECT_EQ(doc->m_strBackground + "|" + doc->m_strDescription, "bg.pcx|abc");
  // Euro sign, a character outside the code page, a pair beyond the basic plane.
  EXPECT_EQ(Load("wide_string.hex")->m_strDescription, "hi\x80??");
}

}  // namespace
