#pragma once
// A uniform grid over the bounding boxes of a track's polygons, kept current
// as they move, so that the check finds the polygons near a point or a box
// without looking at every polygon of the track.

#include <cstdint>
#include <vector>

#include "platform/pooled_list_allocator.h"

struct GridBox {
  std::int64_t minX, minY, maxX, maxY;
  bool Overlaps(const GridBox& other) const {
    return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
  }
};

class CPolygonGrid {
 public:
  // Sizes the cells for `boxes` (about one polygon per cell) and files box i
  // under id i. Boxes may later move anywhere: the outermost cells take
  // whatever lies beyond them.
  void Build(const std::vector<GridBox>& boxes);
  void Move(std::uint32_t id, const GridBox& box);
  const GridBox& Box(std::uint32_t id) const { return m_boxes[id]; }

  // Calls visit(id) once for every id whose box overlaps `box`.
  template <class Visit>
  void Query(const GridBox& box, Visit visit) const {
    for (const std::uint32_t id : m_large)
      if (m_boxes[id].Overlaps(box)) visit(id);
    const Cells cells = CellsOf(box);
    for (std::int64_t cy = cells.y0; cy <= cells.y1; ++cy) {
      for (std::int64_t cx = cells.x0; cx <= cells.x1; ++cx) {
        for (const std::uint32_t id : m_cells[static_cast<std::size_t>(cy * m_columns + cx)]) {
          const GridBox& b = m_boxes[id];
          // An id filed under several cells is visited from the first cell
          // that both boxes cover.
          const Cells own = CellsOf(b);
          if (b.Overlaps(box) && cx == std::max(cells.x0, own.x0) &&
              cy == std::max(cells.y0, own.y0))
            visit(id);
        }
      }
    }
  }

 private:
  struct Cells {
    std::int64_t x0, y0, x1, y1;
  };
  Cells CellsOf(const GridBox& box) const;
  bool IsLarge(const Cells& cells) const;
  void File(std::uint32_t id);
  void Unfile(std::uint32_t id);

  std::vector<GridBox> m_boxes;
  // By row, then column; a cell's few ids from the pools of short lists.
  std::vector<std::vector<std::uint32_t, CPooledListAllocator<std::uint32_t>>> m_cells;
  std::vector<std::uint32_t> m_large;               // boxes over too many cells
  std::int64_t m_originX = 0, m_originY = 0, m_cellSize = 1, m_columns = 1, m_rows = 1;
};
