#include "model/grid_snap.h"

#include <initializer_list>

TrackLength SnapToGrid(TrackLength value, TrackLength spacing) {
  if (spacing <= 0) return value;
  const std::int64_t v = value;
  std::int64_t quotient = v / spacing;         // toward zero
  const std::int64_t remainder = v % spacing;  // with the sign of the value
  const std::int64_t away = remainder < 0 ? -remainder : remainder;
  if (2 * away >= spacing) quotient += v < 0 ? -1 : 1;
  return SaturateToTrackLength(quotient * spacing);
}

std::int64_t DrawnGridStep(TrackLength spacing, double minGap) {
  // Twice the span of TrackLength: no two lines of such a step are both in range.
  constexpr std::int64_t kLongest = std::int64_t{1} << 33;
  const std::int64_t base = spacing > 0 ? spacing : kDefaultGridSpacing;
  for (std::int64_t decade = base;; decade *= 10) {
    for (const int factor : {1, 2, 5}) {
      const std::int64_t step = decade * factor;
      // Also ends the search for a gap that is not a number.
      if (!(step < minGap) || step >= kLongest) return step;
    }
  }
}
