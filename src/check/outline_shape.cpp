#include "check/outline_shape.h"

#include <optional>
#include <utility>

#include "model/track_length.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/string_table.h"

namespace {
enum : int {
  IDS_NOT_CONVEX = 12956,
  IDS_ANTICLOCKWISE = 12957,
  IDS_NO_AREA = 12958,
  IDS_ZERO_WALL = 12959,
  IDS_CROSSING_WALLS = 12960,
  IDS_TOO_MANY_WALLS = 12961,
  IDS_TOO_FEW_WALLS = 12962,
};
constexpr std::size_t kMostWalls = 12;
// Above this, crossing walls are looked for only among outlines that turn one
// way, in linear time; a pairwise search would be quadratic in a damaged file.
constexpr std::size_t kMostWallsPairwise = 64;

struct Point {
  std::int64_t x, y;
  bool operator==(const Point&) const = default;
};

Point At(const TSPolygon& polygon, std::size_t i) {
  const TSNode* node = polygon.m_wallList[i % polygon.m_wallList.size()]->m_pNode;
  return {node->m_x, node->m_y};
}

int Sign(TrackArea value) {
  return (value > 0) - (value < 0);
}

// Which side of the line a→b the point c lies on: 1 left, -1 right.
int Side(Point a, Point b, Point c) {
  return Sign(CrossProduct(b.x - a.x, b.y - a.y, c.x - a.x, c.y - a.y));
}

bool Between(std::int64_t a, std::int64_t b, std::int64_t c) {
  return std::min(a, b) <= c && c <= std::max(a, b);
}

// Whether the closed segments a–b and c–d share a point.
bool SegmentsMeet(Point a, Point b, Point c, Point d) {
  const int abc = Side(a, b, c), abd = Side(a, b, d), cda = Side(c, d, a), cdb = Side(c, d, b);
  if (abc * abd < 0 && cda * cdb < 0) return true;
  auto onSegment = [](Point p, Point q, Point r) {
    return Between(p.x, q.x, r.x) && Between(p.y, q.y, r.y);
  };
  return (abc == 0 && onSegment(a, b, c)) || (abd == 0 && onSegment(a, b, d)) ||
         (cda == 0 && onSegment(c, d, a)) || (cdb == 0 && onSegment(c, d, b));
}

TrackProblem Problem(ProblemSeverity severity, ProblemKind kind, std::string text) {
  return {severity, kind, std::move(text), {}};
}

// A corner of an outline and the wall that leaves it; walls of length zero
// have no corner of their own and are left to their own problem.
struct Corner {
  Point at;
  std::size_t wall;
};

// The first pair of walls that meet other than at the corner they share, or
// nothing.
std::optional<std::pair<std::size_t, std::size_t>> FirstCrossing(const std::vector<Corner>& c) {
  const std::size_t count = c.size();
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t j = i + 2; j < count; ++j) {
      if ((j + 1) % count == i) continue;
      if (SegmentsMeet(c[i].at, c[(i + 1) % count].at, c[j].at, c[(j + 1) % count].at))
        return std::pair{c[i].wall, c[j].wall};
    }
  }
  return std::nullopt;
}

// For an outline whose every corner turns right (or goes straight), so that
// the direction of its walls only ever turns clockwise: how many times its
// walls wind around, counted as the times that direction passes the +x axis
// from above. More than once means they cross.
int RightTurnWindings(const TSPolygon& polygon) {
  // Whether a direction lies in the upper half of the turn, (0°, 180°].
  auto upper = [](Point d) { return d.y > 0 || (d.y == 0 && d.x < 0); };
  int windings = 0;
  const std::size_t count = polygon.m_wallList.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Point a = At(polygon, i), b = At(polygon, i + 1), c = At(polygon, i + 2);
    windings += upper({b.x - a.x, b.y - a.y}) && !upper({c.x - b.x, c.y - b.y});
  }
  return windings;
}
}  // namespace

ProblemObject PolygonObject(TSPolygon& polygon, int number) {
  ProblemObject object(polygon.m_bFeature ? ProblemObject::Type::kFeature
                                          : ProblemObject::Type::kSection);
  object.polygon = &polygon;
  object.number = number;
  return object;
}

ProblemObject WallObject(TSPolygon& polygon, int number, int wallNumber) {
  ProblemObject object(ProblemObject::Type::kWall);
  object.polygon = &polygon;
  object.wall = polygon.m_wallList[static_cast<std::size_t>(wallNumber)].get();
  object.number = number;
  object.wallNumber = wallNumber;
  object.polygonIsFeature = polygon.m_bFeature != 0;
  return object;
}

void CheckOutlineShape(TSPolygon& polygon, int number, std::vector<TrackProblem>& problems) {
  const std::size_t count = polygon.m_wallList.size();
  auto add = [&](int textId, ProblemKind kind, std::vector<ProblemObject> objects,
                 std::string arg = {}) {
    TrackProblem problem = Problem(ProblemSeverity::kError, kind, FormatResString(textId, {arg}));
    problem.objects = std::move(objects);
    problems.push_back(std::move(problem));
  };
  const ProblemObject whole = PolygonObject(polygon, number);
  if (count < 3) {
    add(IDS_TOO_FEW_WALLS, ProblemKind::kWallCount, {whole}, std::to_string(count));
    return;
  }
  if (count > kMostWalls)
    add(IDS_TOO_MANY_WALLS, ProblemKind::kWallCount, {whole}, std::to_string(count));

  int left = 0, right = 0, straight = 0;
  // Kept between calls: a whole check makes one call per polygon.
  thread_local std::vector<Corner> corners;
  corners.clear();
  for (std::size_t i = 0; i < count; ++i) {
    if (At(polygon, i) == At(polygon, i + 1)) {
      add(IDS_ZERO_WALL, ProblemKind::kZeroWall, {WallObject(polygon, number, int(i))});
    } else {
      corners.push_back({At(polygon, i), i});
    }
  }
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Point a = corners[i].at, b = corners[(i + 1) % corners.size()].at;
    const Point c = corners[(i + 2) % corners.size()].at;
    const int side = Side(a, b, c);
    // Turning straight back is a turn both ways.
    const bool back = side == 0 && (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y) < 0;
    left += side > 0 || back;
    right += side < 0 || back;
    straight += side == 0;
  }
  if (straight == int(corners.size())) {
    add(IDS_NO_AREA, ProblemKind::kNotConvex, {whole});
    return;
  }
  if (left > 0 && right > 0) add(IDS_NOT_CONVEX, ProblemKind::kNotConvex, {whole});
  if (left > 0 && right == 0) add(IDS_ANTICLOCKWISE, ProblemKind::kNotConvex, {whole});

  bool crossing = false;
  std::optional<std::pair<std::size_t, std::size_t>> pair;
  if (count <= kMostWallsPairwise) {
    pair = FirstCrossing(corners);
    crossing = pair.has_value();
  } else if (left == 0 && corners.size() == count) {
    crossing = RightTurnWindings(polygon) > 1;
  }
  if (crossing) {
    std::vector<ProblemObject> objects{whole};
    if (pair) {
      objects = {WallObject(polygon, number, int(pair->first)),
                 WallObject(polygon, number, int(pair->second))};
    }
    add(IDS_CROSSING_WALLS, ProblemKind::kCrossingWalls, std::move(objects));
  }
}
