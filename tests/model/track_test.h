#pragma once
// A document, a builder and an update probe; every test ends by checking the whole track.
#include <gtest/gtest.h>

#include <limits>

#include "model/track_check.h"
#include "support/track_builder.h"

constexpr TrackLength kMaxCoord = std::numeric_limits<TrackLength>::max();
constexpr TrackLength kMinCoord = std::numeric_limits<TrackLength>::min();

using Nodes = std::vector<TSNode*>;
using Walls = std::vector<TSAnchorWall*>;
using XY = std::pair<TrackLength, TrackLength>;

class TrackTest : public ::testing::Test {
 protected:
  void TearDown() override { ExpectSound(); }
  void ExpectSound() { EXPECT_EQ(CheckTrack(doc), std::vector<std::string>()); }
  // Forgets the building: no flag set, not modified, no update counted.
  void Settle() {
    t.Settle();
    Unmark();
  }
  // Keeps the flags but forgets the updates and the modified mark.
  void Unmark() {
    doc.SetModifiedFlag(false);
    updates.Reset();
  }
  // The operation under test changed the model: one update, and the mark.
  void ExpectChanged() {
    EXPECT_EQ(std::pair(updates.Count(), doc.IsModified()), std::pair(1, true));
  }
  void ExpectUntouched() {
    EXPECT_EQ(std::pair(updates.Count(), doc.IsModified()), std::pair(0, false));
  }
  TSAnchorWall* Wall(TSPolygon* polygon, int i) { return polygon->m_wallList[i].get(); }
  static XY At(const TSNode* node) { return {node->m_x, node->m_y}; }
  Nodes NodeList() const {
    Nodes nodes;
    for (const auto& node : doc.m_nodeList) nodes.push_back(node.get());
    return nodes;
  }

  CTrassoDoc doc;
  TrackBuilder t{doc};
  UpdateCounter updates{doc};
};
