// The view's questions to the track index, turned from logical units into
// world units.

#include <QRect>
#include <algorithm>
#include <cmath>
#include <limits>

#include "view/trasso_view.h"

namespace {
// Beyond every TrackLength, and far from overflowing the grid's arithmetic.
constexpr double kBeyondWorld = 1e12;
constexpr int kSaturated = std::numeric_limits<TrackLength>::max() - 1;

// Every world coordinate whose conversion (truncated, saturated) can lie in
// [low, high]: truncation moves a value by less than one unit, and the ends
// of the logical range take everything beyond.
std::pair<std::int64_t, std::int64_t> WorldRange(int low, int high, double scale) {
  double from = std::floor((double(low) - 1) / scale);
  double to = std::ceil((double(high) + 1) / scale);
  if (low <= -kSaturated) from = -kBeyondWorld;
  if (high >= kSaturated) to = kBeyondWorld;
  return {static_cast<std::int64_t>(std::clamp(from, -kBeyondWorld, kBeyondWorld)),
          static_cast<std::int64_t>(std::clamp(to, -kBeyondWorld, kBeyondWorld))};
}

GridBox WorldBox(const QRect& logical, double scale) {
  if (!(scale > 0))
    return {std::int64_t(-kBeyondWorld), std::int64_t(-kBeyondWorld), std::int64_t(kBeyondWorld),
            std::int64_t(kBeyondWorld)};
  // Not QRect::normalized, which overflows at the edges of 32 bits.
  const auto [minX, maxX] = WorldRange(std::min(logical.left(), logical.right()),
                                       std::max(logical.left(), logical.right()), scale);
  const auto [minY, maxY] = WorldRange(std::min(logical.top(), logical.bottom()),
                                       std::max(logical.top(), logical.bottom()), scale);
  return {minX, minY, maxX, maxY};
}
}  // namespace

const std::vector<std::uint32_t>& CTrassoView::NodesNear(const QRect& logical) const {
  return m_index.NodesIn(WorldBox(logical, m_dScale));
}

const std::vector<std::uint32_t>& CTrassoView::PolygonsNear(const QRect& logical) const {
  return m_index.PolygonsIn(WorldBox(logical, m_dScale));
}
