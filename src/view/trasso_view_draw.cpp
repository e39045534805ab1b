// Drawing of the plan: fills and outlines, the wall wedges, the node discs and
// the feedback of the mouse tools. Marks have fixed logical sizes, so they keep
// their physical size at every zoom.

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <optional>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "resource_ids.h"
#include "view/compact_marks.h"
#include "view/drawing_objects.h"
#include "view/grid_drawing.h"
#include "view/item_marks.h"
#include "view/mark_shapes.h"
#include "view/selected_walls.h"
#include "view/trasso_view.h"
#include "view/view_options.h"

void CTrassoView::RepaintChangedMarks() {
  if (m_bComparisonPending) return;
  m_bComparisonPending = true;
  // Once the events at hand are done: a burst of updates (a mouse move each)
  // needs one comparison.
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_bComparisonPending = false;
        const QRect changed = TakeChangedArea();
        if (!changed.isEmpty()) update(changed);
      },
      Qt::QueuedConnection);
}

QRect CTrassoView::TakeChangedArea() {
  CDC dc = GetClientDC();
  const int reach = MarkReach(dc);
  m_newMarks.Record(*this, dc.DPtoLP(rect()), reach);
  const std::optional<QRect> changed = m_newMarks.ChangedSince(m_shownMarks);
  std::swap(m_newMarks, m_shownMarks);
  const QRect area = ChangedDeviceArea(changed, dc, reach, rect());
  m_pictureDirty |= area;
  return area;
}

void CTrassoView::OnDraw(CDC& dc) {
  DrawTrack(dc);
  DrawToolFeedback(*dc.GetPainter());
}

void CTrassoView::DrawTrack(CDC& dc) {
  QPainter& painter = *dc.GetPainter();
  // Whatever lies wholly outside this rectangle cannot change a pixel of the
  // device: it is the clip grown by the reach of the marks.
  const int margin = MarkReach(dc);
  const QRect visible = dc.GetClipBox().adjusted(-margin, -margin, margin, margin);

  if (const GridOptions grid = GetGridOptions(); grid.bShow) DrawGrid(*this, dc, grid.spacing);
  CMarkShapes shapes(1 / dc.GetLogicalPerPixel());
  const bool compact = DrawsCompactMarks(*this);
  std::optional<CNodePixels> pixels;
  if (compact) pixels.emplace(*this, visible).DrawPlain(painter);
  painter.setPen(GetDrawingObjects().outlinePen);
  const CTrassoDoc* doc = GetDocument();
  for (const std::uint32_t at : PolygonsNear(visible)) {
    DrawPolygon(painter, shapes, *doc->m_polygonList[at], visible, compact);
  }
  if (pixels) {
    pixels->DrawMarked(painter);
  } else {
    DrawNodes(painter, shapes, visible);
  }
  if (GetViewOptions().bItemLabels) DrawItemMarks(painter, *this, visible, shapes.PixelsPerUnit());
}

// Converting is monotonic on each axis, so converting the extremes of the
// world coordinates gives the box of the converted corners, at two
// conversions instead of one a corner: most polygons of a large track are out
// of sight and need no more.
QRect CTrassoView::LogicalBox(const TSPolygon& polygon) const {
  if (polygon.m_wallList.empty()) return QRect();
  const TSNode& first = *polygon.m_wallList.front()->m_pNode;
  TrackLength left = first.m_x, right = first.m_x, bottom = first.m_y, top = first.m_y;
  for (const auto& wall : polygon.m_wallList) {
    left = std::min(left, wall->m_pNode->m_x);
    right = std::max(right, wall->m_pNode->m_x);
    bottom = std::min(bottom, wall->m_pNode->m_y);
    top = std::max(top, wall->m_pNode->m_y);
  }
  return QRect(WorldToLogical(left, bottom), WorldToLogical(right, top));
}

void CTrassoView::DrawPolygon(QPainter& painter, CMarkShapes& shapes, const TSPolygon& polygon,
                              const QRect& visible, bool compact) {
  const CDrawingObjects& objects = GetDrawingObjects();
  const int n = static_cast<int>(polygon.m_wallList.size());
  // Without walls there is no corner to draw.
  if (n == 0) return;

  if (!LogicalBox(polygon).intersects(visible)) return;
  m_corners.resize(n + 1);
  for (int i = 0; i < n; ++i) {
    const TSNode& node = *polygon.m_wallList[i]->m_pNode;
    m_corners[i] = WorldToLogical(node.m_x, node.m_y);
  }
  m_corners[n] = m_corners[0];

  if (const QBrush* fill = PolygonFill(polygon)) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(*fill);
    painter.drawPolygon(m_corners.constData(), n, Qt::OddEvenFill);
    painter.setPen(objects.outlinePen);
  } else {
    painter.drawPolyline(m_corners.constData(), n + 1);
  }
  DrawSelectedWalls(painter, polygon, m_corners, shapes.PixelsPerUnit());
  if (compact) return;

  // Edge i runs from corner i to corner i + 1; each corner's wedge sweeps
  // counterclockwise from the ray back along the edge before it to the ray
  // along the edge after it: the inner angle of a clockwise outline.
  m_edges.resize(n);
  for (int i = 0; i < n; ++i) m_edges[i] = MarkRay::Between(m_corners[i], m_corners[i + 1]);
  for (int i = 0; i < n; ++i) {
    painter.setBrush(WedgeBrush(*polygon.m_wallList[i]));
    const MarkRay back = m_edges[(i - 1 + n) % n].Reversed();
    painter.drawPolygon(shapes.Wedge(m_corners[i], back, m_edges[i], kWedgeRadius));
  }
}

void CTrassoView::DrawNodes(QPainter& painter, CMarkShapes& shapes, const QRect& visible) const {
  const CDrawingObjects& objects = GetDrawingObjects();
  painter.setPen(objects.outlinePen);
  const CTrassoDoc* doc = GetDocument();
  for (const std::uint32_t at : NodesNear(visible)) {
    const TSNode& node = *doc->m_nodeList[at];
    const QPoint p = WorldToLogical(node.m_x, node.m_y);
    if (!visible.contains(p)) continue;
    painter.setBrush(NodeBrush(node));
    painter.drawPolygon(shapes.Disc(p, kNodeRadius));
  }
}

void CTrassoView::DrawToolFeedback(QPainter& painter) const {
  const CDrawingObjects& objects = GetDrawingObjects();
  if (m_nTool == ID_TOOL_SELECT && m_bButtonDown && m_ptCurrent != m_ptAnchor) {
    const QPoint a = m_ptAnchor, c = m_ptCurrent;
    const QPoint band[] = {a, {c.x(), a.y()}, c, {a.x(), c.y()}, a};
    painter.setPen(objects.rubberBandPen);
    painter.drawPolyline(band, 5);
  }
  if ((m_nTool == ID_TOOL_ADD_SECTION || m_nTool == ID_TOOL_ADD_FEATURE) && !m_path.empty()) {
    QPolygon line;
    for (const TSNode* node : m_path) line << WorldToLogical(node->m_x, node->m_y);
    painter.setPen(objects.pathPen);
    painter.drawPolyline(line);
  }
}
