#include "room_interior.h"

#include <algorithm>

namespace mapforge {
namespace {
bool SamePoint(const Wall& a, const Wall& b) {
  return a.x == b.x && a.y == b.y;
}

// Strictly convex, wound once and counterclockwise: every turn to the left,
// and every corner past the first wall seen from the first corner at a larger
// angle, all within half a turn.
bool IsStrictlyConvex(const std::vector<Wall>& c) {
  const std::size_t n = c.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (Turn(c[i], c[(i + 1) % n], c[(i + 2) % n]) <= 0) return false;
  }
  for (std::size_t i = 2; i < n; ++i) {
    if (Turn(c[0], c[1], c[i]) <= 0 || Turn(c[0], c[i - 1], c[i]) <= 0) return false;
  }
  return true;
}
}  // namespace

Area Turn(const Wall& a, const Wall& b, const Wall& c) {
  return Area{std::int64_t{b.x} - a.x} * (std::int64_t{c.y} - b.y) -
         Area{std::int64_t{b.y} - a.y} * (std::int64_t{c.x} - b.x);
}

RoomInterior::RoomInterior(const Outline& room) : m_room(room) {
  // A wall of no length has every point on its line, so dropping repeated
  // corners changes no answer.
  std::vector<Wall> corners;
  for (const Wall& w : room.walls) {
    if (corners.empty() || !SamePoint(w, corners.back())) corners.push_back(w);
  }
  while (corners.size() > 1 && SamePoint(corners.back(), corners.front())) corners.pop_back();
  if (corners.size() < 3) return;
  // Reversing flips the side of every wall at once, so it changes no answer either.
  if (Turn(corners[0], corners[1], corners[2]) < 0) std::reverse(corners.begin(), corners.end());
  if (IsStrictlyConvex(corners)) m_convex = std::move(corners);
}

bool RoomInterior::Contains(std::int32_t x, std::int32_t y) const {
  const Wall point{x, y, {}};
  return m_convex.empty() ? OnOneSideOfEveryWall(point) : InConvex(point);
}

// Within the angle at the first corner, the point lies in one triangle of the
// fan from that corner, found by bisection; inside then depends on the one
// wall that closes the triangle.
bool RoomInterior::InConvex(const Wall& point) const {
  const std::vector<Wall>& c = m_convex;
  if (Turn(c.front(), c[1], point) < 0 || Turn(c.front(), c.back(), point) > 0) return false;
  const auto next = std::partition_point(c.begin() + 2, c.end() - 1, [&](const Wall& corner) {
    return Turn(c.front(), corner, point) >= 0;
  });
  return Turn(*(next - 1), *next, point) >= 0;
}

bool RoomInterior::OnOneSideOfEveryWall(const Wall& point) const {
  const std::vector<Wall>& walls = m_room.walls;
  bool left = false, right = false;
  for (std::size_t i = 0; i < walls.size(); ++i) {
    const Area d = Turn(walls[i], walls[(i + 1) % walls.size()], point);
    left |= d > 0;
    right |= d < 0;
    if (left && right) return false;
  }
  return true;
}

}  // namespace mapforge
