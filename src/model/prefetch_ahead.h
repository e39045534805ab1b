#pragma once
// A loaded track lies in memory in the order of its file, not of its lists,
// so a walk over the polygon list misses the cache at every polygon and wall.
// Asked for a few polygons ahead, stage by stage, the objects arrive side by
// side instead of one after another. Only a hint: no pointer is followed that
// the walk itself would not follow, and null entries are passed over.

#include <cstddef>
#include <memory>
#include <vector>

#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

inline constexpr std::size_t kPrefetchDistance = 16;

// Always inlined: as a call, the compiler takes it for one without effect and drops it.
// With `nodes`, the walls' anchor nodes too.
[[gnu::always_inline]] inline void PrefetchPolygonsAhead(
    const OwnedList<TSPolygon>& polygons, std::size_t p, bool nodes = false) {
  const std::size_t count = polygons.size();
  if (p + kPrefetchDistance < count) __builtin_prefetch(polygons[p + kPrefetchDistance].get());
  if (p + kPrefetchDistance / 2 < count) {
    if (const TSPolygon* polygon = polygons[p + kPrefetchDistance / 2].get()) {
      __builtin_prefetch(polygon->m_wallList.data());
    }
  }
  if (p + kPrefetchDistance / 4 < count) {
    if (const TSPolygon* polygon = polygons[p + kPrefetchDistance / 4].get()) {
      for (const auto& wall : polygon->m_wallList) __builtin_prefetch(wall.get());
    }
  }
  if (nodes && p + kPrefetchDistance / 8 < count) {
    if (const TSPolygon* polygon = polygons[p + kPrefetchDistance / 8].get()) {
      for (const auto& wall : polygon->m_wallList) {
        if (wall) __builtin_prefetch(wall->m_pNode);
      }
    }
  }
}

// The same for the node list, with the walls each node lists.
[[gnu::always_inline]] inline void PrefetchNodesAhead(
    const OwnedList<TSNode>& nodes, std::size_t n) {
  const std::size_t count = nodes.size();
  if (n + kPrefetchDistance < count) __builtin_prefetch(nodes[n + kPrefetchDistance].get());
  if (n + kPrefetchDistance / 2 < count) {
    if (const TSNode* node = nodes[n + kPrefetchDistance / 2].get()) {
      for (const TSAnchorWall* wall : node->m_wallList) __builtin_prefetch(wall);
    }
  }
}
