#pragma once
// The grid the view draws and snaps to: lines through the origin at whole
// multiples of a spacing, on both axes.

#include <cstdint>

#include "model/track_length.h"

// One world unit.
constexpr TrackLength kDefaultGridSpacing = 1000;

struct GridOptions {
  bool bShow = false;                         // the view draws the grid under the track
  bool bSnap = false;                         // new nodes and the end of a move land on the grid
  TrackLength spacing = kDefaultGridSpacing;  // greater than 0
  bool operator==(const GridOptions&) const = default;
};

// The multiple of `spacing` nearest to `value`; a value halfway between two
// goes to the one farther from zero, so the grid is the same on both sides of
// the origin. A multiple beyond the TrackLength limits saturates to the limit.
// A spacing of 0 or less leaves the value as it is.
TrackLength SnapToGrid(TrackLength value, TrackLength spacing);

// The distance between drawn lines: `spacing` times 1, 2, 5, 10, 20, 50 and so
// on, the first that is at least `minGap` (so that lines do not crowd at low
// zoom). Past the whole TrackLength range one line at most is visible, and the
// step stops growing. A spacing of 0 or less counts as the default.
std::int64_t DrawnGridStep(TrackLength spacing, double minGap);
