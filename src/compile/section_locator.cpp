#include "compile/section_locator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
// A section whose box covers more cells than this is tested for every point
// instead, so that a few huge sections cannot blow up the index.
constexpr std::int64_t kMaxCellsPerSection = 16;
}  // namespace

CSectionLocator::CSectionLocator(const CTrassoDoc& doc) {
  std::vector<Box> boxes;
  for (const auto& polygon : doc.m_polygonList) {
    // A polygon without walls contains nothing, so it can never be the answer.
    if (polygon->m_bFeature || polygon->m_wallList.empty()) continue;
    Box box{std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(),
            std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min()};
    for (const auto& wall : polygon->m_wallList) {
      box.minX = std::min<std::int64_t>(box.minX, wall->m_pNode->m_x);
      box.minY = std::min<std::int64_t>(box.minY, wall->m_pNode->m_y);
      box.maxX = std::max<std::int64_t>(box.maxX, wall->m_pNode->m_x);
      box.maxY = std::max<std::int64_t>(box.maxY, wall->m_pNode->m_y);
    }
    m_sections.push_back(polygon.get());
    boxes.push_back(box);
  }
  if (!m_sections.empty()) Index(boxes);
}

void CSectionLocator::Index(const std::vector<Box>& boxes) {
  Box all = boxes.front();
  for (const Box& b : boxes) {
    all = {std::min(all.minX, b.minX), std::min(all.minY, b.minY), std::max(all.maxX, b.maxX),
           std::max(all.maxY, b.maxY)};
  }
  const std::int64_t width = all.maxX - all.minX + 1, height = all.maxY - all.minY + 1;
  const auto count = static_cast<std::int64_t>(boxes.size());
  // About one cell per section; doubled until long thin tracks stay within bounds.
  m_cellSize = std::max<std::int64_t>(
      1, static_cast<std::int64_t>(std::ceil(std::sqrt(double(width) * double(height) / count))));
  for (;;) {
    m_columns = (width + m_cellSize - 1) / m_cellSize;
    m_rows = (height + m_cellSize - 1) / m_cellSize;
    if (m_columns * m_rows <= 4 * count + 4) break;
    m_cellSize *= 2;
  }
  m_originX = all.minX;
  m_originY = all.minY;

  // Two passes: count the entries of each cell, then fill them in list order.
  m_cellStart.assign(static_cast<std::size_t>(m_columns * m_rows + 1), 0);
  auto forEachCell = [&](const Box& b, auto visit) {
    for (std::int64_t cy = CellY(b.minY); cy <= CellY(b.maxY); ++cy) {
      for (std::int64_t cx = CellX(b.minX); cx <= CellX(b.maxX); ++cx) {
        visit(static_cast<std::size_t>(cy * m_columns + cx));
      }
    }
  };
  auto isLarge = [&](const Box& b) {
    return (CellX(b.maxX) - CellX(b.minX) + 1) * (CellY(b.maxY) - CellY(b.minY) + 1) >
           kMaxCellsPerSection;
  };
  for (const Box& b : boxes) {
    if (!isLarge(b)) forEachCell(b, [&](std::size_t c) { ++m_cellStart[c + 1]; });
  }
  for (std::size_t c = 1; c < m_cellStart.size(); ++c) m_cellStart[c] += m_cellStart[c - 1];
  m_cellEntries.resize(m_cellStart.back());
  std::vector<std::uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
  for (std::uint32_t i = 0; i < boxes.size(); ++i) {
    if (isLarge(boxes[i])) {
      m_large.push_back(i);
    } else {
      forEachCell(boxes[i], [&](std::size_t c) { m_cellEntries[fill[c]++] = i; });
    }
  }
}

std::int64_t CSectionLocator::CellX(std::int64_t x) const {
  return (x - m_originX) / m_cellSize;
}
std::int64_t CSectionLocator::CellY(std::int64_t y) const {
  return (y - m_originY) / m_cellSize;
}

const std::uint32_t* CSectionLocator::FirstContaining(const std::uint32_t* begin,
                                                      const std::uint32_t* end, TrackLength x,
                                                      TrackLength y) const {
  for (const std::uint32_t* i = begin; i != end; ++i) {
    if (m_sections[*i]->IsInside(x, y)) return i;
  }
  return end;
}

TSPolygon* CSectionLocator::FindSection(TrackLength x, TrackLength y) const {
  if (m_sections.empty()) return nullptr;
  const std::int64_t cx = x < m_originX ? -1 : CellX(x), cy = y < m_originY ? -1 : CellY(y);
  if (cx < 0 || cy < 0 || cx >= m_columns || cy >= m_rows) return nullptr;

  const auto cell = static_cast<std::size_t>(cy * m_columns + cx);
  const std::uint32_t* cellEnd = m_cellEntries.data() + m_cellStart[cell + 1];
  const std::uint32_t* inCell =
      FirstContaining(m_cellEntries.data() + m_cellStart[cell], cellEnd, x, y);
  // A large section earlier in the list wins over the cell's answer.
  const std::uint32_t* largeEnd = m_large.data() + m_large.size();
  if (inCell != cellEnd) largeEnd = std::lower_bound(m_large.data(), largeEnd, *inCell);
  const std::uint32_t* large = FirstContaining(m_large.data(), largeEnd, x, y);
  if (large != largeEnd) return m_sections[*large];
  return inCell != cellEnd ? m_sections[*inCell] : nullptr;
}
