// The tool cursors are drawn in code, black on a white halo so that they show
// on any background. Four are an arrow with a small picture of what the tool
// makes or grabs; Move selection is an open hand.

#include "view/tool_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "resource_ids.h"

namespace {
constexpr int kSize = 32;
const QPoint kArrowTip(1, 1);
const QPoint kHandSpot(13, 18);

// Strokes `path` with a white halo under a black line, then fills it.
void Ink(QPainter& painter, const QPainterPath& path, const QBrush& fill = Qt::NoBrush) {
  painter.strokePath(path, QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(path, fill);
  painter.strokePath(path, QPen(Qt::black, 1));
}

void DrawArrow(QPainter& painter) {
  QPainterPath arrow;
  arrow.addPolygon(QPolygonF({{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10, 19}, {7, 12}, {12, 12}}));
  arrow.closeSubpath();
  Ink(painter, arrow, Qt::black);
}

// A closed outline of five corners: the shape a track section takes.
void DrawOutline(QPainter& painter) {
  QPainterPath shape;
  shape.addPolygon(QPolygonF({{16, 20}, {22, 16}, {29, 19}, {28, 28}, {18, 28}}));
  shape.closeSubpath();
  Ink(painter, shape);
}

// A box seen from above and the side, raised off the floor.
void DrawRaisedBox(QPainter& painter) {
  QPainterPath top;
  top.addPolygon(QPolygonF({{16, 20}, {20, 16}, {29, 16}, {25, 20}}));
  top.closeSubpath();
  QPainterPath body;
  body.addRect(16, 20, 9, 8);
  body.moveTo(25, 28);
  body.lineTo(29, 24);
  body.lineTo(29, 16);
  Ink(painter, body, Qt::gray);
  Ink(painter, top, Qt::white);
}

// A round marker on a post with a foot.
void DrawMarkerOnStand(QPainter& painter) {
  QPainterPath stand;
  stand.moveTo(23, 22);
  stand.lineTo(23, 29);
  stand.moveTo(19, 29);
  stand.lineTo(27, 29);
  Ink(painter, stand);
  QPainterPath marker;
  marker.addEllipse(QPointF(23, 18), 4, 4);
  Ink(painter, marker, Qt::white);
}

// Two piers under an arched deck: a node that joins what lies on both sides.
void DrawBridge(QPainter& painter) {
  QPainterPath bridge;
  bridge.moveTo(15, 19);
  bridge.lineTo(30, 19);
  bridge.moveTo(17, 19);
  bridge.lineTo(17, 28);
  bridge.moveTo(28, 19);
  bridge.lineTo(28, 28);
  bridge.moveTo(17, 28);
  bridge.cubicTo(18, 21, 27, 21, 28, 28);
  Ink(painter, bridge);
}

// An open hand, palm toward the viewer, fingers up; the hot spot is in the palm.
void DrawOpenHand(QPainter& painter) {
  QPainterPath hand;
  hand.addRoundedRect(QRectF(7, 13, 14, 12), 4, 4);
  for (int finger = 0; finger < 4; ++finger) {
    const double x = 7.5 + finger * 3.5;
    const double top = finger == 0 || finger == 3 ? 7 : 4;
    hand.addRoundedRect(QRectF(x, top, 3, 16 - top), 1.5, 1.5);
  }
  QPainterPath thumb;
  thumb.addRoundedRect(QRectF(2, 14, 7, 3), 1.5, 1.5);
  hand = hand.united(thumb).simplified();
  Ink(painter, hand, Qt::white);
}

QCursor Draw(void (*picture)(QPainter&), bool withArrow, QPoint hotSpot) {
  QPixmap image(kSize, kSize);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  picture(painter);
  if (withArrow) DrawArrow(painter);
  painter.end();
  return QCursor(image, hotSpot.x(), hotSpot.y());
}
}  // namespace

QCursor LoadToolCursor(int toolId) {
  switch (toolId) {
    case ID_TOOL_SELECT:
      return QCursor(Qt::CrossCursor);
    case ID_TOOL_ADD_SECTION:
      return Draw(DrawOutline, true, kArrowTip);
    case ID_TOOL_ADD_FEATURE:
      return Draw(DrawRaisedBox, true, kArrowTip);
    case ID_TOOL_INSERT_OBJECT:
      return Draw(DrawMarkerOnStand, true, kArrowTip);
    case ID_TOOL_MOVE_SELECTION:
      return Draw(DrawOpenHand, false, kHandSpot);
    case ID_TOOL_MOVE_NODES:
      return Draw(DrawBridge, true, kArrowTip);
    default:
      return QCursor(Qt::ArrowCursor);
  }
}
