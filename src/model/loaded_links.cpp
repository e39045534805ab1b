#include "model/loaded_links.h"

#include "model/prefetch_ahead.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

// The marks: a node or polygon met in its list is kListed. A wall is
// kAnchored once its anchor node lists it, and kOutlined once an outline
// holds it too.
constexpr std::uint32_t kListed = 1;
constexpr std::uint32_t kAnchored = 2;
constexpr std::uint32_t kOutlined = 3;

}  // namespace

// Nodes first, so that an outline's wall need not visit its node: being
// kAnchored says that a listed node lists it and is its anchor. With as many
// walls anchored as outlined, each outlined once, the two sets are the same.
// Each node and polygon is visited once.
bool LoadedLinksAgree(const CTrassoDoc& doc, std::size_t created) {
  std::size_t anchored = 0;
  std::size_t items = 0;
  for (std::size_t n = 0; n < doc.m_nodeList.size(); ++n) {
    PrefetchNodesAhead(doc.m_nodeList, n);
    const TSNode* node = doc.m_nodeList[n].get();
    if (!node || node->LoadMark() != 0) return false;
    node->LoadMark() = kListed;
    for (TSAnchorWall* wall : node->m_wallList) {
      if (!wall || wall->LoadMark() != 0 || wall->m_pNode != node) return false;
      wall->LoadMark() = kAnchored;
    }
    anchored += node->m_wallList.size();
    if (const TSItem* item = node->m_pItem.get()) {
      if (item->m_pNode != node) return false;
      ++items;
    }
  }
  std::size_t walls = 0;
  for (std::size_t p = 0; p < doc.m_polygonList.size(); ++p) {
    PrefetchPolygonsAhead(doc.m_polygonList, p);
    const TSPolygon* polygon = doc.m_polygonList[p].get();
    if (!polygon || polygon->LoadMark() != 0) return false;
    polygon->LoadMark() = kListed;
    for (const auto& wall : polygon->m_wallList) {
      if (!wall || wall->LoadMark() != kAnchored || wall->m_pPolygon != polygon) return false;
      wall->LoadMark() = kOutlined;
    }
    walls += polygon->m_wallList.size();
  }
  const std::size_t owned = doc.m_nodeList.size() + doc.m_polygonList.size() + items + walls;
  return anchored == walls && owned == created;
}
