#include "check/track_problem.h"

#include <algorithm>

#include "platform/string_table.h"

namespace {
enum : int {
  IDS_SECTION_NUMBER = 12967,
  IDS_FEATURE_NUMBER = 12968,
  IDS_WALL_OF = 12969,
  IDS_NODE_NUMBER = 12970,
  IDS_ITEM_ON_NODE = 12971,
  IDS_ERROR = 12972,
  IDS_WARNING = 12973,
};
}  // namespace

const char* ProblemKindName(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::kStartMissing:
      return "start_missing";
    case ProblemKind::kStartOffTrack:
      return "start_off_track";
    case ProblemKind::kStartRepeated:
      return "start_repeated";
    case ProblemKind::kRaceItemMissing:
      return "race_item_missing";
    case ProblemKind::kRaceItemRepeated:
      return "race_item_repeated";
    case ProblemKind::kItemOffTrack:
      return "item_off_track";
    case ProblemKind::kFeatureOffTrack:
      return "feature_off_track";
    case ProblemKind::kFeatureOutside:
      return "feature_outside";
    case ProblemKind::kNotConvex:
      return "not_convex";
    case ProblemKind::kZeroWall:
      return "zero_wall";
    case ProblemKind::kCrossingWalls:
      return "crossing_walls";
    case ProblemKind::kWallCount:
      return "wall_count";
    case ProblemKind::kOverlap:
      return "overlap";
    case ProblemKind::kUnusedNode:
      return "unused_node";
    case ProblemKind::kSameDirectionEdge:
      return "same_direction_edge";
    case ProblemKind::kUnreachable:
      return "unreachable";
  }
  return "";
}

const char* SeverityName(ProblemSeverity severity) {
  return LoadResString(severity == ProblemSeverity::kError ? IDS_ERROR : IDS_WARNING).data();
}

std::string DescribeObject(const ProblemObject& object) {
  const std::string number = std::to_string(object.number);
  switch (object.type) {
    case ProblemObject::Type::kSection:
      return FormatResString(IDS_SECTION_NUMBER, {number});
    case ProblemObject::Type::kFeature:
      return FormatResString(IDS_FEATURE_NUMBER, {number});
    case ProblemObject::Type::kWall:
      return FormatResString(
          IDS_WALL_OF,
          {std::to_string(object.wallNumber),
           FormatResString(object.polygonIsFeature ? IDS_FEATURE_NUMBER : IDS_SECTION_NUMBER,
                           {number})});
    case ProblemObject::Type::kNode:
      return FormatResString(IDS_NODE_NUMBER, {number});
    case ProblemObject::Type::kItem:
      return FormatResString(IDS_ITEM_ON_NODE, {object.itemName, number});
  }
  return {};
}

std::string DescribeObjects(const TrackProblem& problem) {
  std::string objects;
  for (const ProblemObject& object : problem.objects) {
    if (!objects.empty()) objects += ", ";
    objects += DescribeObject(object);
  }
  return objects;
}

std::string FormatProblem(const TrackProblem& problem) {
  std::string line = SeverityName(problem.severity);
  line += ": ";
  line += problem.text;
  if (!problem.objects.empty()) line += " (" + DescribeObjects(problem) + ')';
  return line;
}

std::size_t CountProblems(const std::vector<TrackProblem>& problems, ProblemSeverity severity) {
  return static_cast<std::size_t>(std::ranges::count(problems, severity, &TrackProblem::severity));
}
