#pragma once
// Whether a placement lies in its room. Asked once per placement, so a convex
// room, what tracks are made of, answers in logarithmic time.

#include <cstdint>
#include <vector>

#include "track_input.h"

namespace mapforge {

__extension__ typedef __int128 Area;  // products of 33-bit differences need 66 bits

// (b − a) × (c − b), equal to (b − a) × (c − a): negative for a clockwise turn
// in the plan (y upward).
Area Turn(const Wall& a, const Wall& b, const Wall& c);

// A point is inside when it lies on one side of the line of every wall, or on
// the line: for a convex room its closed area, for any other outline only the
// part that sees every wall from the same side (often nothing).
class RoomInterior {
 public:
  explicit RoomInterior(const Outline& room);  // `room` must outlive this
  bool Contains(std::int32_t x, std::int32_t y) const;

 private:
  bool InConvex(const Wall& point) const;
  bool OnOneSideOfEveryWall(const Wall& point) const;

  const Outline& m_room;
  // The distinct corners counterclockwise when the room is strictly convex,
  // else empty.
  std::vector<Wall> m_convex;
};

}  // namespace mapforge
