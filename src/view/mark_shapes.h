#pragma once
// The outlines of the node discs and wall wedges as polygons in logical units.
// Drawing them as polygons from one table of directions, made once per paint
// for the device's resolution, is many times faster than drawing every mark
// as an arc, and the arcs stay smooth at every resolution.

#include <QPoint>
#include <QPolygonF>
#include <vector>

// The radii of the marks in logical units: a node's disc and a wall's wedge.
constexpr int kNodeRadius = 10;
constexpr int kWedgeRadius = 21;

// A direction in the logical plane (y up): its angle in [0, 2π) and its unit
// vector. A ray of no length points along the x axis, and so does its reverse.
struct MarkRay {
  double angle = 0;
  QPointF unit{1, 0};
  bool bEmpty = true;

  static MarkRay Between(QPoint from, QPoint to);
  MarkRay Reversed() const;
};

class CMarkShapes {
 public:
  // `pixelsPerUnit`: device pixels per logical unit.
  explicit CMarkShapes(double pixelsPerUnit);
  double PixelsPerUnit() const { return m_pixelsPerUnit; }

  // The disc of `radius` around `centre` (radius is kNodeRadius or kWedgeRadius; any other radius
  // works too, with a table made for it).
  const QPolygonF& Disc(QPoint centre, int radius);
  // The wedge of `radius` at `centre`, swept counterclockwise (y up) from the
  // ray `from` to the ray `to`. Coinciding rays give the whole disc.
  const QPolygonF& Wedge(QPoint centre, const MarkRay& from, const MarkRay& to, int radius);

 private:
  struct Circle {
    int radius;
    std::vector<QPointF> points;  // counterclockwise (y up) from angle 0
  };
  const Circle& CircleOf(int radius);

  double m_pixelsPerUnit;
  std::vector<Circle> m_circles;
  QPolygonF m_shape;  // the answer, reused so that painting does not allocate
};
