#include "support/track_generator.h"

#include <vector>

#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
constexpr TrackLength kCell = 10000;  // 10 units
constexpr TrackLength kInset = 3000;  // features stand 3 units inside their section
constexpr int kFreeElements[] = {10, 11, 12, 13, 14, 15, 16, 17};

std::vector<TSNode*> Square(CTrassoDoc& doc, TrackLength x0, TrackLength y0, TrackLength x1,
                            TrackLength y1) {
  // Clockwise in the plan: up the left side, along the top, down the right.
  return {doc.AddNode(x0, y0, false), doc.AddNode(x0, y1, false), doc.AddNode(x1, y1, false),
          doc.AddNode(x1, y0, false)};
}
}  // namespace

std::unique_ptr<CTrassoDoc> GenerateGridTrack(int n) {
  auto doc = std::make_unique<CTrassoDoc>();
  std::vector<TSNode*> grid;
  grid.reserve(static_cast<std::size_t>(n + 1) * (n + 1));
  for (int j = 0; j <= n; ++j) {
    for (int i = 0; i <= n; ++i) grid.push_back(doc->AddNode(i * kCell, j * kCell, false));
  }
  auto at = [&](int i, int j) { return grid[static_cast<std::size_t>(j) * (n + 1) + i]; };

  int cell = 0;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i, ++cell) {
      std::vector<TSNode*> path = {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)};
      doc->CreatePolygon(false, path, 0, 4000, cell % 23, cell % 7, cell % 8, false);
      if (cell % 10 == 0) {
        const TrackLength x = i * kCell, y = j * kCell;
        std::vector<TSNode*> feature =
            Square(*doc, x + kInset, y + kInset, x + kCell - kInset, y + kCell - kInset);
        doc->CreatePolygon(true, feature, 1000, 4000, 1, 1, 1, false);
      }
    }
  }

  // Items stand in the first row of sections, off the features.
  int slot = 0;
  auto place = [&](int type) {
    const int i = slot % n, j = (slot / n) % n;
    ++slot;
    TSNode* node = doc->AddNode(i * kCell + kCell / 5, j * kCell + kCell / 2 + slot, false);
    doc->AttachItem(node, type);
  };
  for (int type = 0; type < 10; ++type) place(type);
  for (int type : kFreeElements) place(type);

  doc->SetModifiedFlag(false);
  return doc;
}

void SelectEverything(CTrassoDoc& doc) {
  for (auto& node : doc.m_nodeList) node->m_bSelected = 1;
  for (auto& polygon : doc.m_polygonList) {
    for (auto& wall : polygon->m_wallList) wall->m_bSelected = 1;
  }
}
