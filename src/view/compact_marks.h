#pragma once
// The compact marks view option. Zoomed out so far that a node's disc would
// cover its neighbours, a large track would show as a wall of discs; instead
// each node is one device pixel and the wall wedges are left out, so the
// outlines show the track's shape.

#include <QRect>

class CTrassoDoc;
class CTrassoView;
class QPainter;

// The mean length of the track's walls in TrackLength units, estimated from
// the walls of at most a few hundred polygons spread evenly over the track's
// list, so that asking on every repaint costs next to nothing; 0 without walls.
double AverageWallLength(const CTrassoDoc& doc);

// Whether `view` draws compact marks now: the option is on and, at the view's
// zoom, a wall of average length is shorter than a node's disc is wide.
bool DrawsCompactMarks(const CTrassoView& view);

// Draws every node in `visible` (logical) as one device pixel of its disc's
// colour. Selected and highlighted nodes come last, so that they stay in
// sight where nodes share a pixel.
void DrawNodePixels(QPainter& painter, const CTrassoView& view, const QRect& visible);
