#include "view/selected_walls.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "model/ts_anchor_wall.h"
#include "model/ts_polygon.h"
#include "view/drawing_objects.h"

namespace {
// The band's width beyond the one-pixel outline, in device pixels.
constexpr double kBandPixels = 2;

// Twice the signed area of the outline: positive when it runs counterclockwise (y up).
double TwiceSignedArea(const QPolygon& corners) {
  double area = 0;
  for (qsizetype i = 0; i + 1 < corners.size(); ++i) {
    area += static_cast<double>(corners[i].x()) * corners[i + 1].y() -
            static_cast<double>(corners[i + 1].x()) * corners[i].y();
  }
  return area;
}
}  // namespace

void DrawSelectedWalls(QPainter& painter, const TSPolygon& polygon, const QPolygon& corners,
                       double pixelsPerUnit) {
  const auto& walls = polygon.m_wallList;
  if (std::none_of(walls.begin(), walls.end(), [](const auto& w) { return w->m_bSelected; }))
    return;
  const CDrawingObjects& objects = GetDrawingObjects();
  painter.setPen(objects.outlinePen);
  painter.setBrush(objects.outlinePen.color());
  // The outside lies left of the walls' direction in a clockwise outline
  // and right of it in a counterclockwise one.
  const double side = (TwiceSignedArea(corners) > 0 ? -1 : 1) * kBandPixels / pixelsPerUnit;
  QPolygonF band(4);
  for (std::size_t i = 0; i < walls.size(); ++i) {
    if (!walls[i]->m_bSelected) continue;
    const QPointF a = corners[i], b = corners[i + 1];
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    if (length == 0) continue;
    const QPointF outward = QPointF(a.y() - b.y(), b.x() - a.x()) * (side / length);
    band[0] = a;
    band[1] = b;
    band[2] = b + outward;
    band[3] = a + outward;
    painter.drawPolygon(band);
  }
}
