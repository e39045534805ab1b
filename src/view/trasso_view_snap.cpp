// Snapping to the grid: the points of new nodes and the end of a move.

#include <limits>

#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "view/trasso_view.h"
#include "view/view_services.h"

GridOptions CTrassoView::GetGridOptions() const {
  const CViewServices* services = GetViewServices();
  return services ? services->GetGridOptions() : GridOptions();
}

WorldPoint CTrassoView::SnapToGrid(WorldPoint world) const {
  const GridOptions grid = GetGridOptions();
  if (!grid.bSnap) return world;
  return {::SnapToGrid(world.x, grid.spacing), ::SnapToGrid(world.y, grid.spacing)};
}

TSNode* CTrassoView::NodeOnSnappedPoint(WorldPoint world) const {
  if (!GetGridOptions().bSnap) return nullptr;
  const CTrassoDoc* doc = GetDocument();
  for (POSITION pos = doc->GetFirstNodePosition(); pos;) {
    TSNode* node = doc->GetNextNode(pos);
    if (node->m_x == world.x && node->m_y == world.y) return node;
  }
  return nullptr;
}

void CTrassoView::GrabNearestSelectedNode(QPoint p) {
  m_path.clear();
  TSNode* nearest = nullptr;
  std::int64_t best = std::numeric_limits<std::int64_t>::max();
  const CTrassoDoc* doc = GetDocument();
  for (POSITION pos = doc->GetFirstNodePosition(); pos;) {
    TSNode* node = doc->GetNextNode(pos);
    if (!node->m_bSelected) continue;
    const QPoint at = WorldToLogical(node->m_x, node->m_y);
    const std::int64_t dx = at.x() - std::int64_t{p.x()}, dy = at.y() - std::int64_t{p.y()};
    if (dx * dx + dy * dy < best) best = dx * dx + dy * dy, nearest = node;
  }
  if (!nearest) return;
  m_path.push_back(nearest);
  m_grabStart = {nearest->m_x, nearest->m_y};
}

// Moving the whole selection by the grabbed node's distance to the grid keeps
// the shape of what is moved; each node saturates on its own at the limits.
void CTrassoView::SnapGrabbedNode() {
  // Only a release that ends a drag: a stray one must not move anything.
  if (!m_bDragStepOpen || m_path.size() != 1) return;
  const TSNode& grabbed = *m_path.front();
  const WorldPoint at{grabbed.m_x, grabbed.m_y};
  if (at == m_grabStart) return;
  const WorldPoint snapped = SnapToGrid(at);
  GetDocument()->MoveSelectedNodes(SaturateToTrackLength(std::int64_t{snapped.x} - at.x),
                                   SaturateToTrackLength(std::int64_t{snapped.y} - at.y));
}
