#include "view/compact_marks.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "view/drawing_objects.h"
#include "view/mark_shapes.h"
#include "view/trasso_view.h"
#include "view/view_options.h"

namespace {
constexpr std::size_t kSampledPolygons = 256;
}  // namespace

double AverageWallLength(const CTrassoDoc& doc) {
  const auto& polygons = doc.m_polygonList;
  const std::size_t step = std::max<std::size_t>(1, polygons.size() / kSampledPolygons);
  double total = 0;
  std::size_t walls = 0;
  for (std::size_t i = 0; i < polygons.size(); i += step) {
    const auto& list = polygons[i]->m_wallList;
    for (std::size_t k = 0; k < list.size(); ++k) {
      const TSNode& a = *list[k]->m_pNode;
      const TSNode& b = *list[(k + 1) % list.size()]->m_pNode;
      total += std::hypot(static_cast<double>(b.m_x) - a.m_x, static_cast<double>(b.m_y) - a.m_y);
    }
    walls += list.size();
  }
  return walls ? total / walls : 0;
}

bool DrawsCompactMarks(const CTrassoView& view) {
  if (!GetViewOptions().bCompactMarks) return false;
  const double length = AverageWallLength(*view.GetDocument()) * view.m_dScale;
  return length > 0 && length < 2 * kNodeRadius;
}

CNodePixels::CNodePixels(const CTrassoView& view, const QRect& visible) {
  const CDrawingObjects& objects = GetDrawingObjects();
  // Every brush NodeBrush gives, in drawing order.
  m_brushes = {&objects.nodeBrush, &objects.itemNodeBrush, &objects.nodeSelectedBrush,
               &objects.itemNodeSelectedBrush, &objects.highlightBrush};
  const CTrassoDoc* doc = view.GetDocument();
  for (const std::uint32_t at : view.NodesNear(visible)) {
    const TSNode& node = *doc->m_nodeList[at];
    const QPoint p = view.WorldToLogical(node.m_x, node.m_y);
    if (!visible.contains(p)) continue;
    const QBrush* brush = &NodeBrush(node);
    m_points[std::find(m_brushes.begin(), m_brushes.end(), brush) - m_brushes.begin()] << p;
  }
}

void CNodePixels::DrawPlain(QPainter& painter) const {
  Draw(painter, 0, 1);
}

void CNodePixels::DrawMarked(QPainter& painter) const {
  Draw(painter, 1, m_brushes.size());
}

void CNodePixels::Draw(QPainter& painter, std::size_t first, std::size_t end) const {
  for (std::size_t k = first; k < end; ++k) {
    if (m_points[k].isEmpty()) continue;
    painter.setPen(QPen(m_brushes[k]->color(), 0));
    painter.drawPoints(m_points[k]);
  }
  painter.setPen(GetDrawingObjects().outlinePen);
}
