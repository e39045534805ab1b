#include "model/track_check.h"

#include <algorithm>
#include <unordered_map>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

std::string PolygonName(std::size_t p) { return "polygon " + std::to_string(p + 1); }
std::string WallName(std::size_t p, std::size_t w) {
  return PolygonName(p) + ", wall " + std::to_string(w + 1);
}
std::string NodeName(std::size_t n) { return "node " + std::to_string(n + 1); }

class TrackChecker {
 public:
  TrackChecker(const CTrassoDoc& doc, TrackCheckScope scope) : m_doc(doc), m_scope(scope) {}

  std::vector<std::string> Run() {
    IndexLists();
    CheckPolygons();
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
      } else if (!m_nodes.emplace(node, n).second) {
        Report(NodeName(n) + ": listed twice in the node list (first as " +
               NodeName(m_nodes[node]) + ")");
      }
    }
    for (std::size_t p = 0; p < m_doc.m_polygonList.size(); ++p) {
      const TSPolygon* polygon = m_doc.m_polygonList[p].get();
      if (!polygon) {
        Report(PolygonName(p) + ": null entry in the polygon list");
      } else if (!m_polygons.emplace(polygon, p).second) {
        Report(PolygonName(p) + ": listed twice in the polygon list (first as " +
               PolygonName(m_polygons[polygon]) + ")");
      }
    }
  }

  void CheckPolygons() {
    for (std::size_t p = 0; p < m_doc.m_polygonList.size(); ++p) {
      const TSPolygon* polygon = m_doc.m_polygonList[p].get();
      if (!polygon || m_polygons[polygon] != p) continue;
      const auto& walls = polygon->m_wallList;
      if (m_scope == TrackCheckScope::kFull && walls.size() > 12) {
        Report(PolygonName(p) + ": " + std::to_string(walls.size()) + " walls, more than 12");
      }
      for (std::size_t w = 0; w < walls.size(); ++w) CheckPolygonWall(p, w, walls[w].get());
    }
  }

  void CheckPolygonWall(std::size_t p, std::size_t w, const TSAnchorWall* wall) {
    const std::string name = WallName(p, w);
    if (!wall) return Report(name + ": null entry in the outline");
    auto [it, fresh] = m_walls.emplace(wall, WallPlace{p, w});
    if (!fresh) {
      return Report(name + ": the wall is also listed as " +
                    WallName(it->second.polygon, it->second.wall));
    }
    if (wall->m_pPolygon != m_doc.m_polygonList[p].get()) {
      Report(name + ": its polygon link names another polygon");
    }
    CheckFlags(name, *wall);
    const TSNode* node = wall->m_pNode;
    if (!node) return Report(name + ": no anchor node");
    if (!m_nodes.contains(node)) {
      return Report(name + ": its anchor node is not in the document's node list");
    }
    const auto listed = std::count(node->m_wallList.begin(), node->m_wallList.end(), wall);
    if (listed != 1) {
      Report(name + ": listed " + std::to_string(listed) + " times by its anchor " +
             NodeName(m_nodes[node]) + ", not once");
    }
  }

  void CheckNodes() {
    for (std::size_t n = 0; n < m_doc.m_nodeList.size(); ++n) {
      const TSNode* node = m_doc.m_nodeList[n].get();
      if (!node || m_nodes[node] != n) continue;
      const std::string name = NodeName(n);
      CheckFlags(name, *node);
      for (std::size_t k = 0; k < node->m_wallList.size(); ++k) {
        const TSAnchorWall* wall = node->m_wallList[k];
        const std::string entry = name + ", wall entry " + std::to_string(k + 1);
        if (!wall) {
          Report(entry + ": null");
        } else if (!m_walls.contains(wall)) {
          Report(entry + ": the wall is listed by no polygon");
        } else if (wall->m_pNode != node) {
          Report(entry + ": the wall is anchored at another node");
        }
      }
      if (node->m_pItem && node->m_pItem->m_pNode != node) {
        Report(name + ": its item belongs to another node");
      }
    }
  }

  void CheckFlags(const std::string& name, const TSSelectable& object) {
    if (m_scope != TrackCheckScope::kFull) return;
    if ((object.m_bSelected & ~1) || (object.m_bHighlighted & ~1)) {
      Report(name + ": a selection flag holds neither 0 nor 1");
    }
  }

  struct WallPlace {
    std::size_t polygon;
    std::size_t wall;
  };

  const CTrassoDoc& m_doc;
  TrackCheckScope m_scope;
  std::unordered_map<const TSNode*, std::size_t> m_nodes;
  std::unordered_map<const TSPolygon*, std::size_t> m_polygons;
  std::unordered_map<const TSAnchorWall*, WallPlace> m_walls;
  std::vector<std::string> m_problems;
};

}  // namespace

std::vector<std::string> CheckTrack(const CTrassoDoc& doc, TrackCheckScope scope) {
  return TrackChecker(doc, scope).Run();
}
