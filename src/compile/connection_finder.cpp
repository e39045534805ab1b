#include "compile/connection_finder.h"

#include <unordered_map>
#include <vector>

#include "model/prefetch_ahead.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
// While connections are written, a wall already in a connection line keeps its
// position, complemented, in m_nExportIndex, so that its neighbours can still
// be found from it; afterwards it holds kReported.
constexpr int kReported = -1;
bool IsReported(const TSAnchorWall& wall) {
  return wall.m_nExportIndex < 0;
}
void MarkReported(TSAnchorWall& wall) {
  if (!IsReported(wall)) wall.m_nExportIndex = ~wall.m_nExportIndex;
}
// The wall before `wall` in its polygon's outline.
TSAnchorWall* PrevWall(const TSAnchorWall& wall) {
  const auto& walls = wall.m_pPolygon->m_wallList;
  const auto position =
      static_cast<std::size_t>(IsReported(wall) ? ~wall.m_nExportIndex : wall.m_nExportIndex);
  return walls[(position + walls.size() - 1) % walls.size()].get();
}

// Above this many walls at one node, the walls ending there are indexed by the
// node they come from instead of being looked through for every wall.
constexpr std::size_t kCrowdedNode = 16;

class CConnectionFinder {
 public:
  explicit CConnectionFinder(CTrassoDoc& doc) : m_doc(doc) {}

  void Run(const std::function<void(const TSAnchorWall&, const TSAnchorWall&)>& report) {
    const auto& polygons = m_doc.m_polygonList;
    for (std::size_t p = 0; p < polygons.size(); ++p) {
      PrefetchPolygonsAhead(polygons, p, true);
      const auto& polygon = polygons[p];
      if (polygon->m_bFeature) continue;
      const auto& walls = polygon->m_wallList;
      for (std::size_t i = 0; i < walls.size(); ++i) {
        TSAnchorWall& wall = *walls[i];
        if (IsReported(wall)) continue;
        TSAnchorWall* back = OppositeWall(wall, walls[(i + 1) % walls.size()]->m_pNode);
        if (!back) continue;
        report(wall, *back);
        MarkReported(wall);
        MarkReported(*back);
      }
    }
    for (const auto& polygon : m_doc.m_polygonList) {
      for (const auto& wall : polygon->m_wallList) {
        if (IsReported(*wall)) wall->m_nExportIndex = kReported;
      }
    }
  }

 private:
  // The wall of another section that runs the edge a→b backwards, not yet
  // reported: among the walls anchored at a, in their order there, the first
  // whose polygon's previous wall starts at b.
  TSAnchorWall* OppositeWall(const TSAnchorWall& wall, const TSNode* b) {
    const TSNode* a = wall.m_pNode;
    if (a->m_wallList.size() > kCrowdedNode) return OppositeAtCrowdedNode(wall, b);
    for (TSAnchorWall* other : a->m_wallList) {
      if (other == &wall || other->m_pPolygon->m_bFeature) continue;
      TSAnchorWall* back = PrevWall(*other);
      if (!IsReported(*back) && back->m_pNode == b) return back;
    }
    return nullptr;
  }

  // The same search through an index of the walls ending at a, so that a node
  // where thousands of walls meet costs no more than their number in all.
  TSAnchorWall* OppositeAtCrowdedNode(const TSAnchorWall& wall, const TSNode* b) {
    auto [found, added] = m_crowdedNodes.try_emplace(wall.m_pNode);
    EndingWalls& ending = found->second;
    if (added) {
      for (TSAnchorWall* other : wall.m_pNode->m_wallList) {
        if (other->m_pPolygon->m_bFeature) continue;
        TSAnchorWall* back = PrevWall(*other);
        ending[back->m_pNode].entries.push_back({other, back});
      }
    }
    const auto from = ending.find(b);
    if (from == ending.end()) return nullptr;
    Candidates& candidates = from->second;
    // Reported walls stay reported: the leading ones are passed for good.
    while (candidates.first < candidates.entries.size() &&
           IsReported(*candidates.entries[candidates.first].back)) {
      ++candidates.first;
    }
    for (std::size_t i = candidates.first; i < candidates.entries.size(); ++i) {
      const Candidate& candidate = candidates.entries[i];
      if (candidate.other != &wall && !IsReported(*candidate.back)) return candidate.back;
    }
    return nullptr;
  }

  struct Candidate {
    const TSAnchorWall* other;  // anchored at the crowded node
    TSAnchorWall* back;         // the wall before it, ending at the crowded node
  };
  struct Candidates {
    std::vector<Candidate> entries;  // in the order of the crowded node's wall list
    std::size_t first = 0;           // entries before it are all reported
  };
  // By the node the ending wall starts from.
  using EndingWalls = std::unordered_map<const TSNode*, Candidates>;

  CTrassoDoc& m_doc;
  std::unordered_map<const TSNode*, EndingWalls> m_crowdedNodes;
};
}  // namespace

void NumberForExport(CTrassoDoc& doc) {
  int id = 0;
  for (const auto& polygon : doc.m_polygonList) {
    polygon->m_nExportId = ++id;
    int index = 0;
    for (const auto& wall : polygon->m_wallList) wall->m_nExportIndex = index++;
  }
}

void FindConnections(CTrassoDoc& doc,
                     const std::function<void(const TSAnchorWall&, const TSAnchorWall&)>& report) {
  CConnectionFinder(doc).Run(report);
}

std::size_t CountConnections(CTrassoDoc& doc) {
  NumberForExport(doc);
  std::size_t count = 0;
  FindConnections(doc, [&](const TSAnchorWall&, const TSAnchorWall&) { ++count; });
  return count;
}
