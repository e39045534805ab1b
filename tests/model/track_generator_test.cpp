#include "support/track_generator.h"

#include <gtest/gtest.h>

#include "model/track_check.h"
#include "model/ts_polygon.h"

TEST(TrackGenerator, GridSharesNodesAndPassesTheCheck) {
  auto doc = GenerateGridTrack(10);
  // 11 × 11 grid nodes, 10 features of 4 nodes, 18 items on nodes of their own.
  EXPECT_EQ(doc->m_nodeList.size(), 121u + 40u + 18u);
  EXPECT_EQ(doc->m_polygonList.size(), 100u + 10u);
  EXPECT_TRUE(CheckTrack(*doc).empty());
  // Sections keep the traced clockwise order: the first section starts at the origin.
  EXPECT_TRUE(doc->m_polygonList[0]->IsInside(5000, 5000));
  EXPECT_FALSE(doc->IsModified());
}
