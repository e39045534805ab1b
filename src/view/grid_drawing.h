#pragma once
// The grid under the track: one-pixel lines at a multiple of the grid spacing
// that keeps them apart on the device, every tenth line darker.

#include "model/track_length.h"

class CDC;
class CTrassoView;

// Draws the lines of `spacing` (TrackLength) that cross the clip box of `dc`,
// and no others, so the cost follows the window's size, not the track's.
void DrawGrid(const CTrassoView& view, CDC& dc, TrackLength spacing);
