#include "view/drawing_objects.h"

#include <algorithm>

#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

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

const QBrush& WedgeBrush(const TSAnchorWall& wall) {
  const CDrawingObjects& objects = GetDrawingObjects();
  if (wall.m_bHighlighted) return objects.highlightBrush;
  return wall.m_bSelected ? objects.wedgeSelectedBrush : objects.wedgeBrush;
}

const QBrush& NodeBrush(const TSNode& node) {
  const CDrawingObjects& objects = GetDrawingObjects();
  if (node.m_pItem) return node.m_bSelected ? objects.itemNodeSelectedBrush : objects.itemNodeBrush;
  if (node.m_bHighlighted) return objects.highlightBrush;
  return node.m_bSelected ? objects.nodeSelectedBrush : objects.nodeBrush;
}

const QBrush* PolygonFill(const TSPolygon& polygon) {
  const CDrawingObjects& objects = GetDrawingObjects();
  const bool allSelected = std::all_of(polygon.m_wallList.begin(), polygon.m_wallList.end(),
                                       [](const auto& wall) { return wall->m_bSelected != 0; });
  if (polygon.m_bFeature)
    return allSelected ? &objects.featureSelectedBrush : &objects.featureBrush;
  return allSelected ? &objects.sectionSelectedBrush : nullptr;
}
