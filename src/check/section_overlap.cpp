#include "check/section_overlap.h"

#include <algorithm>
#include <limits>

#include "model/track_length.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
struct Span {
  TrackArea min = std::numeric_limits<std::int64_t>::max();
  TrackArea max = std::numeric_limits<std::int64_t>::min();
};

// The outline projected on the normal of an edge from (ax, ay) along (nx, ny).
Span Project(const TSPolygon& polygon, std::int64_t ax, std::int64_t ay, std::int64_t nx,
             std::int64_t ny) {
  Span span;
  for (const auto& wall : polygon.m_wallList) {
    const TrackArea d = CrossProduct(nx, ny, wall->m_pNode->m_x - ax, wall->m_pNode->m_y - ay);
    span.min = std::min(span.min, d);
    span.max = std::max(span.max, d);
  }
  return span;
}

// Whether a normal of an edge of `edges` separates the two outlines, touching
// allowed.
bool EdgeSeparates(const TSPolygon& edges, const TSPolygon& a, const TSPolygon& b) {
  const auto& walls = edges.m_wallList;
  for (std::size_t i = 0; i < walls.size(); ++i) {
    const TSNode* p = walls[i]->m_pNode;
    const TSNode* q = walls[(i + 1) % walls.size()]->m_pNode;
    const std::int64_t nx = std::int64_t{q->m_x} - p->m_x, ny = std::int64_t{q->m_y} - p->m_y;
    if (nx == 0 && ny == 0) continue;
    const Span sa = Project(a, p->m_x, p->m_y, nx, ny);
    const Span sb = Project(b, p->m_x, p->m_y, nx, ny);
    if (sa.max <= sb.min || sb.max <= sa.min) return true;
  }
  return false;
}
}  // namespace

bool OutlinesOverlap(const TSPolygon& a, const TSPolygon& b) {
  if (a.m_wallList.size() < 3 || b.m_wallList.size() < 3) return false;
  return !EdgeSeparates(a, a, b) && !EdgeSeparates(b, a, b);
}
