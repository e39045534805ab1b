#pragma once
// One problem the track check found: how bad it is, what it says and the
// objects it names, so that any front end can list it and select them.

#include <cstdint>
#include <string>
#include <vector>

class TSAnchorWall;
class TSNode;
class TSPolygon;

enum class ProblemSeverity : std::uint8_t { kWarning, kError };

// What was found; a front end may offer a fix for some kinds.
enum class ProblemKind : std::uint8_t {
  kStartMissing,       // the compile's "not found" warning
  kStartOffTrack,      // the compile's "not on track" warning
  kStartRepeated,      // a starting position placed more than once
  kRaceItemMissing,    // no finish line or checkpoint
  kRaceItemRepeated,   // a finish line or checkpoint placed more than once
  kItemOffTrack,       // an item in no section, left out of the compile
  kFeatureOffTrack,    // a feature whose first node lies in no section
  kFeatureOutside,     // a feature that reaches out of its section
  kNotConvex,          // an outline that turns both ways, or the wrong way
  kZeroWall,           // a wall whose two ends lie on one point
  kCrossingWalls,      // two walls of one outline that cross
  kWallCount,          // more than 12 walls, or fewer than 3
  kOverlap,            // two sections whose insides overlap
  kUnusedNode,         // a node no wall hangs from and with no item
  kSameDirectionEdge,  // two sections running one edge the same way
  kUnreachable,        // a start from which the race cannot be completed
};

// An object a problem names, with its number as the compiler input numbers it:
// polygons 1, 2 … in list order (features included), walls 0, 1 … within their
// polygon; nodes, which the compiler input does not number, 1, 2 … in list
// order. An item is named by its node.
struct ProblemObject {
  enum class Type : std::uint8_t { kSection, kFeature, kWall, kNode, kItem };
  explicit ProblemObject(Type t) : type(t) {}
  Type type;
  TSPolygon* polygon = nullptr;   // sections, features and walls
  TSAnchorWall* wall = nullptr;   // walls
  TSNode* node = nullptr;         // nodes and items
  int number = 0;                 // the polygon's, or the node's
  int wallNumber = 0;             // walls only
  bool polygonIsFeature = false;  // walls only
  std::string itemName;           // items only: "Finish Line"
};

struct TrackProblem {
  ProblemSeverity severity;
  ProblemKind kind;
  std::string text;  // one line, Windows-1252 like every text of the track
  std::vector<ProblemObject> objects;
};

// The kind's name for scripts, fixed whatever the texts say: "overlap",
// "start_missing".
const char* ProblemKindName(ProblemKind kind);

// "error" or "warning".
const char* SeverityName(ProblemSeverity severity);
// "section 3", "wall 2 of section 3", "node 17", "Mine on node 17".
std::string DescribeObject(const ProblemObject& object);
// Every object of the problem, described and separated by commas.
std::string DescribeObjects(const TrackProblem& problem);
// The problem on one line: severity, text and, in brackets, what it names.
std::string FormatProblem(const TrackProblem& problem);

// How many of `problems` have `severity`.
std::size_t CountProblems(const std::vector<TrackProblem>& problems, ProblemSeverity severity);
