#include "check/polygon_grid.h"

#include <algorithm>
#include <cmath>

namespace {
// A box covering more cells than this is tested against every query instead,
// so that a few huge polygons cannot fill the grid.
constexpr std::int64_t kMaxCellsPerBox = 16;

template <class Ids>
void Erase(Ids& ids, std::uint32_t id) {
  const auto at = std::find(ids.begin(), ids.end(), id);
  if (at == ids.end()) return;
  *at = ids.back();
  ids.pop_back();
}
}  // namespace

void CPolygonGrid::Build(const std::vector<GridBox>& boxes) {
  m_boxes = boxes;
  m_large.clear();
  m_cells.clear();
  if (boxes.empty()) {
    m_cells.resize(1);
    m_columns = m_rows = 1;
    return;
  }
  GridBox all = boxes.front();
  for (const GridBox& b : boxes) {
    all = {std::min(all.minX, b.minX), std::min(all.minY, b.minY), std::max(all.maxX, b.maxX),
           std::max(all.maxY, b.maxY)};
  }
  const std::int64_t width = all.maxX - all.minX + 1, height = all.maxY - all.minY + 1;
  const auto count = static_cast<double>(boxes.size());
  m_cellSize = std::max<std::int64_t>(
      1, static_cast<std::int64_t>(std::ceil(std::sqrt(double(width) * double(height) / count))));
  // Doubled until long thin tracks keep the grid within bounds.
  for (;;) {
    m_columns = (width + m_cellSize - 1) / m_cellSize;
    m_rows = (height + m_cellSize - 1) / m_cellSize;
    if (double(m_columns) * double(m_rows) <= 4 * count + 4) break;
    m_cellSize *= 2;
  }
  m_originX = all.minX;
  m_originY = all.minY;
  m_cells.resize(static_cast<std::size_t>(m_columns * m_rows));
  for (std::uint32_t id = 0; id < m_boxes.size(); ++id) File(id);
}

void CPolygonGrid::Move(std::uint32_t id, const GridBox& box) {
  Unfile(id);
  m_boxes[id] = box;
  File(id);
}

CPolygonGrid::Cells CPolygonGrid::CellsOf(const GridBox& box) const {
  auto column = [&](std::int64_t x) {
    return std::clamp<std::int64_t>((x - m_originX) / m_cellSize, 0, m_columns - 1);
  };
  auto row = [&](std::int64_t y) {
    return std::clamp<std::int64_t>((y - m_originY) / m_cellSize, 0, m_rows - 1);
  };
  return {column(box.minX), row(box.minY), column(box.maxX), row(box.maxY)};
}

bool CPolygonGrid::IsLarge(const Cells& cells) const {
  return (cells.x1 - cells.x0 + 1) * (cells.y1 - cells.y0 + 1) > kMaxCellsPerBox;
}

void CPolygonGrid::File(std::uint32_t id) {
  const Cells cells = CellsOf(m_boxes[id]);
  if (IsLarge(cells)) {
    m_large.push_back(id);
    return;
  }
  for (std::int64_t cy = cells.y0; cy <= cells.y1; ++cy)
    for (std::int64_t cx = cells.x0; cx <= cells.x1; ++cx)
      m_cells[static_cast<std::size_t>(cy * m_columns + cx)].push_back(id);
}

void CPolygonGrid::Unfile(std::uint32_t id) {
  const Cells cells = CellsOf(m_boxes[id]);
  if (IsLarge(cells)) {
    Erase(m_large, id);
    return;
  }
  for (std::int64_t cy = cells.y0; cy <= cells.y1; ++cy)
    for (std::int64_t cx = cells.x0; cx <= cells.x1; ++cx)
      Erase(m_cells[static_cast<std::size_t>(cy * m_columns + cx)], id);
}
