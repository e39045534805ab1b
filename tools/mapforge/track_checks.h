#pragma once
// What Mapforge checks beyond the syntax. Errors are references the game
// cannot resolve; warnings are geometry the game may tolerate.

#include "track_input.h"

namespace mapforge {

// Errors: an Id used twice; a Parent, Section or connection that names no
// [Room]; a wall number out of range; an outline of fewer than 3 walls; a Team
// outside 1 to 10.
void CheckReferences(const TrackInput& track, Diagnostics& diagnostics);

// Warnings: an outline that is not convex or not clockwise; connected walls
// that do not run the same two points in opposite directions; a placement
// outside its room; no starting position 1. Only meaningful once
// CheckReferences found no error.
void CheckGeometry(const TrackInput& track, Diagnostics& diagnostics);

}  // namespace mapforge
