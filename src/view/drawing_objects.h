#pragma once
// The pens and brushes every view draws with, made once and shared.

#include <QBrush>
#include <QPen>

struct CDrawingObjects {
  QPen outlinePen;     // one device pixel, black
  QPen rubberBandPen;  // one device pixel, black
  QPen pathPen;        // 5 logical units (0.5 mm), black
  QBrush featureBrush;
  QBrush featureSelectedBrush;
  QBrush sectionSelectedBrush;
  QBrush wedgeBrush;
  QBrush wedgeSelectedBrush;
  QBrush nodeBrush;
  QBrush nodeSelectedBrush;
  QBrush itemNodeBrush;
  QBrush itemNodeSelectedBrush;
  QBrush highlightBrush;  // a highlighted wall or node
};

// Made on first use; lives until the program ends.
const CDrawingObjects& GetDrawingObjects();

class TSAnchorWall;
class TSNode;
class TSPolygon;

// The brush of each mark, from its model flags.
const QBrush& WedgeBrush(const TSAnchorWall& wall);
const QBrush& NodeBrush(const TSNode& node);
// The fill of a polygon, or null for a section drawn as an outline.
const QBrush* PolygonFill(const TSPolygon& polygon);
