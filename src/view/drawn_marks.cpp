#include "view/drawn_marks.h"

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "resource_ids.h"
#include "view/drawing_objects.h"
#include "view/trasso_view.h"

namespace {
QRect BoundingBox(const QPoint* points, std::size_t count) {
  QRect box;
  for (std::size_t i = 0; i < count; ++i) box |= QRect(points[i], QSize(1, 1));
  return box;
}
}  // namespace

void CDrawnMarks::Record(const CTrassoView& view, const QRect& page) {
  m_bValid = true;
  m_dScale = view.m_dScale;
  m_page = page;
  m_corners.clear();
  m_polygons.clear();
  m_nodes.clear();
  m_feedback.clear();

  const CTrassoDoc* doc = view.GetDocument();
  for (POSITION pos = doc->GetFirstPolygonPosition(); pos;) {
    const TSPolygon* polygon = doc->GetNextPolygon(pos);
    const int first = static_cast<int>(m_corners.size());
    for (const auto& wall : polygon->m_wallList) {
      m_corners.push_back(
          {view.WorldToLogical(wall->m_pNode->m_x, wall->m_pNode->m_y), &WedgeBrush(*wall)});
    }
    const int count = static_cast<int>(m_corners.size()) - first;
    QRect box;
    for (int i = first; i < first + count; ++i) box |= QRect(m_corners[i].point, QSize(1, 1));
    m_polygons.push_back({polygon, PolygonFill(*polygon), first, count, box});
  }
  for (POSITION pos = doc->GetFirstNodePosition(); pos;) {
    const TSNode* node = doc->GetNextNode(pos);
    m_nodes.push_back({node, view.WorldToLogical(node->m_x, node->m_y), &NodeBrush(*node)});
  }

  // The same conditions as the drawing of the feedback.
  const int tool = view.m_nTool;
  m_bBand = tool == ID_TOOL_SELECT && view.m_bButtonDown && view.m_ptCurrent != view.m_ptAnchor;
  if (m_bBand) m_feedback = {view.m_ptAnchor, view.m_ptCurrent};
  if (tool == ID_TOOL_ADD_SECTION || tool == ID_TOOL_ADD_FEATURE) {
    for (const TSNode* node : view.m_path)
      m_feedback.push_back(view.WorldToLogical(node->m_x, node->m_y));
  }
}

bool CDrawnMarks::SamePolygonMarks(const CDrawnMarks& other, int i) const {
  const PolygonMark& a = m_polygons[i];
  const PolygonMark& b = other.m_polygons[i];
  if (a.fill != b.fill || a.corners != b.corners) return false;
  return std::equal(m_corners.begin() + a.firstCorner,
                    m_corners.begin() + a.firstCorner + a.corners,
                    other.m_corners.begin() + b.firstCorner);
}

std::optional<QRect> CDrawnMarks::ChangedSince(const CDrawnMarks& before) const {
  if (!m_bValid || !before.m_bValid || m_dScale != before.m_dScale || m_page != before.m_page ||
      m_polygons.size() != before.m_polygons.size() || m_nodes.size() != before.m_nodes.size()) {
    return std::nullopt;
  }
  QRect changed;
  for (std::size_t i = 0; i < m_polygons.size(); ++i) {
    if (m_polygons[i].polygon != before.m_polygons[i].polygon) return std::nullopt;
    if (SamePolygonMarks(before, static_cast<int>(i))) continue;
    changed |= m_polygons[i].box | before.m_polygons[i].box;
  }
  for (std::size_t i = 0; i < m_nodes.size(); ++i) {
    const NodeMark& now = m_nodes[i];
    const NodeMark& was = before.m_nodes[i];
    if (now.node != was.node) return std::nullopt;
    if (now.point == was.point && now.disc == was.disc) continue;
    changed |= QRect(now.point, QSize(1, 1)) | QRect(was.point, QSize(1, 1));
  }
  if (m_bBand != before.m_bBand || m_feedback != before.m_feedback) {
    changed |= BoundingBox(m_feedback.data(), m_feedback.size()) |
               BoundingBox(before.m_feedback.data(), before.m_feedback.size());
  }
  return changed;
}
