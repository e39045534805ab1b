#pragma once
// Whether the insides of two outlines overlap. Outlines that only touch, along
// a shared edge or at a node, do not.

class TSPolygon;

// Exact for convex outlines of either winding; for others, which the check
// reports anyway, a near miss may count as an overlap. Outlines with fewer
// than 3 walls overlap nothing.
bool OutlinesOverlap(const TSPolygon& a, const TSPolygon& b);
