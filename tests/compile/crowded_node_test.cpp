// The writer's indexed connections equal the plain search: for each wall A→B, the first
// unreported wall at A whose polygon's previous wall runs B→A.
#include <algorithm>
#include <random>
#include <set>

#include "compile/compile_test_support.h"
#include "model/track_file.h"
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
}  // namespace

TEST(CrowdedNode, ConnectionsAreThoseOfThePlainSearch) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    CTrassoDoc doc;
    TrackBuilder t(doc);
    // A fan of triangles round one node, some both ways, some features, in random order.
    TSNode* centre = t.Node(0, 0);
    std::vector<TSNode*> rim;
    for (int i = 0; i < 24; ++i) rim.push_back(t.Node(1000 * (i % 5), 1000 * (i / 5) + 1));
    for (int k = 0; k < 40; ++k) {
      TSNode* a = rim[random() % rim.size()];
      TSNode* b = rim[random() % rim.size()];
      if (a == b) continue;
      random() % 6 == 0 ? t.Feature({centre, a, b}) : t.Section({centre, a, b});
    }
    std::shuffle(doc.m_polygonList.begin(), doc.m_polygonList.end(), random);
    ASSERT_GT(centre->m_wallList.size(), 16u);
    // Numbering happens in the writer; the plain search reads it afterwards.
    const std::string text = CompilerInputOf(doc);
    const std::string written = text.substr(text.find("[Connection_List]\n") + 18);
    EXPECT_NE(written, "\n\n");
    EXPECT_EQ(written, PlainConnections(doc) + "\n\n") << "round " << round;
    EXPECT_EQ(SaveTrackBytes(*LoadTrackBytes(SaveTrackBytes(doc))), SaveTrackBytes(doc));
  }
}
