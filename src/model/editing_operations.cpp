// The operations through which the editing view changes the shape of the track.
#include <algorithm>
#include <unordered_set>

#include "model/node_deletion_observer.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

constexpr std::size_t kMaxWalls = 12;

// The turn at b of the path a → b → c: ≤ 0 for a clockwise (right) turn.
TrackArea Turn(const TSNode& a, const TSNode& b, const TSNode& c) {
  return CrossProduct(std::int64_t{b.m_x} - a.m_x, std::int64_t{b.m_y} - a.m_y,
                      std::int64_t{c.m_x} - b.m_x, std::int64_t{c.m_y} - b.m_y);
}

void RemoveRepeatedNodes(std::vector<TSNode*>& path) {
  std::unordered_set<TSNode*> seen;
  std::erase_if(path, [&](TSNode* node) { return !seen.insert(node).second; });
}

}  // namespace

TSNode* CTrassoDoc::AppendNode(TrackLength x, TrackLength y, bool bSelected) {
  auto node = std::make_unique<TSNode>();
  node->m_x = x;
  node->m_y = y;
  node->m_bSelected = bSelected;
  m_nodeList.push_back(std::move(node));
  return m_nodeList.back().get();
}

TSNode* CTrassoDoc::AddNode(TrackLength x, TrackLength y, bool bSelected) {
  TSNode* node = AppendNode(x, y, bSelected);
  NotifyChanged();
  return node;
}

void CTrassoDoc::MoveSelectedNodes(TrackLength dx, TrackLength dy) {
  // A move that moves nothing (no node selected, a zero step, every node
  // already at the edge) must not make the track look changed.
  bool moved = false;
  for (const auto& node : m_nodeList) {
    if (!node->m_bSelected) continue;
    const TrackLength x = SaturateToTrackLength(std::int64_t{node->m_x} + dx);
    const TrackLength y = SaturateToTrackLength(std::int64_t{node->m_y} + dy);
    moved = moved || x != node->m_x || y != node->m_y;
    node->m_x = x;
    node->m_y = y;
  }
  if (moved) NotifyChanged();
}

void CTrassoDoc::CreatePolygon(bool bFeature, std::vector<TSNode*>& path, TrackLength floorLevel,
                               TrackLength ceilingLevel, int wallType, int floorType,
                               int ceilingType, bool bWallsSelected) {
  RemoveRepeatedNodes(path);
  const std::size_t n = path.size();
  if (n < 3) return;

  // The turn at the last three traced nodes decides the direction, so that a
  // convex outline traced either way is stored clockwise.
  const bool forward = Turn(*path[n - 3], *path[n - 2], *path[n - 1]) <= 0;

  auto polygon = std::make_unique<TSPolygon>();
  polygon->m_bFeature = bFeature;
  polygon->m_nFloorLevel = floorLevel;
  polygon->m_nCeilingLevel = ceilingLevel;
  polygon->m_nFloorType = floorType;
  polygon->m_nCeilingType = ceilingType;
  for (std::size_t k = 0; k < n && polygon->m_wallList.size() < kMaxWalls; ++k) {
    TSNode* node = path[forward ? k : n - 1 - k];
    auto wall = std::make_unique<TSAnchorWall>();
    wall->m_bSelected = bWallsSelected;
    wall->m_nWallType = wallType;
    wall->m_pNode = node;
    wall->m_pPolygon = polygon.get();
    node->m_wallList.push_back(wall.get());
    polygon->m_wallList.push_back(std::move(wall));
  }
  m_polygonList.push_back(std::move(polygon));
  NotifyChanged();
}

void CTrassoDoc::AttachItem(TSNode* node, int type) {
  auto item = std::make_unique<TSItem>();
  item->m_nType = type;
  item->m_pNode = node;
  node->m_pItem = std::move(item);
  NotifyChanged();
}

TSAnchorWall* CTrassoDoc::GetSelectedWall() const {
  TSAnchorWall* found = nullptr;
  for (const auto& polygon : m_polygonList) {
    const auto& walls = polygon->m_wallList;
    for (std::size_t i = 0; i < walls.size(); ++i) {
      if (!walls[i]->m_bSelected || !walls[(i + 1) % walls.size()]->m_bSelected) continue;
      if (found) return nullptr;  // a second selected edge
      found = walls[i].get();
    }
  }
  return found;
}

bool CTrassoDoc::InsertNodeOnWall(TSAnchorWall* wall) {
  if (!wall || !wall->m_pPolygon) return false;
  TSPolygon* polygon = wall->m_pPolygon;
  if (polygon->m_wallList.size() >= kMaxWalls) return false;
  const int index = polygon->IndexOfWall(wall);
  if (index < 0) return false;

  wall->m_bSelected = 0;
  wall->m_pNode->m_bSelected = 0;
  const TSNode* from = wall->m_pNode;
  const TSNode* to = wall->GetNextWall()->m_pNode;
  // The midpoint of two 32-bit values always fits; the sum needs 64 bits.
  TSNode* middle =
      AppendNode(static_cast<TrackLength>((std::int64_t{to->m_x} + from->m_x) / 2),
                 static_cast<TrackLength>((std::int64_t{to->m_y} + from->m_y) / 2), true);

  auto added = std::make_unique<TSAnchorWall>();
  added->m_bSelected = 1;
  added->m_pNode = middle;
  added->m_pPolygon = polygon;
  middle->m_wallList.push_back(added.get());
  polygon->m_wallList.insert(polygon->m_wallList.begin() + index + 1, std::move(added));
  NotifyChanged();
  return true;
}

TSNode* CTrassoDoc::DetachWall(TSAnchorWall* wall, TrackLength x, TrackLength y) {
  TSNode* node = AppendNode(x, y, true);
  wall->m_bSelected = 1;
  wall->m_pNode->m_wallList.remove(wall);
  node->m_wallList.push_back(wall);
  wall->m_pNode = node;
  NotifyChanged();
  return node;
}

void CTrassoDoc::MergeNodes(TSNode* target, TSNode* source) {
  if (target == source) return;
  // A copy: deleting a wall takes it out of the source's list.
  const auto walls = source->m_wallList;
  for (TSAnchorWall* wall : walls) {
    TSPolygon* polygon = wall->m_pPolygon;
    const bool targetInPolygon =
        std::any_of(target->m_wallList.begin(), target->m_wallList.end(),
                    [&](const TSAnchorWall* w) { return w->m_pPolygon == polygon; });
    if (targetInPolygon) {
      // The polygon loses this vertex rather than passing twice through the target.
      auto& outline = polygon->m_wallList;
      outline.erase(outline.begin() + polygon->IndexOfWall(wall));
    } else {
      source->m_wallList.remove(wall);
      target->m_wallList.push_back(wall);
      wall->m_pNode = target;
    }
  }
  auto it = std::find_if(m_nodeList.begin(), m_nodeList.end(),
                         [&](const auto& node) { return node.get() == source; });
  if (it != m_nodeList.end()) {
    NotifyDeletingNodes([source](const TSNode* node) { return node == source; });
    m_nodeList.erase(it);
  }
  NotifyChanged();
}

void CTrassoDoc::DeleteSelection() {
  // Deleted objects leave null entries that are swept out once per list, so
  // the whole cut is linear in the size of the track.
  for (auto& polygon : m_polygonList) {
    auto& walls = polygon->m_wallList;
    for (auto& wall : walls) {
      if (wall->m_bSelected) wall.reset();
    }
    std::erase(walls, nullptr);
    if (walls.size() < 3) polygon.reset();
  }
  std::erase(m_polygonList, nullptr);
  const auto doomed = [](const TSNode* node) {
    return node->m_bSelected && node->m_wallList.empty();
  };
  NotifyDeletingNodes(doomed);
  for (auto& node : m_nodeList) {
    if (doomed(node.get())) node.reset();
  }
  std::erase(m_nodeList, nullptr);
  NotifyChanged();
}

void CTrassoDoc::NotifyDeletingNodes(const std::function<bool(const TSNode*)>& isDoomed) const {
  for (CDocumentObserver* view : GetViews()) {
    if (auto* observer = dynamic_cast<CNodeDeletionObserver*>(view))
      observer->OnDeletingNodes(isDoomed);
  }
}
