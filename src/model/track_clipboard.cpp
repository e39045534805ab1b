#include "model/track_clipboard.h"

#include <algorithm>
#include <unordered_map>

#include "model/track_file.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

constexpr TrackLength kWorldUnit = 1000;

// Cut deletes a polygon whole when fewer than 3 of its walls stay unselected.
bool CutTakesWhole(const TSPolygon& polygon) {
  const auto selected = std::count_if(polygon.m_wallList.begin(), polygon.m_wallList.end(),
                                      [](const auto& wall) { return wall->m_bSelected != 0; });
  return polygon.m_wallList.size() - static_cast<std::size_t>(selected) < 3;
}

bool CutTakesFreeNode(const TSNode& node) {
  return node.m_bSelected && node.m_wallList.empty();
}

std::unique_ptr<TSNode> CopyNode(const TSNode& source) {
  auto node = std::make_unique<TSNode>();
  node->m_x = source.m_x;
  node->m_y = source.m_y;
  if (const TSItem* item = source.m_pItem.get()) {
    node->m_pItem = std::make_unique<TSItem>();
    node->m_pItem->m_pNode = node.get();
    node->m_pItem->m_nType = item->m_nType;
    node->m_pItem->m_nElevation = item->m_nElevation;
    node->m_pItem->m_nOrientation = item->m_nOrientation;
  }
  return node;
}

}  // namespace

bool CanCopySelection(const CTrassoDoc& doc) {
  if (doc.IsSelectionSurelyEmpty()) return false;
  return std::any_of(doc.m_polygonList.begin(), doc.m_polygonList.end(),
                     [](const auto& polygon) { return CutTakesWhole(*polygon); }) ||
         std::any_of(doc.m_nodeList.begin(), doc.m_nodeList.end(),
                     [](const auto& node) { return CutTakesFreeNode(*node); });
}

std::vector<std::uint8_t> CopySelection(const CTrassoDoc& doc) {
  std::vector<const TSPolygon*> polygons;
  std::unordered_map<const TSNode*, TSNode*> nodeCopies;
  for (const auto& polygon : doc.m_polygonList) {
    if (!CutTakesWhole(*polygon)) continue;
    polygons.push_back(polygon.get());
    for (const auto& wall : polygon->m_wallList) nodeCopies.emplace(wall->m_pNode, nullptr);
  }

  CTrassoDoc copy;
  for (const auto& node : doc.m_nodeList) {
    auto it = nodeCopies.find(node.get());
    if (it == nodeCopies.end() && !CutTakesFreeNode(*node)) continue;
    copy.m_nodeList.push_back(CopyNode(*node));
    if (it != nodeCopies.end()) it->second = copy.m_nodeList.back().get();
  }

  std::unordered_map<const TSAnchorWall*, TSAnchorWall*> wallCopies;
  for (const TSPolygon* source : polygons) {
    auto polygon = std::make_unique<TSPolygon>();
    polygon->m_bFeature = source->m_bFeature;
    polygon->m_nFloorType = source->m_nFloorType;
    polygon->m_nCeilingType = source->m_nCeilingType;
    polygon->m_nFloorLevel = source->m_nFloorLevel;
    polygon->m_nCeilingLevel = source->m_nCeilingLevel;
    for (const auto& sourceWall : source->m_wallList) {
      auto wall = std::make_unique<TSAnchorWall>();
      wall->m_nWallType = sourceWall->m_nWallType;
      wall->m_pNode = nodeCopies.at(sourceWall->m_pNode);
      wall->m_pPolygon = polygon.get();
      wallCopies.emplace(sourceWall.get(), wall.get());
      polygon->m_wallList.push_back(std::move(wall));
    }
    copy.m_polygonList.push_back(std::move(polygon));
  }
  // Each corner lists its copied walls in the order the source node lists them.
  for (const auto& [source, node] : nodeCopies) {
    for (const TSAnchorWall* wall : source->m_wallList) {
      auto it = wallCopies.find(wall);
      if (it != wallCopies.end()) node->m_wallList.push_back(it->second);
    }
  }
  return SaveTrackBytes(copy);
}

TrackVector PasteOffset(const CTrassoDoc& track, std::optional<TrackVector> pointer) {
  if (!pointer || track.m_nodeList.empty()) return {kWorldUnit, -kWorldUnit};
  const auto [left, right] =
      std::minmax_element(track.m_nodeList.begin(), track.m_nodeList.end(),
                          [](const auto& a, const auto& b) { return a->m_x < b->m_x; });
  const auto [bottom, top] =
      std::minmax_element(track.m_nodeList.begin(), track.m_nodeList.end(),
                          [](const auto& a, const auto& b) { return a->m_y < b->m_y; });
  // The sums and differences of 32-bit values need 33 bits.
  const std::int64_t centreX = (std::int64_t{(*left)->m_x} + (*right)->m_x) / 2;
  const std::int64_t centreY = (std::int64_t{(*bottom)->m_y} + (*top)->m_y) / 2;
  return {SaturateToTrackLength(pointer->x - centreX), SaturateToTrackLength(pointer->y - centreY)};
}
