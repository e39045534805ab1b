#pragma once
// The problems of one outline on its own: how many walls it has, walls of
// length zero, walls that cross, and whether it is convex and clockwise, which
// every inside test of the editor and the compiler takes for granted.

#include <vector>

#include "check/track_problem.h"

class TSPolygon;

// Appends the problems of `polygon`, numbered `number`, to `problems`.
void CheckOutlineShape(TSPolygon& polygon, int number, std::vector<TrackProblem>& problems);

// The object entries naming a polygon and one of its walls.
ProblemObject PolygonObject(TSPolygon& polygon, int number);
ProblemObject WallObject(TSPolygon& polygon, int number, int wallNumber);
