#pragma once
// How the sections of a track join: two sections are connected where they run
// one edge between the same two nodes in opposite directions, as the compiler
// input lists them. Running it the same way is a fault the compiler refuses.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "check/track_problem.h"

class CTrassoDoc;
class TSPolygon;

using PolygonIndex = std::unordered_map<const TSPolygon*, std::uint32_t>;

struct SectionLinks {
  // For every polygon by list position, a representative of the sections
  // connected to it (a feature is its own).
  std::vector<std::uint32_t> group;
  // Per representative, how many sections its group holds.
  std::vector<std::uint32_t> groupSize;
  std::vector<TrackProblem> sameDirection;  // one per pair of walls
};

SectionLinks LinkSections(const CTrassoDoc& doc, const PolygonIndex& index);
