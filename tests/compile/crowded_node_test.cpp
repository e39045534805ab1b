// Where many walls meet at one node, the connections are found through an
// index instead of a scan; the lines must be exactly those of the plain
// search: for each wall A→B, the first wall O at A (in A's list) whose
// polygon's previous wall runs B→A and is not yet reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>

#include "compile/compile_test_support.h"
#include "model/track_file.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "support/track_builder.h"

namespace {
std::string PlainConnections(CTrassoDoc& doc) {
  std::set<const TSAnchorWall*> reported;
  std::ostringstream lines;
  for (std::size_t p = 0; p < doc.m_polygonList.size(); ++p) {
    const TSPolygon& polygon = *doc.m_polygonList[p];
    if (polygon.m_bFeature) continue;
    for (std::size_t i = 0; i < polygon.m_wallList.size(); ++i) {
      const TSAnchorWall* wall = polygon.m_wallList[i].get();
      if (reported.count(wall)) continue;
      const TSNode* b = polygon.m_wallList[(i + 1) % polygon.m_wallList.size()]->m_pNode;
      for (const TSAnchorWall* other : wall->m_pNode->m_wallList) {
        if (other == wall || other->m_pPolygon->m_bFeature) continue;
        const TSAnchorWall* back = other->GetPrevWall();
        if (reported.count(back) || back->m_pNode != b) continue;
        lines << p + 1 << ", " << i << ", " << back->m_pPolygon->m_nExportId << ", "
              << back->m_pPolygon->IndexOfWall(back) << "\n";
        reported.insert(wall);
        reported.insert(back);
        break;
      }
    }
  }
  return lines.str();
}

std::string WrittenConnections(CTrassoDoc& doc) {
  const std::string text = CompilerInputOf(doc);
  const std::size_t list = text.find("[Connection_List]\n") + 18;
  return text.substr(list, text.size() - list - 2);
}
}  // namespace

TEST(CrowdedNode, ConnectionsAreThoseOfThePlainSearch) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    CTrassoDoc doc;
    TrackBuilder t(doc);
    // A fan of triangles around one node, some in both directions, some
    // features, listed in a random order.
    TSNode* centre = t.Node(0, 0);
    std::vector<TSNode*> rim;
    for (int i = 0; i < 24; ++i) rim.push_back(t.Node(1000 * (i % 5), 1000 * (i / 5) + 1));
    for (int k = 0; k < 40; ++k) {
      TSNode* a = rim[random() % rim.size()];
      TSNode* b = rim[random() % rim.size()];
      if (a == b) continue;
      if (random() % 6 == 0) {
        t.Feature({centre, a, b});
      } else {
        t.Section({centre, a, b});
      }
    }
    std::shuffle(doc.m_polygonList.begin(), doc.m_polygonList.end(), random);
    ASSERT_GT(centre->m_wallList.size(), 16u);
    // Numbering happens in the writer; the plain search reads it afterwards.
    const std::string written = WrittenConnections(doc);
    EXPECT_NE(written, "");
    EXPECT_EQ(written, PlainConnections(doc)) << "round " << round;
    EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(SaveTrackBytes(doc))), SaveTrackBytes(doc));
  }
}
