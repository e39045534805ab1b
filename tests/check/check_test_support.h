#pragma once
// Tracks on a grid of 10-unit cells for the check's tests: sections share the
// nodes of the grid, so neighbouring cells are connected.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "check/track_checker.h"
#include "support/track_builder.h"

constexpr TrackLength kCell = 10000;

class CheckTest : public ::testing::Test {
 protected:
  TSNode* GridNode(int i, int j) {
    TSNode*& node = m_grid[{i, j}];
    if (!node) node = t.Node(i * kCell, j * kCell);
    return node;
  }
  TSPolygon* Cell(int i, int j) {
    return t.Section(
        {GridNode(i, j), GridNode(i, j + 1), GridNode(i + 1, j + 1), GridNode(i + 1, j)});
  }
  // An item in the middle of a cell, a little off for each row so none share a place.
  TSNode* ItemIn(int i, int j, int row) {
    return t.Item(i * kCell + kCell / 2 + row * 100, j * kCell + kCell / 2, row)->m_pNode;
  }
  // The ten starts in cell (si, sj), the finish and the checkpoints in the others.
  void PlaceRace(std::pair<int, int> starts, std::pair<int, int> finish, std::pair<int, int> check1,
                 std::pair<int, int> check2) {
    for (int row = 0; row < 10; ++row) ItemIn(starts.first, starts.second, row);
    ItemIn(finish.first, finish.second, 10);
    ItemIn(check1.first, check1.second, 11);
    ItemIn(check2.first, check2.second, 12);
  }
  // A polygon made as a damaged file could hold it: any winding, any size.
  TSPolygon* RawPolygon(std::vector<TSNode*> outline, bool feature = false) {
    auto polygon = std::make_unique<TSPolygon>();
    polygon->m_bFeature = feature;
    for (TSNode* node : outline) {
      auto wall = std::make_unique<TSAnchorWall>();
      wall->m_pNode = node;
      wall->m_pPolygon = polygon.get();
      node->m_wallList.push_back(wall.get());
      polygon->m_wallList.push_back(std::move(wall));
    }
    doc.m_polygonList.push_back(std::move(polygon));
    return doc.m_polygonList.back().get();
  }

 public:
  static std::vector<std::string> Format(const std::vector<TrackProblem>& problems) {
    std::vector<std::string> lines;
    for (const TrackProblem& problem : problems) lines.push_back(FormatProblem(problem));
    return lines;
  }

 protected:
  std::vector<std::string> Problems() { return Format(CheckTrackProblems(doc)); }

  CTrassoDoc doc;
  TrackBuilder t{doc};

 private:
  std::map<std::pair<int, int>, TSNode*> m_grid;
};
