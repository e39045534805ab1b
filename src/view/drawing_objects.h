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
