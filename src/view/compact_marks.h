#pragma once
// The compact marks view option. Zoomed out so far that a node's disc would
// cover its neighbours, a large track would show as a wall of discs; instead
// each node is one device pixel and the wall wedges are left out, so the
// outlines show the track's shape.

#include <QPolygon>
#include <QRect>
#include <array>

class CTrassoDoc;
class CTrassoView;
class QBrush;
class QPainter;

// The mean length of the track's walls in TrackLength units, estimated from
// the walls of at most a few hundred polygons spread evenly over the track's
// list, so that asking on every repaint costs next to nothing; 0 without walls.
double AverageWallLength(const CTrassoDoc& doc);

// Whether `view` draws compact marks now: the option is on and, at the view's
// zoom, a wall of average length is shorter than a node's disc is wide.
bool DrawsCompactMarks(const CTrassoView& view);

// The nodes in `visible` (logical) as device pixels of their discs' colours.
// Plain nodes go under the outlines, so that a track zoomed far out shows its
// shape rather than a field of dots; selected, highlighted and item nodes go
// on top, so that they stay in sight.
class CNodePixels {
 public:
  CNodePixels(const CTrassoView& view, const QRect& visible);
  void DrawPlain(QPainter& painter) const;
  void DrawMarked(QPainter& painter) const;

 private:
  void Draw(QPainter& painter, std::size_t first, std::size_t end) const;
  // By brush: the plain nodes' first.
  std::array<const QBrush*, 5> m_brushes;
  std::array<QPolygon, 5> m_points;
};
