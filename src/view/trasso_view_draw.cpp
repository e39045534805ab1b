// Drawing of the plan: fills and outlines, the wall wedges, the node discs and
// the feedback of the mouse tools. Marks have fixed logical sizes, so they keep
// their physical size at every zoom.

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "resource_ids.h"
#include "view/drawing_objects.h"
#include "view/trasso_view.h"

namespace {
constexpr int kWedgeRadius = 21;
constexpr int kNodeRadius = 10;
// Qt measures angles in sixteenths of a degree.
constexpr double kSixteenthsPerRadian = 16 * 180 / std::numbers::pi;
constexpr int kFullCircle = 16 * 360;

// Qt's angles turn counterclockwise in a y-down system; the logical space has y
// up, so a direction `radians` (counterclockwise with y up) is −radians to Qt.
int QtAngle(double radians) {
  return static_cast<int>(std::lround(-radians * kSixteenthsPerRadian));
}

double Direction(QPoint from, QPoint to) {
  return std::atan2(static_cast<double>(to.y()) - from.y(), static_cast<double>(to.x()) - from.x());
}

// The wedge at `corner`, swept counterclockwise (y up) from the ray toward the
// previous corner to the ray toward the next one: the inner angle of a corner
// of a clockwise outline. Coinciding rays give the whole disc.
void DrawWedge(QPainter& painter, QPoint corner, QPoint prev, QPoint next) {
  const int start = QtAngle(Direction(corner, prev));
  int sweep = (QtAngle(Direction(corner, next)) - start) % kFullCircle;
  if (sweep >= 0) sweep -= kFullCircle;  // counterclockwise with y up is negative to Qt
  const QRect box(corner.x() - kWedgeRadius, corner.y() - kWedgeRadius, 2 * kWedgeRadius,
                  2 * kWedgeRadius);
  painter.drawPie(box, start, sweep);
}

const QBrush& WedgeBrush(const TSAnchorWall& wall, const CDrawingObjects& objects) {
  if (wall.m_bHighlighted) return objects.highlightBrush;
  return wall.m_bSelected ? objects.wedgeSelectedBrush : objects.wedgeBrush;
}

const QBrush& NodeBrush(const TSNode& node, const CDrawingObjects& objects) {
  if (node.m_pItem) return node.m_bSelected ? objects.itemNodeSelectedBrush : objects.itemNodeBrush;
  if (node.m_bHighlighted) return objects.highlightBrush;
  return node.m_bSelected ? objects.nodeSelectedBrush : objects.nodeBrush;
}
}  // namespace

void CTrassoView::OnDraw(CDC& dc) {
  QPainter& painter = *dc.GetPainter();
  // Whatever lies wholly outside this rectangle cannot change a pixel of the
  // device: it is the clip grown by the largest mark and a few pixels for the
  // one-pixel pens and rounding.
  const int margin = kWedgeRadius + static_cast<int>(std::ceil(4 * dc.GetLogicalPerPixel()));
  const QRect visible = dc.GetClipBox().adjusted(-margin, -margin, margin, margin);

  painter.setPen(GetDrawingObjects().outlinePen);
  const CTrassoDoc* doc = GetDocument();
  for (POSITION pos = doc->GetFirstPolygonPosition(); pos;) {
    DrawPolygon(painter, *doc->GetNextPolygon(pos), visible);
  }
  DrawNodes(painter, visible);
  DrawToolFeedback(painter);
}

void CTrassoView::DrawPolygon(QPainter& painter, const TSPolygon& polygon, const QRect& visible) {
  const CDrawingObjects& objects = GetDrawingObjects();
  const int n = static_cast<int>(polygon.m_wallList.size());
  // Without walls there is no corner to draw.
  if (n == 0) return;

  m_corners.resize(n + 1);
  bool allSelected = true;
  int left = INT_MAX, right = INT_MIN, bottom = INT_MAX, top = INT_MIN;
  for (int i = 0; i < n; ++i) {
    const TSAnchorWall& wall = *polygon.m_wallList[i];
    const QPoint p = WorldToLogical(wall.m_pNode->m_x, wall.m_pNode->m_y);
    m_corners[i] = p;
    allSelected = allSelected && wall.m_bSelected;
    left = std::min(left, p.x());
    right = std::max(right, p.x());
    bottom = std::min(bottom, p.y());
    top = std::max(top, p.y());
  }
  m_corners[n] = m_corners[0];
  if (right < visible.left() || left > visible.right() || top < visible.top() ||
      bottom > visible.bottom()) {
    return;
  }

  if (allSelected || polygon.m_bFeature) {
    const QBrush& fill = !polygon.m_bFeature ? objects.sectionSelectedBrush
                         : allSelected       ? objects.featureSelectedBrush
                                             : objects.featureBrush;
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPolygon(m_corners.constData(), n, Qt::OddEvenFill);
    painter.setPen(objects.outlinePen);
  } else {
    painter.drawPolyline(m_corners.constData(), n + 1);
  }

  for (int i = 0; i < n; ++i) {
    painter.setBrush(WedgeBrush(*polygon.m_wallList[i], objects));
    DrawWedge(painter, m_corners[i], m_corners[(i - 1 + n) % n], m_corners[(i + 1) % n]);
  }
}

void CTrassoView::DrawNodes(QPainter& painter, const QRect& visible) const {
  const CDrawingObjects& objects = GetDrawingObjects();
  painter.setPen(objects.outlinePen);
  const CTrassoDoc* doc = GetDocument();
  for (POSITION pos = doc->GetFirstNodePosition(); pos;) {
    const TSNode& node = *doc->GetNextNode(pos);
    const QPoint p = WorldToLogical(node.m_x, node.m_y);
    if (!visible.contains(p)) continue;
    painter.setBrush(NodeBrush(node, objects));
    painter.drawEllipse(p, kNodeRadius, kNodeRadius);
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
