#pragma once
// Plan coordinates, levels and elevations count thousandths of a world unit.
// Files may store any 32-bit value, so arithmetic on them is done wider and
// brought back into range by saturation, never by overflow.

#include <cstdint>
#include <limits>

using TrackLength = std::int32_t;

constexpr TrackLength SaturateToTrackLength(std::int64_t value) {
  if (value > std::numeric_limits<TrackLength>::max())
    return std::numeric_limits<TrackLength>::max();
  if (value < std::numeric_limits<TrackLength>::min())
    return std::numeric_limits<TrackLength>::min();
  return static_cast<TrackLength>(value);
}

// Truncates toward zero; NaN becomes 0.
constexpr TrackLength TruncateToTrackLength(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<TrackLength>::max();
  if (value <= -2147483648.0) return std::numeric_limits<TrackLength>::min();
  return static_cast<TrackLength>(value);
}

// Sign of (b.x − a.x)(c.y − b.y) − (b.y − a.y)(c.x − b.x) and of the edge test of
// IsInside: the differences of 32-bit values need 33 bits, their products 66,
// so the products are exact in 128 bits.
__extension__ typedef __int128 TrackArea;

constexpr TrackArea CrossProduct(std::int64_t ux, std::int64_t uy, std::int64_t vx,
                                 std::int64_t vy) {
  return static_cast<TrackArea>(ux) * vy - static_cast<TrackArea>(uy) * vx;
}
