#include "view/drawn_marks.h"

#include <cmath>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/qt/dc.h"
#include "resource_ids.h"
#include "view/compact_marks.h"
#include "view/drawing_objects.h"
#include "view/item_marks.h"
#include "view/mark_shapes.h"
#include "view/trasso_view.h"

int MarkReach(const CDC& dc) {
  const int marks = GetViewOptions().bItemLabels ? kItemMarkReach : kWedgeRadius;
  return marks + static_cast<int>(std::ceil(4 * dc.GetLogicalPerPixel()));
}

QRect ChangedDeviceArea(const std::optional<QRect>& changed, const CDC& dc, int reach,
                        const QRect& window) {
  if (!changed) return window;
  if (changed->isNull()) return QRect();
  const QRect logical = changed->adjusted(-reach, -reach, reach, reach);
  const QRect device =
      QRect(dc.LPtoDP(logical.topLeft()), dc.LPtoDP(logical.bottomRight())).normalized();
  return device.adjusted(-1, -1, 1, 1) & window;
}

namespace {
QRect BoundingBox(const QPoint* points, std::size_t count) {
  QRect box;
  for (std::size_t i = 0; i < count; ++i) box |= QRect(points[i], QSize(1, 1));
  return box;
}
}  // namespace

void CDrawnMarks::Record(const CTrassoView& view, const QRect& page, int reach) {
  m_bValid = true;
  m_dScale = view.m_dScale;
  m_page = page;
  m_options = GetViewOptions();
  m_bCompact = DrawsCompactMarks(view);
  m_corners.clear();
  m_polygons.clear();
  m_nodes.clear();
  m_feedback.clear();

  // The same test of sight as the drawing's.
  const QRect sight = page.adjusted(-reach, -reach, reach, reach);
  const CTrassoDoc* doc = view.GetDocument();
  for (const std::uint32_t index : view.PolygonsNear(sight)) {
    const TSPolygon* polygon = doc->m_polygonList[index].get();
    const QRect box = view.LogicalBox(*polygon);
    if (!box.intersects(sight)) continue;
    const int first = static_cast<int>(m_corners.size());
    for (const auto& wall : polygon->m_wallList) {
      m_corners.push_back({view.WorldToLogical(wall->m_pNode->m_x, wall->m_pNode->m_y),
                           &WedgeBrush(*wall), wall->m_bSelected != 0});
    }
    const int count = static_cast<int>(polygon->m_wallList.size());
    m_polygons.push_back(
        {static_cast<int>(index), polygon, PolygonFill(*polygon), first, count, box});
  }
  for (const std::uint32_t index : view.NodesNear(sight)) {
    const TSNode* node = doc->m_nodeList[index].get();
    const QPoint p = view.WorldToLogical(node->m_x, node->m_y);
    if (!sight.contains(p)) continue;
    const TSItem* item = node->m_pItem.get();
    m_nodes.push_back({static_cast<int>(index), node, p, &NodeBrush(*node),
                       item ? item->m_nType : -1, item ? item->m_nOrientation : 0});
  }

  // The same conditions as the drawing of the feedback.
  const int tool = view.m_nTool;
  m_bBand = tool == ID_TOOL_SELECT && view.m_bButtonDown && view.m_ptCurrent != view.m_ptAnchor;
  if (m_bBand) m_feedback = {view.m_ptAnchor, view.m_ptCurrent};
  if (tool == ID_TOOL_ADD_SECTION || tool == ID_TOOL_ADD_FEATURE) {
    for (const TSNode* node : view.m_path) {
      m_feedback.push_back(view.WorldToLogical(node->m_x, node->m_y));
    }
  }
}

bool CDrawnMarks::SameCorners(const PolygonMark& mine, const CDrawnMarks& other,
                              const PolygonMark& theirs) const {
  if (mine.fill != theirs.fill || mine.corners != theirs.corners) return false;
  const auto begin = m_corners.begin() + mine.firstCorner;
  return std::equal(begin, begin + mine.corners, other.m_corners.begin() + theirs.firstCorner);
}

namespace {
// Walks two records' marks of one kind in list order. A mark in sight in only
// one of them changed; marks at the same place are compared by `same`. False
// when a place holds another object.
template <typename Mark, typename Same>
bool AddChangedMarks(const std::vector<Mark>& now, const std::vector<Mark>& was, Same same,
                     QRect& changed) {
  std::size_t i = 0, j = 0;
  while (i < now.size() || j < was.size()) {
    if (i < now.size() && j < was.size() && now[i].index == was[j].index) {
      if (now[i].Object() != was[j].Object()) return false;
      if (!same(now[i], was[j])) changed |= now[i].Box() | was[j].Box();
      ++i, ++j;
    } else if (j == was.size() || (i < now.size() && now[i].index < was[j].index)) {
      changed |= now[i++].Box();
    } else {
      changed |= was[j++].Box();
    }
  }
  return true;
}
}  // namespace

std::optional<QRect> CDrawnMarks::ChangedSince(const CDrawnMarks& before) const {
  if (!m_bValid || !before.m_bValid || m_dScale != before.m_dScale || m_page != before.m_page ||
      m_options != before.m_options || m_bCompact != before.m_bCompact) {
    return std::nullopt;
  }
  QRect changed;
  const auto samePolygon = [&](const PolygonMark& a, const PolygonMark& b) {
    return SameCorners(a, before, b);
  };
  const auto sameNode = [](const NodeMark& a, const NodeMark& b) {
    return a.point == b.point && a.disc == b.disc && a.itemType == b.itemType &&
           a.itemOrientation == b.itemOrientation;
  };
  if (!AddChangedMarks(m_polygons, before.m_polygons, samePolygon, changed) ||
      !AddChangedMarks(m_nodes, before.m_nodes, sameNode, changed)) {
    return std::nullopt;
  }
  if (m_bBand != before.m_bBand || m_feedback != before.m_feedback) {
    changed |= BoundingBox(m_feedback.data(), m_feedback.size()) |
               BoundingBox(before.m_feedback.data(), before.m_feedback.size());
  }
  return changed;
}
