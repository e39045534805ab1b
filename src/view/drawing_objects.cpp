#include "view/drawing_objects.h"

namespace {
CDrawingObjects MakeDrawingObjects() {
  CDrawingObjects objects;
  // Width 0 is one device pixel whatever the mapping.
  objects.outlinePen = QPen(QColor(0, 0, 0), 0, Qt::SolidLine);
  objects.rubberBandPen = QPen(QColor(0, 0, 0), 0, Qt::SolidLine);
  // A wide pen scales with the mapping; round ends and joins, as wide solid
  // lines traditionally have.
  objects.pathPen = QPen(QColor(0, 0, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  objects.featureBrush = QBrush(QColor(128, 128, 0));
  objects.featureSelectedBrush = QBrush(QColor(255, 255, 0));
  objects.sectionSelectedBrush = QBrush(QColor(192, 192, 192));
  objects.wedgeBrush = QBrush(QColor(0, 0, 128));
  objects.wedgeSelectedBrush = QBrush(QColor(0, 0, 255));
  objects.nodeBrush = QBrush(QColor(128, 0, 0));
  objects.nodeSelectedBrush = QBrush(QColor(255, 0, 0));
  objects.itemNodeBrush = QBrush(QColor(0, 128, 0));
  objects.itemNodeSelectedBrush = QBrush(QColor(0, 255, 0));
  objects.highlightBrush = QBrush(QColor(255, 0, 255));
  return objects;
}
}  // namespace

const CDrawingObjects& GetDrawingObjects() {
  static const CDrawingObjects objects = MakeDrawingObjects();
  return objects;
}
