#include "shell/toolbar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "resource_ids.h"

namespace {
constexpr QSize kButton(16, 15);
const QColor kInk(30, 30, 30);
const QColor kSection(160, 200, 160);
const QColor kNode(0, 0, 160);

using Draw = void (*)(QPainter&);

QIcon Paint(Draw draw) {
  QPixmap pixmap(kButton);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kInk, 1));
  draw(painter);
  return QIcon(pixmap);
}

void Node(QPainter& p, QPointF at, QColor color = kNode) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawRect(QRectF(at.x() - 1.5, at.y() - 1.5, 3, 3));
  p.restore();
}

void Page(QPainter& p, QRectF r) {
  QPolygonF page{r.topLeft(),
                 {r.right() - 3, r.top()},
                 {r.right(), r.top() + 3},
                 r.bottomRight(),
                 r.bottomLeft()};
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
  p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void DrawNew(QPainter& p) {
  Page(p, QRectF(3.5, 1.5, 9, 12));
}

void DrawOpen(QPainter& p) {
  p.setBrush(QColor(240, 200, 80));
  p.drawPolygon(QPolygonF{{1.5, 3.5}, {5.5, 3.5}, {6.5, 5}, {13.5, 5}, {13.5, 12.5}, {1.5, 12.5}});
  p.setBrush(QColor(250, 225, 130));
  p.drawPolygon(QPolygonF{{3.5, 7.5}, {15, 7.5}, {13.5, 12.5}, {1.5, 12.5}});
}

void DrawSave(QPainter& p) {
  p.setBrush(QColor(60, 90, 170));
  p.drawRect(QRectF(1.5, 1.5, 12, 12));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 1.5, 7, 5));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4, 9, 7, 4.5));
}

void DrawCut(QPainter& p) {
  p.drawLine(QPointF(4, 1), QPointF(10, 10));
  p.drawLine(QPointF(11, 1), QPointF(5, 10));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(4, 11.5), 2.2, 2.2);
  p.drawEllipse(QPointF(11, 11.5), 2.2, 2.2);
}

void DrawCopy(QPainter& p) {
  Page(p, QRectF(1.5, 1.5, 8, 9));
  Page(p, QRectF(6.5, 4.5, 8, 9));
}

void DrawPaste(QPainter& p) {
  p.setBrush(QColor(170, 120, 60));
  p.drawRect(QRectF(1.5, 2.5, 10, 11));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4, 1, 5, 3));
  Page(p, QRectF(7.5, 5.5, 7, 8));
}

// A hooked arrow turning back to the left (undo) or on to the right (redo).
void DrawTurnArrow(QPainter& p, bool toRight) {
  if (toRight) p.setTransform(QTransform(-1, 0, 0, 1, 16, 0), true);
  p.setPen(QPen(QColor(0, 70, 160), 1.8));
  p.setBrush(Qt::NoBrush);
  QPainterPath hook(QPointF(4, 6));
  hook.cubicTo(QPointF(9, 2), QPointF(15, 5), QPointF(12, 12));
  p.drawPath(hook);
  p.setBrush(QColor(0, 70, 160));
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF{{1, 6}, {6, 2}, {6.5, 9}});
}

void DrawUndo(QPainter& p) {
  DrawTurnArrow(p, false);
}

void DrawRedo(QPainter& p) {
  DrawTurnArrow(p, true);
}

void DrawPrint(QPainter& p) {
  Page(p, QRectF(4.5, 0.5, 7, 6));
  p.setBrush(QColor(190, 190, 190));
  p.drawRect(QRectF(1.5, 6.5, 13, 5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

void DrawHelp(QPainter& p) {
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(13);
  p.setFont(font);
  p.setPen(QColor(0, 70, 170));
  p.drawText(QRectF(0, 0, 16, 15), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawSelect(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF{{3.5, 1.5}, {3.5, 12.5}, {6, 10}, {8, 14}, {10, 13}, {8, 9}, {11.5, 9}});
}

// An outline of track: a gray section of four nodes.
void Section(QPainter& p, QPolygonF outline) {
  p.setBrush(kSection);
  p.drawPolygon(outline);
  for (const QPointF& corner : outline) Node(p, corner);
}

void DrawMoveNodes(QPainter& p) {
  p.drawLine(QPointF(2, 12), QPointF(8, 4));
  p.drawLine(QPointF(8, 4), QPointF(14, 12));
  Node(p, {2, 12});
  Node(p, {14, 12});
  Node(p, {8, 4}, QColor(200, 0, 0));
  p.setPen(QPen(QColor(200, 0, 0), 1));
  p.drawLine(QPointF(8, 1), QPointF(8, 0.5));
  p.drawLine(QPointF(11, 4), QPointF(14, 4));
  p.drawLine(QPointF(12.5, 2.5), QPointF(14, 4));
  p.drawLine(QPointF(12.5, 5.5), QPointF(14, 4));
}

void DrawMoveSelection(QPainter& p) {
  p.setPen(QPen(kInk, 1.4));
  p.drawLine(QPointF(8, 1), QPointF(8, 14));
  p.drawLine(QPointF(1, 7.5), QPointF(15, 7.5));
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF{{8, 0.5}, {6, 3}, {10, 3}});
  p.drawPolygon(QPolygonF{{8, 14.5}, {6, 12}, {10, 12}});
  p.drawPolygon(QPolygonF{{0.5, 7.5}, {3, 5.5}, {3, 9.5}});
  p.drawPolygon(QPolygonF{{15.5, 7.5}, {13, 5.5}, {13, 9.5}});
}

void DrawAddSection(QPainter& p) {
  Section(p, QPolygonF{{2, 3}, {13, 2}, {14, 12}, {3, 13}});
}

void DrawAddFeature(QPainter& p) {
  p.setBrush(QColor(150, 150, 150));
  p.drawPolygon(QPolygonF{{2, 6}, {10, 6}, {10, 14}, {2, 14}});
  p.setBrush(QColor(200, 200, 200));
  p.drawPolygon(QPolygonF{{2, 6}, {6, 2}, {14, 2}, {10, 6}});
  p.setBrush(QColor(110, 110, 110));
  p.drawPolygon(QPolygonF{{10, 6}, {14, 2}, {14, 10}, {10, 14}});
}

void DrawInsertObject(QPainter& p) {
  p.drawLine(QPointF(8, 8), QPointF(8, 14));
  p.drawLine(QPointF(5, 14), QPointF(11, 14));
  p.setBrush(QColor(220, 40, 40));
  p.drawEllipse(QPointF(8, 5), 4, 4);
}

void DrawTracePath(QPainter& p) {
  p.setPen(QPen(kInk, 1, Qt::DotLine));
  p.drawPolyline(QPolygonF{{2, 12}, {6, 4}, {11, 9}, {14, 3}});
  for (QPointF at : {QPointF(2, 12), QPointF(6, 4), QPointF(11, 9), QPointF(14, 3)}) Node(p, at);
}

void DrawCutSelection(QPainter& p) {
  Section(p, QPolygonF{{2, 4}, {10, 3}, {10, 11}, {3, 12}});
  p.setPen(QPen(QColor(210, 0, 0), 2));
  p.drawLine(QPointF(8, 7), QPointF(15, 14));
  p.drawLine(QPointF(15, 7), QPointF(8, 14));
}

void DrawInsertNode(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.drawLine(QPointF(1, 12), QPointF(15, 12));
  Node(p, {1.5, 12});
  Node(p, {14.5, 12});
  Node(p, {8, 12}, QColor(0, 150, 0));
  p.setPen(QPen(QColor(0, 150, 0), 2));
  p.drawLine(QPointF(8, 2), QPointF(8, 8));
  p.drawLine(QPointF(5, 5), QPointF(11, 5));
}

// A node held on a crossing of grid lines.
void DrawSnapToGrid(QPainter& p) {
  p.setPen(QPen(QColor(150, 150, 160), 1));
  for (const double at : {3.5, 8.5, 13.5}) {
    p.drawLine(QPointF(at, 1), QPointF(at, 14));
    p.drawLine(QPointF(1, at - 0.5), QPointF(15, at - 0.5));
  }
  p.setPen(QPen(kInk, 1));
  p.setBrush(kNode);
  p.drawRect(QRectF(6.5, 5.5, 4, 4));
}
}  // namespace

QIcon ToolbarImage(int id) {
  switch (id) {
    case ID_FILE_NEW:
      return Paint(DrawNew);
    case ID_FILE_OPEN:
      return Paint(DrawOpen);
    case ID_FILE_SAVE:
      return Paint(DrawSave);
    case ID_EDIT_CUT:
      return Paint(DrawCut);
    case ID_EDIT_COPY:
      return Paint(DrawCopy);
    case ID_EDIT_PASTE:
      return Paint(DrawPaste);
    case ID_EDIT_UNDO:
      return Paint(DrawUndo);
    case ID_EDIT_REDO:
      return Paint(DrawRedo);
    case ID_FILE_PRINT:
      return Paint(DrawPrint);
    case ID_HELP:
      return Paint(DrawHelp);
    case ID_TOOL_SELECT:
      return Paint(DrawSelect);
    case ID_TOOL_MOVE_NODES:
      return Paint(DrawMoveNodes);
    case ID_TOOL_MOVE_SELECTION:
      return Paint(DrawMoveSelection);
    case ID_TOOL_ADD_SECTION:
      return Paint(DrawAddSection);
    case ID_TOOL_ADD_FEATURE:
      return Paint(DrawAddFeature);
    case ID_TOOL_INSERT_OBJECT:
      return Paint(DrawInsertObject);
    case ID_TOOL_TRACE_PATH:
      return Paint(DrawTracePath);
    case ID_CUT_SELECTION:
      return Paint(DrawCutSelection);
    case ID_INSERT_NODE:
      return Paint(DrawInsertNode);
    case ID_VIEW_SNAP_TO_GRID:
      return Paint(DrawSnapToGrid);
    default:
      return QIcon();
  }
}
