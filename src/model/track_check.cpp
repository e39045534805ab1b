#include "model/track_check.h"

#include <algorithm>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/pointer_index_map.h"

namespace {

std::string PolygonName(std::size_t p) {
  return "polygon " + std::to_string(p + 1);
}
std::string WallName(std::size_t p, std::size_t w) {
  return PolygonName(p) + ", wall " + std::to_string(w + 1);
}
std::string NodeName(std::size_t n) {
  return "node " + std::to_string(n + 1);
}

// Positions of objects in the lists, by address. A flat table, because the
// loader checks tracks of half a million objects.
class PositionMap {
 public:
  // False, and nothing changes, when `object` already has a position.
  bool Add(const void* object, std::size_t position) {
    if (m_map.Find(object)) return false;
    m_map.Insert(object, static_cast<std::uint32_t>(position + 1));
    return true;
  }
  bool Contains(const void* object) const { return m_map.Find(object) != 0; }
  // `object` must have a position.
  std::size_t At(const void* object) const { return m_map.Find(object) - 1; }

 private:
  PointerIndexMap m_map;  // position + 1, since 0 means absent
};

class TrackChecker {
 public:
  TrackChecker(const CTrassoDoc& doc, TrackCheckScope scope) : m_doc(doc), m_scope(scope) {}

  std::vector<std::string> Run() {
    IndexLists();
    CheckPolygons();
    CheckAnchorListings();
    CheckNodes();
    return std::move(m_problems);
  }

 private:
  void Report(std::string text) { m_problems.push_back(std::move(text)); }

  void IndexLists() {
    for (std::size_t n = 0; n < m_doc.m_nodeList.size(); ++n) {
      const TSNode* node = m_doc.m_nodeList[n].get();
      if (!node) {
        Report(NodeName(n) + ": null entry in the node list");
      } else if (!m_nodes.Add(node, n)) {
        Report(NodeName(n) + ": listed twice in the node list (first as " +
               NodeName(m_nodes.At(node)) + ")");
      }
    }
    for (std::size_t p = 0; p < m_doc.m_polygonList.size(); ++p) {
      const TSPolygon* polygon = m_doc.m_polygonList[p].get();
      if (!polygon) {
        Report(PolygonName(p) + ": null entry in the polygon list");
      } else if (!m_polygons.Add(polygon, p)) {
        Report(PolygonName(p) + ": listed twice in the polygon list (first as " +
               PolygonName(m_polygons.At(polygon)) + ")");
      }
    }
  }

  void CheckPolygons() {
    for (std::size_t p = 0; p < m_doc.m_polygonList.size(); ++p) {
      const TSPolygon* polygon = m_doc.m_polygonList[p].get();
      if (!polygon || m_polygons.At(polygon) != p) continue;
      const auto& walls = polygon->m_wallList;
      if (m_scope == TrackCheckScope::kFull && walls.size() > 12) {
        Report(PolygonName(p) + ": " + std::to_string(walls.size()) + " walls, more than 12");
      }
      for (std::size_t w = 0; w < walls.size(); ++w) CheckPolygonWall(p, w, walls[w].get());
    }
  }

  // Names are built only for a report: this runs for every wall of the track.
  void CheckPolygonWall(std::size_t p, std::size_t w, const TSAnchorWall* wall) {
    auto name = [&] { return WallName(p, w); };
    if (!wall) return Report(name() + ": null entry in the outline");
    if (m_walls.Contains(wall)) {
      const WallPlace& first = m_wallPlaces[m_walls.At(wall)];
      return Report(name() + ": the wall is also listed as " + WallName(first.polygon, first.wall));
    }
    m_walls.Add(wall, m_wallPlaces.size());
    m_wallPlaces.push_back({p, w});
    if (wall->m_pPolygon != m_doc.m_polygonList[p].get()) {
      Report(name() + ": its polygon link names another polygon");
    }
    if (HasBadFlags(*wall)) ReportBadFlags(name());
    const TSNode* node = wall->m_pNode;
    if (!node) return Report(name() + ": no anchor node");
    if (!m_nodes.Contains(node)) {
      return Report(name() + ": its anchor node is not in the document's node list");
    }
  }

  // Counted in one pass over the nodes' lists: counting each wall in its
  // node's list would cost the square of the walls meeting at a crowded node.
  void CheckAnchorListings() {
    std::vector<std::uint32_t> listed(m_wallPlaces.size(), 0);
    for (std::size_t n = 0; n < m_doc.m_nodeList.size(); ++n) {
      const TSNode* node = m_doc.m_nodeList[n].get();
      if (!node || m_nodes.At(node) != n) continue;
      for (const TSAnchorWall* wall : node->m_wallList) {
        if (wall && m_walls.Contains(wall) && wall->m_pNode == node) ++listed[m_walls.At(wall)];
      }
    }
    for (std::size_t i = 0; i < m_wallPlaces.size(); ++i) {
      const WallPlace& place = m_wallPlaces[i];
      const TSNode* node = m_doc.m_polygonList[place.polygon]->m_wallList[place.wall]->m_pNode;
      if (listed[i] == 1 || !node || !m_nodes.Contains(node)) continue;
      Report(WallName(place.polygon, place.wall) + ": listed " + std::to_string(listed[i]) +
             " times by its anchor " + NodeName(m_nodes.At(node)) + ", not once");
    }
  }

  void CheckNodes() {
    for (std::size_t n = 0; n < m_doc.m_nodeList.size(); ++n) {
      const TSNode* node = m_doc.m_nodeList[n].get();
      if (!node || m_nodes.At(node) != n) continue;
      if (HasBadFlags(*node)) ReportBadFlags(NodeName(n));
      for (std::size_t k = 0; k < node->m_wallList.size(); ++k) {
        const TSAnchorWall* wall = node->m_wallList[k];
        auto entry = [&] { return NodeName(n) + ", wall entry " + std::to_string(k + 1); };
        if (!wall) {
          Report(entry() + ": null");
        } else if (!m_walls.Contains(wall)) {
          Report(entry() + ": the wall is listed by no polygon");
        } else if (wall->m_pNode != node) {
          Report(entry() + ": the wall is anchored at another node");
        }
      }
      if (node->m_pItem && node->m_pItem->m_pNode != node) {
        Report(NodeName(n) + ": its item belongs to another node");
      }
    }
  }

  bool HasBadFlags(const TSSelectable& object) const {
    return m_scope == TrackCheckScope::kFull &&
           ((object.m_bSelected & ~1) || (object.m_bHighlighted & ~1));
  }
  void ReportBadFlags(const std::string& name) {
    Report(name + ": a selection flag holds neither 0 nor 1");
  }

  struct WallPlace {
    std::size_t polygon;
    std::size_t wall;
  };

  const CTrassoDoc& m_doc;
  TrackCheckScope m_scope;
  PositionMap m_nodes;
  PositionMap m_polygons;
  PositionMap m_walls;  // position in m_wallPlaces
  std::vector<WallPlace> m_wallPlaces;
  std::vector<std::string> m_problems;
};

}  // namespace

std::vector<std::string> CheckTrack(const CTrassoDoc& doc, TrackCheckScope scope) {
  return TrackChecker(doc, scope).Run();
}
