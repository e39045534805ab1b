// Hand-written files load into the graph they describe, and the unchanged
// graph is written back byte for byte.

#include <gtest/gtest.h>

#include "hex_fixture.h"
#include "model/track_check.h"
#include "model/track_file.h"
#include "support/track_builder.h"

namespace {

std::unique_ptr<CTrassoDoc> Load(const std::string& name) {
  return LoadTrackBytes(LoadFixture(name));
}

void ExpectRoundTrip(const std::string& name) {
  const auto bytes = LoadFixture(name);
  auto doc = LoadTrackBytes(bytes);
  EXPECT_EQ(SaveTrackBytes(*doc), bytes) << name;
}

}  // namespace

TEST(FixtureLoad, WorkedExampleRebuildsEveryLink) {
  auto doc = Load("worked_example.hex");
  ASSERT_EQ(doc->m_nodeList.size(), 3u);
  ASSERT_EQ(doc->m_polygonList.size(), 1u);
  EXPECT_TRUE(CheckTrack(*doc).empty());
  TSNode* a = doc->m_nodeList[0].get();
  TSNode* b = doc->m_nodeList[1].get();
  TSNode* c = doc->m_nodeList[2].get();
  TSPolygon* p = doc->m_polygonList[0].get();
  EXPECT_EQ(Outline(p), (std::vector<TSNode*>{a, b, c}));
  EXPECT_EQ(b->m_x, 0);
  EXPECT_EQ(b->m_y, 10000);
  EXPECT_EQ(c->m_x, 10000);
  EXPECT_EQ(p->m_wallList[0]->m_nWallType, 1);  // code 19
  EXPECT_EQ(p->m_wallList[1]->m_nWallType, 9);  // code 21
  EXPECT_EQ(p->m_wallList[2]->m_nWallType, 0);
  EXPECT_EQ(p->m_nFloorType, 2);
  EXPECT_EQ(p->m_nCeilingType, 1);
  EXPECT_EQ(p->m_nCeilingLevel, 4000);
  EXPECT_EQ(doc->m_strBackground, "bg.pcx");
  EXPECT_EQ(doc->m_strDescription, "");
  EXPECT_FALSE(doc->IsModified());
}

TEST(FixtureLoad, FilesOfTheWriterComeBackByteForByte) {
  for (const char* name : {"worked_example.hex", "empty.hex", "node_with_item.hex", "free_node.hex",
                           "shared_node.hex", "long_description.hex"}) {
    ExpectRoundTrip(name);
  }
  EXPECT_EQ(LoadFixture("empty.hex").size(), 10u);
}

TEST(FixtureLoad, ItemRefersBackToItsNode) {
  auto doc = Load("node_with_item.hex");
  ASSERT_EQ(doc->m_nodeList.size(), 1u);
  const TSNode* node = doc->m_nodeList[0].get();
  EXPECT_EQ(node->m_x, -1000);
  ASSERT_NE(node->m_pItem, nullptr);
  EXPECT_EQ(node->m_pItem->m_pNode, node);
  EXPECT_EQ(node->m_pItem->m_nType, 15);  // Inflating Column
  EXPECT_EQ(node->m_pItem->m_nElevation, 500);
  EXPECT_EQ(node->m_pItem->m_nOrientation, 90000);
  EXPECT_TRUE(node->m_wallList.empty());
}

TEST(FixtureLoad, SharedNodeIsOneObject) {
  auto doc = Load("shared_node.hex");
  ASSERT_EQ(doc->m_polygonList.size(), 2u);
  TSNode* a = doc->m_nodeList[0].get();
  EXPECT_EQ(doc->m_polygonList[0]->m_wallList[0]->m_pNode, a);
  EXPECT_EQ(doc->m_polygonList[1]->m_wallList[0]->m_pNode, a);
  EXPECT_EQ(a->m_wallList.size(), 2u);
  EXPECT_TRUE(CheckTrack(*doc).empty());
}

TEST(FixtureLoad, UnknownCodesBecomeRowZeroAndOddPolygonsLoadAsStored) {
  auto doc = Load("unknown_codes.hex");
  const TSPolygon* p = doc->m_polygonList[0].get();
  EXPECT_EQ(p->m_wallList.size(), 1u);
  EXPECT_EQ(p->m_bFeature, 1);
  EXPECT_EQ(p->m_nFloorType, 0);
  EXPECT_EQ(p->m_nCeilingType, 0);
  EXPECT_EQ(p->m_wallList[0]->m_nWallType, 0);
  EXPECT_EQ(doc->m_nodeList[0]->m_pItem->m_nType, 0);
}

TEST(FixtureLoad, LongFormsAreAccepted) {
  auto doc = Load("long_forms.hex");
  ASSERT_EQ(doc->m_nodeList.size(), 2u);
  EXPECT_EQ(doc->m_nodeList[0]->m_pItem->m_pNode, doc->m_nodeList[0].get());
  EXPECT_EQ(doc->m_nodeList[1]->m_x, 3);
  EXPECT_EQ(doc->m_strBackground, "bg.pcx");
  EXPECT_EQ(doc->m_strDescription, "abc");
}

TEST(FixtureLoad, WideStringBecomesWindows1252) {
  auto doc = Load("wide_string.hex");
  EXPECT_EQ(doc->m_strDescription, "hi\x80??");
}

TEST(FixtureLoad, LongDescriptionUsesTheWordPrefix) {
  auto doc = Load("long_description.hex");
  ASSERT_EQ(doc->m_strDescription.size(), 300u);
  EXPECT_EQ(doc->m_strDescription.substr(0, 3), "abc");
  const auto bytes = SaveTrackBytes(*doc);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 9, bytes.begin() + 12),
            (std::vector<std::uint8_t>{0xFF, 0x2C, 0x01}));
}
