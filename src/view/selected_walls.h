#pragma once
// Selected walls are drawn thicker than the others: besides the outline, a
// band of a few device pixels runs along the outer side of the wall's edge.
// Outside, because the inside shows the polygon's fill; so the outline of a
// selected section stays in sight on its silver fill, and of two sections on
// the same edge the band's side tells whose wall is selected.

#include <QPolygon>

class QPainter;
class TSPolygon;

// Draws the bands of the selected walls of `polygon`, whose corners are
// `corners` (logical; wall i runs from corner i to corner i + 1, and the last
// corner repeats the first). Leaves the painter's pen as the outline pen.
void DrawSelectedWalls(QPainter& painter, const TSPolygon& polygon, const QPolygon& corners,
                       double pixelsPerUnit);
