#include "support/track_generator.h"

#include "model/track_file.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

constexpr TrackLength kCell = 10000;  // 10 units
constexpr TrackLength kInset = 3000;  // features stand 3 units inside their section

std::unique_ptr<CTrassoDoc> GenerateGridTrack(int n) {
  auto doc = std::make_unique<CTrassoDoc>();
  std::vector<TSNode*> grid;
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) grid.push_back(doc->AddNode(i * kCell, j * kCell, false));
  auto at = [&](int i, int j) { return grid[static_cast<std::size_t>(j) * (n + 1) + i]; };
  // Outlines clockwise in the plan: up the left side, along the top, down the right.
  auto square = [&](bool feature, std::vector<TSNode*> path, int cell) {
    doc->CreatePolygon(feature, path, feature ? 1000 : 0, 4000, cell % 23, cell % 7, cell % 8,
                       false);
  };
  for (int cell = 0; cell < n * n; ++cell) {
    const int i = cell % n, j = cell / n;
    square(false, {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)}, cell);
    if (cell % 10 != 0) continue;
    const TrackLength x0 = i * kCell + kInset, y0 = j * kCell + kInset;
    const TrackLength x1 = x0 + kCell - 2 * kInset, y1 = y0 + kCell - 2 * kInset;
    square(true,
           {doc->AddNode(x0, y0, false), doc->AddNode(x0, y1, false), doc->AddNode(x1, y1, false),
            doc->AddNode(x1, y0, false)},
           1);
  }
  // The ten starting positions and eight free elements stand in the first row, off the features.
  for (int slot = 0; slot < 18; ++slot) {
    const int i = slot % n, j = (slot / n) % n;
    TSNode* node = doc->AddNode(i * kCell + kCell / 5, j * kCell + kCell / 2 + slot + 1, false);
    doc->AttachItem(node, slot);
  }
  // Handed over as a file opens: no history, and the objects laid out in memory as the
  // loader lays them, which the figures of the benchmarks depend on.
  return LoadTrackBytes(SaveTrackBytes(*doc));
}

void SelectEverything(CTrassoDoc& doc) {
  for (auto& node : doc.m_nodeList) node->m_bSelected = 1;
  for (auto& polygon : doc.m_polygonList)
    for (auto& wall : polygon->m_wallList) wall->m_bSelected = 1;
}
