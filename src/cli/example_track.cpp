#include "cli/example_track.h"

#include <array>
#include <vector>

#include "model/trasso_doc.h"
#include "model/ts_item.h"
#include "model/ts_node.h"

namespace {
// The loop is a 4 × 3 grid of square sections without its two middle ones.
constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr TrackLength kCell = 20000;  // 20.000 world units
constexpr TrackLength kCeiling = 4000;
// Where the loop's lower left corner lies: in the part of the plan that a new
// window shows first.
constexpr TrackLength kLeft = 10000;
constexpr TrackLength kBottom = 135000;

// Item rows: starting positions 1 to 10 are rows 0 to 9.
constexpr int kFinishLine = 10;
constexpr int kCheckPoint1 = 11;
constexpr int kCheckPoint2 = 12;
// Wall texture rows the sections cycle through, for a track that shows some.
constexpr std::array<int, 3> kWallRows = {1, 2, 20};

bool IsLoopCell(int column, int row) {
  return !(row == 1 && (column == 1 || column == 2));
}

// Nodes are placed relative to the loop's lower left corner.
TSNode* AddNode(CTrassoDoc& doc, TrackLength x, TrackLength y) {
  return doc.AddNode(kLeft + x, kBottom + y, false);
}

void AddItem(CTrassoDoc& doc, TrackLength x, TrackLength y, int type, int orientation) {
  TSNode* node = AddNode(doc, x, y);
  doc.AttachItem(node, type);
  node->m_pItem->m_nOrientation = orientation;
}
}  // namespace

void BuildExampleTrack(CTrassoDoc& doc) {
  std::array<std::array<TSNode*, kRows + 1>, kColumns + 1> grid{};
  for (int c = 0; c <= kColumns; ++c) {
    for (int r = 0; r <= kRows; ++r) grid[c][r] = AddNode(doc, c * kCell, r * kCell);
  }
  int section = 0;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      if (!IsLoopCell(c, r)) continue;
      std::vector<TSNode*> outline{grid[c][r], grid[c][r + 1], grid[c + 1][r + 1], grid[c + 1][r]};
      const int wall = kWallRows[section++ % kWallRows.size()];
      doc.CreatePolygon(false, outline, 0, kCeiling, wall, 0, 0, false);
    }
  }

  // A raised block in the first corner.
  std::vector<TSNode*> block{AddNode(doc, 6000, 6000), AddNode(doc, 6000, 12000),
                             AddNode(doc, 12000, 12000), AddNode(doc, 12000, 6000)};
  doc.CreatePolygon(true, block, 0, 1500, kWallRows[0], 0, 0, false);

  // The grid on the bottom row, two abreast, facing along the loop.
  for (int i = 0; i < 10; ++i) {
    const TrackLength x = 24000 + (i / 2) * 7000;
    const TrackLength y = (i % 2) ? 14000 : 6000;
    AddItem(doc, x, y, i, 90000);
  }
  AddItem(doc, 62000, 30000, kFinishLine, 0);
  AddItem(doc, 50000, 50000, kCheckPoint1, 270000);
  AddItem(doc, 10000, 30000, kCheckPoint2, 180000);
  doc.SetModifiedFlag(false);
}
