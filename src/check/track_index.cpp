#include "check/track_index.h"

#include <algorithm>
#include <limits>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
GridBox PointBox(const TSNode& node) {
  return {node.m_x, node.m_y, node.m_x, node.m_y};
}

GridBox Union(const GridBox& a, const GridBox& b) {
  return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
          std::max(a.maxY, b.maxY)};
}

// A polygon without walls is filed at the origin and never handed out.
GridBox PolygonBox(const TSPolygon& polygon) {
  if (polygon.m_wallList.empty()) return {0, 0, 0, 0};
  GridBox box = PointBox(*polygon.m_wallList.front()->m_pNode);
  for (const auto& wall : polygon.m_wallList) box = Union(box, PointBox(*wall->m_pNode));
  return box;
}

// Whether the list still holds the objects indexed. Structural changes are
// told, so this only guards against lists refilled or grown behind the
// history's back (a document read into, a test building a track): it compares
// the lengths, the objects at evenly spread positions and the last ones,
// which keeps it cheap enough to ask on every query.
template <class Owned, class Raw>
bool SameObjects(const OwnedList<Owned>& list,
                 const std::vector<Raw*>& indexed) {
  constexpr std::size_t kSamples = 256;
  if (list.size() != indexed.size()) return false;
  const std::size_t step = std::max<std::size_t>(1, list.size() / kSamples);
  for (std::size_t i = 0; i < list.size(); i += step)
    if (list[i].get() != indexed[i]) return false;
  for (std::size_t i = list.size() - std::min(list.size(), kSamples); i < list.size(); ++i)
    if (list[i].get() != indexed[i]) return false;
  return true;
}
}  // namespace

CTrackIndex::CTrackIndex(CTrassoDoc& doc, std::size_t indexedFrom)
    : m_doc(doc), m_indexedFrom(indexedFrom) {
  doc.AddTrackObserver(this);
}

CTrackIndex::~CTrackIndex() {
  m_doc.RemoveTrackObserver(this);
}

void CTrackIndex::OnTrackChanged(const TrackChange& change) {
  if (!m_bBuilt) return;
  if (change.Has(TrackChange::kAdded) || change.Has(TrackChange::kRemoved) ||
      change.movedNodes.size() > m_nodes.size() / 4 + 16) {
    m_bBuilt = false;
    return;
  }
  if (!change.Has(TrackChange::kMoved)) return;
  if (m_nodeIds.empty()) {
    m_nodeIds.reserve(m_nodes.size());
    for (std::uint32_t id = 0; id < m_nodes.size(); ++id) m_nodeIds.emplace(m_nodes[id], id);
    m_polygonIds.reserve(m_polygons.size());
    for (std::uint32_t id = 0; id < m_polygons.size(); ++id)
      m_polygonIds.emplace(m_polygons[id], id);
  }
  for (const TSNode* node : change.movedNodes) {
    MoveNode(*node);
    if (!m_bBuilt) return;
  }
}

void CTrackIndex::MoveNode(const TSNode& node) {
  const auto found = m_nodeIds.find(&node);
  if (found == m_nodeIds.end()) {
    m_bBuilt = false;
    return;
  }
  const GridBox was = m_nodeGrid.Box(found->second), now = PointBox(node);
  if (was.minX == m_bounds.minX || was.maxX == m_bounds.maxX || was.minY == m_bounds.minY ||
      was.maxY == m_bounds.maxY) {
    m_bBoundsKnown = false;
  } else {
    m_bounds = Union(m_bounds, now);
  }
  m_nodeGrid.Move(found->second, now);
  for (const TSAnchorWall* wall : node.m_wallList) {
    const auto polygon = m_polygonIds.find(wall->m_pPolygon);
    if (polygon == m_polygonIds.end()) {
      m_bBuilt = false;
      return;
    }
    m_polygonGrid.Move(polygon->second, PolygonBox(*wall->m_pPolygon));
  }
}

void CTrackIndex::Refresh() {
  if (m_bBuilt && SameObjects(m_doc.m_nodeList, m_nodes) &&
      SameObjects(m_doc.m_polygonList, m_polygons)) {
    return;
  }
  Build();
}

void CTrackIndex::Build() {
  m_nodes.clear();
  m_polygons.clear();
  m_nodeIds.clear();
  m_polygonIds.clear();
  std::vector<GridBox> boxes;
  boxes.reserve(m_doc.m_nodeList.size());
  for (const auto& node : m_doc.m_nodeList) {
    m_nodes.push_back(node.get());
    boxes.push_back(PointBox(*node));
  }
  m_nodeGrid.Build(boxes);
  m_bBoundsKnown = false;
  boxes.clear();
  for (const auto& polygon : m_doc.m_polygonList) {
    m_polygons.push_back(polygon.get());
    boxes.push_back(PolygonBox(*polygon));
  }
  m_polygonGrid.Build(boxes);
  m_bBuilt = true;
}

bool CTrackIndex::NodeBounds(GridBox& bounds) {
  const auto& nodes = m_doc.m_nodeList;
  if (nodes.empty()) return false;
  if (!IsSmall()) Refresh();
  if (IsSmall() || !m_bBoundsKnown) {
    GridBox box = PointBox(*nodes.front());
    for (const auto& node : nodes) box = Union(box, PointBox(*node));
    if (IsSmall()) {
      bounds = box;
      return true;
    }
    m_bounds = box;
    m_bBoundsKnown = true;
  }
  bounds = m_bounds;
  return true;
}

bool CTrackIndex::IsSmall() const {
  return m_doc.m_nodeList.size() + m_doc.m_polygonList.size() < m_indexedFrom;
}

void CTrackIndex::All(std::vector<std::uint32_t>& ids, std::size_t count) {
  ids.resize(count);
  for (std::uint32_t id = 0; id < count; ++id) ids[id] = id;
}

const std::vector<std::uint32_t>& CTrackIndex::NodesIn(const GridBox& box) {
  if (IsSmall()) {
    All(m_foundNodes, m_doc.m_nodeList.size());
    return m_foundNodes;
  }
  Refresh();
  m_foundNodes.clear();
  m_nodeGrid.Query(box, [&](std::uint32_t id) { m_foundNodes.push_back(id); });
  Sorted(m_foundNodes, m_nodes.size(), m_marks);
  return m_foundNodes;
}

const std::vector<std::uint32_t>& CTrackIndex::PolygonsIn(const GridBox& box) {
  if (IsSmall()) {
    All(m_foundPolygons, m_doc.m_polygonList.size());
    return m_foundPolygons;
  }
  Refresh();
  m_foundPolygons.clear();
  m_polygonGrid.Query(box, [&](std::uint32_t id) {
    if (!m_polygons[id]->m_wallList.empty()) m_foundPolygons.push_back(id);
  });
  Sorted(m_foundPolygons, m_polygons.size(), m_marks);
  return m_foundPolygons;
}

// A large answer is sorted by marking and sweeping, in time of the list's
// length rather than the answer's times its logarithm.
void CTrackIndex::Sorted(std::vector<std::uint32_t>& ids, std::size_t count,
                         std::vector<std::uint8_t>& marks) {
  if (ids.size() < count / 16) {
    std::sort(ids.begin(), ids.end());
    return;
  }
  marks.assign(count, 0);
  for (const std::uint32_t id : ids) marks[id] = 1;
  ids.clear();
  for (std::uint32_t id = 0; id < count; ++id)
    if (marks[id]) ids.push_back(id);
}
