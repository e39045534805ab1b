// The operations through which the editing view changes the shape of the track.
// Each records in the history what it is about to change, just before it does.
#include <algorithm>
#include <unordered_set>

#include "model/prefetch_ahead.h"
#include "model/step_scope.h"
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

// Takes one listing of the wall off its anchor, as a deleted wall does.
void UnlistWall(CTrackHistory& history, TSAnchorWall& wall) {
  TSNode& node = *wall.m_pNode;
  auto it = std::find(node.m_wallList.begin(), node.m_wallList.end(), &wall);
  if (it == node.m_wallList.end()) return;
  history.RecordWalls(node);
  node.m_wallList.erase(it);
}

void ListWall(CTrackHistory& history, TSNode& node, TSAnchorWall& wall) {
  history.RecordWalls(node);
  node.m_wallList.push_back(&wall);
}

void Reanchor(CTrackHistory& history, TSAnchorWall& wall, TSNode& node) {
  history.RecordAnchor(wall);
  wall.m_pNode = &node;
}

}  // namespace

TSNode* CTrassoDoc::AppendNode(TrackLength x, TrackLength y, bool bSelected) {
  auto node = std::make_unique<TSNode>();
  node->m_x = x;
  node->m_y = y;
  TSNode* added = node.get();
  if (bSelected) Select(*added);
  m_history.Append(m_nodeList, std::move(node));
  return added;
}

TSNode* CTrassoDoc::AddNode(TrackLength x, TrackLength y, bool bSelected) {
  CStepScope step(*this, "Add node");
  TSNode* node = AppendNode(x, y, bSelected);
  NotifyChanged();
  return node;
}

void CTrassoDoc::MoveSelectedNodes(TrackLength dx, TrackLength dy) {
  // A move that moves nothing (no node selected, a zero step, every node
  // already at the edge) must not make the track look changed. Moves made
  // one after another outside a drag join one step, as keystrokes do.
  CStepScope step(*this, "Move nodes", "move nodes");
  bool moved = false;
  for (const auto& node : m_nodeList) {
    if (!node->m_bSelected) continue;
    const TrackLength x = SaturateToTrackLength(std::int64_t{node->m_x} + dx);
    const TrackLength y = SaturateToTrackLength(std::int64_t{node->m_y} + dy);
    if (x == node->m_x && y == node->m_y) continue;
    step.History().RecordPlace(*node);
    node->m_x = x;
    node->m_y = y;
    moved = true;
  }
  if (moved) NotifyChanged();
}

void CTrassoDoc::CreatePolygon(bool bFeature, std::vector<TSNode*>& path, TrackLength floorLevel,
                               TrackLength ceilingLevel, int wallType, int floorType,
                               int ceilingType, bool bWallsSelected) {
  RemoveRepeatedNodes(path);
  const std::size_t n = path.size();
  if (n < 3) return;
  CStepScope step(*this, bFeature ? "Add feature" : "Add section");

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
    if (bWallsSelected) Select(*wall);
    wall->m_nWallType = wallType;
    wall->m_pNode = node;
    wall->m_pPolygon = polygon.get();
    ListWall(step.History(), *node, *wall);
    polygon->m_wallList.push_back(std::move(wall));
  }
  step.History().Append(m_polygonList, std::move(polygon));
  NotifyChanged();
}

void CTrassoDoc::AttachItem(TSNode* node, int type) {
  CStepScope step(*this, "Insert object");
  auto item = std::make_unique<TSItem>();
  item->m_nType = type;
  item->m_pNode = node;
  step.History().SetItem(*node, std::move(item));
  NotifyChanged();
}

void CTrassoDoc::DetachItem(TSNode* node) {
  if (!node->m_pItem) return;
  CStepScope step(*this, "Remove object");
  step.History().SetItem(*node, nullptr);
  NotifyChanged();
}

TSAnchorWall* CTrassoDoc::GetSelectedWall() const {
  if (IsSelectionSurelyEmpty()) return nullptr;
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
  CStepScope step(*this, "Insert node");

  wall->m_bSelected = 0;
  wall->m_pNode->m_bSelected = 0;
  const TSNode* from = wall->m_pNode;
  const TSNode* to = wall->GetNextWall()->m_pNode;
  // The midpoint of two 32-bit values always fits; the sum needs 64 bits.
  TSNode* middle =
      AppendNode(static_cast<TrackLength>((std::int64_t{to->m_x} + from->m_x) / 2),
                 static_cast<TrackLength>((std::int64_t{to->m_y} + from->m_y) / 2), true);

  auto added = std::make_unique<TSAnchorWall>();
  Select(*added);
  added->m_pNode = middle;
  added->m_pPolygon = polygon;
  ListWall(step.History(), *middle, *added);
  step.History().Insert(polygon->m_wallList, static_cast<std::size_t>(index) + 1,
                        std::move(added));
  NotifyChanged();
  return true;
}

TSNode* CTrassoDoc::DetachWall(TSAnchorWall* wall, TrackLength x, TrackLength y) {
  CStepScope step(*this, "Detach wall");
  CTrackHistory& history = step.History();
  TSNode* node = AppendNode(x, y, true);
  Select(*wall);
  history.RecordWalls(*wall->m_pNode);
  wall->m_pNode->m_wallList.remove(wall);
  ListWall(history, *node, *wall);
  Reanchor(history, *wall, *node);
  NotifyChanged();
  return node;
}

void CTrassoDoc::MergeNodes(TSNode* target, TSNode* source) {
  if (target == source) return;
  CStepScope step(*this, "Merge nodes");
  CTrackHistory& history = step.History();
  // A copy: the loop takes walls out of the source's list.
  const auto walls = source->m_wallList;
  for (TSAnchorWall* wall : walls) {
    TSPolygon* polygon = wall->m_pPolygon;
    const bool targetInPolygon =
        std::any_of(target->m_wallList.begin(), target->m_wallList.end(),
                    [&](const TSAnchorWall* w) { return w->m_pPolygon == polygon; });
    if (targetInPolygon) {
      // The polygon loses this vertex rather than passing twice through the target.
      UnlistWall(history, *wall);
      history.Remove(polygon->m_wallList,
                     {static_cast<std::size_t>(polygon->IndexOfWall(wall))});
    } else {
      history.RecordWalls(*source);
      source->m_wallList.remove(wall);
      ListWall(history, *target, *wall);
      Reanchor(history, *wall, *target);
    }
  }
  auto it = std::find_if(m_nodeList.begin(), m_nodeList.end(),
                         [&](const auto& node) { return node.get() == source; });
  if (it != m_nodeList.end()) {
    history.Remove(m_nodeList, {static_cast<std::size_t>(it - m_nodeList.begin())});
  }
  NotifyChanged();
}

void CTrassoDoc::DeleteSelection() {
  CStepScope step(*this, "Cut");
  CTrackHistory& history = step.History();
  // A polygon left with fewer than 3 walls goes whole, with all its walls, so
  // that undo brings it back as it was; each list is swept once, so the whole
  // cut is linear in the size of the track.
  std::vector<std::size_t> doomedPolygons;
  for (std::size_t p = 0; p < m_polygonList.size(); ++p) {
    PrefetchPolygonsAhead(m_polygonList, p, true);
    TSPolygon& polygon = *m_polygonList[p];
    const auto& walls = polygon.m_wallList;
    const auto kept = std::count_if(walls.begin(), walls.end(),
                                    [](const auto& wall) { return !wall->m_bSelected; });
    if (kept < 3) {
      for (const auto& wall : walls) UnlistWall(history, *wall);
      doomedPolygons.push_back(p);
      continue;
    }
    std::vector<std::size_t> selected;
    for (std::size_t w = 0; w < walls.size(); ++w) {
      if (walls[w]->m_bSelected) selected.push_back(w);
    }
    for (std::size_t w : selected) UnlistWall(history, *walls[w]);
    history.Remove(polygon.m_wallList, std::move(selected));
  }
  history.Remove(m_polygonList, std::move(doomedPolygons));
  std::vector<std::size_t> doomedNodes;
  for (std::size_t n = 0; n < m_nodeList.size(); ++n) {
    if (m_nodeList[n]->m_bSelected && m_nodeList[n]->m_wallList.empty()) doomedNodes.push_back(n);
  }
  history.Remove(m_nodeList, std::move(doomedNodes));
  NotifyChanged();
}
