// Hit tests of the mouse tools and the hover highlight. Logical coordinates
// can lie anywhere in 32 bits at great zoom, so differences, squares and cross
// products are computed wide.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "view/trasso_view.h"

namespace {
constexpr int kNodeReach = 10;  // a node's disc
constexpr int kWallReach = 21;  // a wall's corner wedge

// Holds the edges at the smaller coordinates, not those at the greater.
struct HalfOpenRect {
  std::int64_t left, bottom, right, top;

  static HalfOpenRect Spanning(QPoint a, QPoint c) {
    return {std::min(a.x(), c.x()), std::min(a.y(), c.y()), std::max(a.x(), c.x()),
            std::max(a.y(), c.y())};
  }
  // A negative amount shrinks; shrunk past empty, the rectangle holds nothing.
  HalfOpenRect Grown(int amount) const {
    return {left - amount, bottom - amount, right + amount, top + amount};
  }
  bool Contains(std::int64_t x, std::int64_t y) const {
    return left <= x && x < right && bottom <= y && y < top;
  }
  bool Contains(QPoint p) const { return Contains(p.x(), p.y()); }
  // The logical rectangle to ask the track index about, within 32 bits.
  QRect Reach() const {
    const auto clamp = [](std::int64_t v) {
      return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return QRect(QPoint(clamp(left), clamp(bottom)), QPoint(clamp(right), clamp(top)));
  }
};

// One unit from `from` toward `to`: each component is −1, 0 or +1, and non-zero
// only when the direction lies along an axis. Null when the points coincide.
std::optional<QPoint> ProbeStep(QPoint from, QPoint to) {
  const double dx = double(to.x()) - from.x(), dy = double(to.y()) - from.y();
  const double length = std::hypot(dx, dy);
  if (length == 0) return std::nullopt;
  return QPoint(static_cast<int>(dx / length), static_cast<int>(dy / length));
}

TrackArea Cross(std::int64_t ax, std::int64_t ay, QPoint from, QPoint to) {
  return CrossProduct(ax, ay, std::int64_t{to.x()} - from.x(), std::int64_t{to.y()} - from.y());
}

// A wall anchored at a node inside the band's border strip is selected when
// the points one unit from its corner toward both neighbours lie in the band.
bool ProbesInside(const CTrassoView& view, const TSAnchorWall& wall, QPoint corner,
                  const HalfOpenRect& band) {
  for (const TSAnchorWall* neighbour : {wall.GetPrevWall(), wall.GetNextWall()}) {
    if (!neighbour) return false;
    const QPoint to = view.WorldToLogical(neighbour->m_pNode->m_x, neighbour->m_pNode->m_y);
    const std::optional<QPoint> step = ProbeStep(corner, to);
    if (!step) return false;
    if (!band.Contains(std::int64_t{corner.x()} + step->x(),
                       std::int64_t{corner.y()} + step->y())) {
      return false;
    }
  }
  return true;
}
}  // namespace

TSNode* CTrassoView::FindNearestNode(QPoint p, int tolerance, const TSNode* excluded) const {
  std::int64_t best = std::int64_t{tolerance} * tolerance;
  TSNode* found = nullptr;
  const auto& nodes = GetDocument()->m_nodeList;
  const HalfOpenRect reach = HalfOpenRect::Spanning(p, p).Grown(tolerance);
  for (const std::uint32_t at : NodesNear(reach.Reach())) {
    const auto& node = nodes[at];
    if (node.get() == excluded) continue;
    const QPoint n = WorldToLogical(node->m_x, node->m_y);
    const std::int64_t dx = std::abs(std::int64_t{n.x()} - p.x());
    const std::int64_t dy = std::abs(std::int64_t{n.y()} - p.y());
    if (dx > tolerance || dy > tolerance) continue;
    if (dx * dx + dy * dy <= best) {
      best = dx * dx + dy * dy;
      found = node.get();
    }
  }
  return found;
}

TSSelectable* CTrassoView::HitTest(QPoint p) const {
  TSNode* node = FindNearestNode(p, kWallReach, nullptr);
  if (!node) return nullptr;
  const QPoint n = WorldToLogical(node->m_x, node->m_y);
  const std::int64_t dx = std::int64_t{p.x()} - n.x(), dy = std::int64_t{p.y()} - n.y();
  if (dx * dx + dy * dy <= kNodeReach * kNodeReach) return node;
  // Inside the wedge: strictly left of the ray to the next corner and strictly
  // right of the ray to the previous one.
  for (TSAnchorWall* wall : node->m_wallList) {
    const TSAnchorWall* next = wall->GetNextWall();
    const TSAnchorWall* prev = wall->GetPrevWall();
    if (!next || !prev) continue;
    const QPoint u = WorldToLogical(next->m_pNode->m_x, next->m_pNode->m_y);
    const QPoint v = WorldToLogical(prev->m_pNode->m_x, prev->m_pNode->m_y);
    if (Cross(dx, dy, n, u) > 0 && Cross(dx, dy, n, v) < 0) return wall;
  }
  return nullptr;
}

void CTrassoView::ToggleSelectionAt(QPoint p) {
  TSSelectable* hit = HitTest(p);
  if (!hit) return;
  if (hit->m_bSelected) {
    hit->m_bSelected = 0;
  } else {
    GetDocument()->Select(*hit);
  }
  GetDocument()->UpdateAllViews(nullptr, 0, nullptr);
}

void CTrassoView::SelectInRect(QPoint a, QPoint c) {
  const HalfOpenRect band = HalfOpenRect::Spanning(a, c);
  const HalfOpenRect outer = band.Grown(kWallReach);
  const HalfOpenRect inner = band.Grown(-kWallReach);
  const HalfOpenRect middle = band.Grown(-kNodeReach);
  bool changed = false;
  CTrassoDoc& doc = *GetDocument();
  for (const std::uint32_t at : NodesNear(outer.Reach())) {
    const auto& node = doc.m_nodeList[at];
    const QPoint n = WorldToLogical(node->m_x, node->m_y);
    if (!outer.Contains(n)) continue;
    if (inner.Contains(n)) {
      doc.Select(*node);
      for (TSAnchorWall* wall : node->m_wallList) doc.Select(*wall);
      changed = true;
      continue;
    }
    if (middle.Contains(n)) {
      doc.Select(*node);
      changed = true;
    }
    for (TSAnchorWall* wall : node->m_wallList) {
      if (!ProbesInside(*this, *wall, n, band)) continue;
      doc.Select(*wall);
      changed = true;
    }
  }
  if (changed) doc.UpdateAllViews(nullptr, 0, nullptr);
}

// Only the hover sets m_bHighlighted, and only on nodes (files and the model
// never do), so the nodes the views of a document remember are the only
// highlights it can hold. Clearing those instead of calling ClearSelection
// spares a walk over every wall of the track on each mouse move.
void CTrassoView::HoverHighlight(QPoint p) {
  TSNode* node = FindNearestNode(p, kNodeReach, nullptr);
  if (node && node->m_bHighlighted) return;
  const bool cleared = ClearHoverMarks();
  if (node) {
    node->m_bHighlighted = 1;
    m_pHoverNode = node;
  }
  if (node || cleared) GetDocument()->UpdateAllViews(nullptr, 0, nullptr);
}

bool CTrassoView::ClearHoverMarks() const {
  bool cleared = false;
  for (CTrassoView* view : s_allViews) {
    if (view->GetDocument() != GetDocument() || !view->m_pHoverNode) continue;
    cleared = cleared || view->m_pHoverNode->m_bHighlighted;
    view->m_pHoverNode->m_bHighlighted = 0;
    view->m_pHoverNode = nullptr;
  }
  return cleared;
}
