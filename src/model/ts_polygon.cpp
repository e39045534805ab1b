#include "model/ts_polygon.h"

#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"

TRASSO_IMPLEMENT_DYNAMIC(TSPolygon, CObject, 1);
TRASSO_IMPLEMENT_POOLED(TSPolygon)

TSPolygon::~TSPolygon() {
  for (auto& wall : m_wallList) wall.reset();
  m_wallList.clear();
}

int TSPolygon::IndexOfWall(const TSAnchorWall* wall) const {
  for (std::size_t i = 0; i < m_wallList.size(); ++i) {
    if (m_wallList[i].get() == wall) return static_cast<int>(i);
  }
  return -1;
}

bool TSPolygon::IsInside(TrackLength x, TrackLength y) const {
  bool left = false, right = false, below = false, above = false;
  for (const auto& wall : m_wallList) {
    const TSNode* n = wall->m_pNode;
    left |= n->m_x <= x;
    right |= n->m_x >= x;
    below |= n->m_y <= y;
    above |= n->m_y >= y;
  }
  if (!(left && right && below && above)) return false;

  const std::size_t count = m_wallList.size();
  for (std::size_t i = 0; i < count; ++i) {
    const TSNode* p = m_wallList[i]->m_pNode;
    const TSNode* r = m_wallList[(i + 1) % count]->m_pNode;
    // d = (R.y − P.y)(x − P.x) − (R.x − P.x)(y − P.y)
    const TrackArea d = CrossProduct(std::int64_t{r->m_y} - p->m_y, std::int64_t{r->m_x} - p->m_x,
                                     std::int64_t{y} - p->m_y, std::int64_t{x} - p->m_x);
    if (d < 0) return false;
  }
  return true;
}
