#pragma once
// Where a track's nodes and polygons lie, so that the plan view paints, hit
// tests and compares only what is near the rectangle at hand instead of every
// object of a large track. Kept current by the document's typed changes: moves
// refile the moved nodes and their polygons, anything structural rebuilds on
// the next query. Queries hand out list positions in ascending order, so a
// caller that walks them meets objects in the document's order, as a full scan
// would.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "check/polygon_grid.h"
#include "model/track_change.h"

class CTrassoDoc;
class TSNode;
class TSPolygon;

class CTrackIndex : public CTrackObserver {
 public:
  // Below `indexedFrom` objects (nodes and polygons together) a scan costs
  // less than keeping an index, so queries hand out every position.
  explicit CTrackIndex(CTrassoDoc& doc, std::size_t indexedFrom = kIndexedFrom);
  ~CTrackIndex();
  CTrackIndex(const CTrackIndex&) = delete;
  CTrackIndex& operator=(const CTrackIndex&) = delete;

  // Positions in the document's node list of the nodes that may lie in `box`
  // (world units, edges included), ascending. Every node inside is among them;
  // a few outside may be too, so callers keep their exact test.
  const std::vector<std::uint32_t>& NodesIn(const GridBox& box);
  // The same for polygons whose corners' bounding box overlaps `box`.
  const std::vector<std::uint32_t>& PolygonsIn(const GridBox& box);

  // The least and greatest coordinates of the nodes; false without nodes.
  bool NodeBounds(GridBox& bounds);

  static constexpr std::size_t kIndexedFrom = 4096;

  void OnTrackChanged(const TrackChange& change) override;

 private:
  // Rebuilds when a structural change was told, or when the lists no longer
  // hold the objects indexed (changed behind the history's back).
  void Refresh();
  bool IsSmall() const;
  void Build();
  void MoveNode(const TSNode& node);
  static void Sorted(std::vector<std::uint32_t>& ids, std::size_t count,
                     std::vector<std::uint8_t>& marks);

  // Every position of a list of `count`, for a small track.
  static void All(std::vector<std::uint32_t>& ids, std::size_t count);

  CTrassoDoc& m_doc;
  std::size_t m_indexedFrom;
  bool m_bBuilt = false;
  std::vector<const TSNode*> m_nodes;        // as indexed, by list position
  std::vector<const TSPolygon*> m_polygons;  // as indexed, by list position
  CPolygonGrid m_nodeGrid;
  // The nodes' bounds, kept while moves only widen them or leave their
  // edges alone; found again by a scan after a node left an edge.
  GridBox m_bounds{};
  bool m_bBoundsKnown = false;
  CPolygonGrid m_polygonGrid;
  // Made on the first move after a build.
  std::unordered_map<const TSNode*, std::uint32_t> m_nodeIds;
  std::unordered_map<const TSPolygon*, std::uint32_t> m_polygonIds;
  // The answers, reused; one each, so that a caller may hold both.
  std::vector<std::uint32_t> m_foundNodes;
  std::vector<std::uint32_t> m_foundPolygons;
  std::vector<std::uint8_t> m_marks;  // for sorting large answers
};
