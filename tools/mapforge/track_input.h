#pragma once
// A track as the compiler input describes it, with the line each part came
// from, so that every message can point at its line. Lengths and angles are
// held in thousandths, as the editor holds them.

#include <cstdint>
#include <string>
#include <vector>

namespace mapforge {

struct Pair {
  std::int32_t flag = 0, code = 0;
};

struct Surface {
  std::int32_t level = 0;
  Pair type;
};

struct Wall {
  std::int32_t x = 0, y = 0;  // start of the wall's edge
  Pair type;
};

// A [Room] or a [Feature] block.
struct Outline {
  int line = 0;
  bool feature = false;
  std::int32_t id = 0;
  std::int32_t parent = 0;  // features only
  Surface floor, ceiling;
  std::vector<Wall> walls;
};

// An [Initial_Position] (type.flag 0, type.code the team) or a [Free_Element].
struct Placement {
  int line = 0;
  std::int32_t section = 0;
  std::int32_t x = 0, y = 0, z = 0, orientation = 0;
  Pair type;
};

struct Connection {
  int line = 0;
  std::int32_t roomA = 0, wallA = 0, roomB = 0, wallB = 0;
};

struct TrackInput {
  std::string description, background;  // as written, line breaks escaped
  std::vector<Outline> outlines;
  std::vector<Placement> startingPositions;
  std::vector<Placement> freeElements;
  std::vector<Connection> connections;
};

struct Diagnostic {
  int line = 0;
  bool error = true;  // false: a warning
  std::string message;
};

using Diagnostics = std::vector<Diagnostic>;

inline bool HasErrors(const Diagnostics& diagnostics) {
  for (const Diagnostic& d : diagnostics) {
    if (d.error) return true;
  }
  return false;
}

}  // namespace mapforge
