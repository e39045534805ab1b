#include "model/ts_anchor_wall.h"

#include <algorithm>

#include "model/ts_node.h"
#include "model/ts_polygon.h"

TRASSO_IMPLEMENT_DYNAMIC(TSAnchorWall, TSSelectable, 1);
TRASSO_IMPLEMENT_POOLED(TSAnchorWall)

TSAnchorWall::~TSAnchorWall() {
  if (!m_pNode) return;
  auto& walls = m_pNode->m_wallList;
  auto it = std::find(walls.begin(), walls.end(), this);
  if (it != walls.end()) walls.erase(it);
}

TSAnchorWall* TSAnchorWall::GetNextWall() const {
  if (!m_pPolygon) return nullptr;
  const auto& walls = m_pPolygon->m_wallList;
  const int i = m_pPolygon->IndexOfWall(this);
  if (i < 0) return nullptr;
  return walls[(static_cast<std::size_t>(i) + 1) % walls.size()].get();
}

TSAnchorWall* TSAnchorWall::GetPrevWall() const {
  if (!m_pPolygon) return nullptr;
  const auto& walls = m_pPolygon->m_wallList;
  // Searched from the tail, so a wall listed twice finds its last entry.
  for (std::size_t i = walls.size(); i-- > 0;) {
    if (walls[i].get() == this) return walls[(i + walls.size() - 1) % walls.size()].get();
  }
  return nullptr;
}
