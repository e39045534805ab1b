#include "track_checks.h"

#include <string>
#include <unordered_map>

#include "room_interior.h"

namespace mapforge {
namespace {
const Wall& WallAt(const Outline& o, std::size_t i) {
  return o.walls[i % o.walls.size()];
}

std::string Name(const Outline& o) {
  return std::string(o.feature ? "[Feature] " : "[Room] ") + std::to_string(o.id);
}

class Checker {
 public:
  Checker(const TrackInput& track, Diagnostics& diagnostics)
      : m_track(track), m_diagnostics(diagnostics) {
    for (const Outline& o : track.outlines) m_byId.try_emplace(o.id, &o);
  }

  // The room of that Id, or null (with an error at `line` naming `what`).
  const Outline* Room(std::int32_t id, int line, const std::string& what) {
    const auto it = m_byId.find(id);
    if (it != m_byId.end() && !it->second->feature) return it->second;
    Report(line, true, what + " " + std::to_string(id) + " is not a [Room]");
    return nullptr;
  }

  void Report(int line, bool error, std::string message) {
    m_diagnostics.push_back({line, error, std::move(message)});
  }

  const Outline* Find(std::int32_t id) const {
    const auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : it->second;
  }

  const TrackInput& m_track;

 private:
  Diagnostics& m_diagnostics;
  std::unordered_map<std::int32_t, const Outline*> m_byId;  // the first outline of each Id
};

void CheckWallNumber(Checker& c, const Outline* room, std::int32_t wall, int line) {
  if (room && (wall < 0 || static_cast<std::size_t>(wall) >= room->walls.size())) {
    c.Report(line, true,
             "wall " + std::to_string(wall) + " is not a wall of " + Name(*room) + " (" +
                 std::to_string(room->walls.size()) + " walls)");
  }
}
}  // namespace

void CheckReferences(const TrackInput& track, Diagnostics& diagnostics) {
  Checker c(track, diagnostics);
  for (const Outline& o : track.outlines) {
    const Outline* first = c.Find(o.id);
    if (first != &o) {
      c.Report(
          o.line, true,
          "Id " + std::to_string(o.id) + " is already used on line " + std::to_string(first->line));
    }
    if (o.walls.size() < 3) {
      c.Report(
          o.line, true,
          Name(o) + " has " + std::to_string(o.walls.size()) + " walls; at least 3 are needed");
    }
    if (o.feature) c.Room(o.parent, o.line, "Parent");
  }
  for (const Placement& p : track.startingPositions) {
    c.Room(p.section, p.line, "Section");
    if (p.type.code < 1 || p.type.code > 10) {
      c.Report(p.line, true, "Team " + std::to_string(p.type.code) + " is not 1 to 10");
    }
  }
  for (const Placement& p : track.freeElements) c.Room(p.section, p.line, "Section");
  for (const Connection& k : track.connections) {
    CheckWallNumber(c, c.Room(k.roomA, k.line, "connection room"), k.wallA, k.line);
    CheckWallNumber(c, c.Room(k.roomB, k.line, "connection room"), k.wallB, k.line);
  }
}

void CheckGeometry(const TrackInput& track, Diagnostics& diagnostics) {
  Checker c(track, diagnostics);
  for (const Outline& o : track.outlines) {
    bool clockwise = false, counter = false;
    for (std::size_t i = 0; i < o.walls.size(); ++i) {
      const Area turn = Turn(WallAt(o, i), WallAt(o, i + 1), WallAt(o, i + 2));
      clockwise |= turn < 0;
      counter |= turn > 0;
    }
    if (clockwise && counter) c.Report(o.line, false, Name(o) + " is not convex");
    if (counter && !clockwise) c.Report(o.line, false, Name(o) + " is not clockwise");
  }
  for (const Connection& k : track.connections) {
    const Outline* a = c.Find(k.roomA);
    const Outline* b = c.Find(k.roomB);
    if (!a || !b || a->walls.empty() || b->walls.empty()) continue;
    const auto i = static_cast<std::size_t>(k.wallA), j = static_cast<std::size_t>(k.wallB);
    const Wall &a0 = WallAt(*a, i), &a1 = WallAt(*a, i + 1);
    const Wall &b0 = WallAt(*b, j), &b1 = WallAt(*b, j + 1);
    if (a0.x != b1.x || a0.y != b1.y || a1.x != b0.x || a1.y != b0.y) {
      c.Report(k.line, false,
               "the connected walls do not join the same two points in opposite "
               "directions");
    }
  }
  bool firstStart = false;
  // Built once per room, as a room may hold thousands of placements.
  std::unordered_map<const Outline*, RoomInterior> interiors;
  auto checkInside = [&](const Placement& p, const char* what) {
    const Outline* room = c.Find(p.section);
    if (room && !interiors.try_emplace(room, *room).first->second.Contains(p.x, p.y)) {
      c.Report(p.line, false, std::string(what) + " lies outside " + Name(*room));
    }
  };
  for (const Placement& p : track.startingPositions) {
    firstStart |= p.type.code == 1;
    checkInside(p, "the starting position");
  }
  for (const Placement& p : track.freeElements) checkInside(p, "the element");
  if (!firstStart) c.Report(1, false, "no starting position 1");
}

}  // namespace mapforge
