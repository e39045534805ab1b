#include "model/loaded_links.h"

#include "model/prefetch_ahead.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

// The marks: a node or polygon in its list is kListed; a wall in an outline
// is kListed, and kAnchored once its anchor node lists it.
constexpr std::uint32_t kListed = 1;
constexpr std::uint32_t kAnchored = 2;

// Lists each object of `list` once, with no null entry.
template <class List>
bool MarkListed(const List& list) {
  for (const auto& object : list) {
    if (!object || object->LoadMark() != 0) return false;
    object->LoadMark() = kListed;
  }
  return true;
}

}  // namespace

bool LoadedLinksAgree(const CTrassoDoc& doc, std::size_t created) {
  if (!MarkListed(doc.m_nodeList) || !MarkListed(doc.m_polygonList)) return false;
  std::size_t owned = doc.m_nodeList.size() + doc.m_polygonList.size();
  std::size_t walls = 0;
  for (std::size_t p = 0; p < doc.m_polygonList.size(); ++p) {
    PrefetchPolygonsAhead(doc.m_polygonList, p, true);
    const auto& polygon = doc.m_polygonList[p];
    for (const auto& wall : polygon->m_wallList) {
      if (!wall || wall->LoadMark() != 0 || wall->m_pPolygon != polygon.get()) return false;
      if (!wall->m_pNode || wall->m_pNode->LoadMark() != kListed) return false;
      wall->LoadMark() = kListed;
    }
    walls += polygon->m_wallList.size();
  }
  std::size_t anchored = 0;
  for (std::size_t n = 0; n < doc.m_nodeList.size(); ++n) {
    PrefetchNodesAhead(doc.m_nodeList, n);
    const auto& node = doc.m_nodeList[n];
    for (TSAnchorWall* wall : node->m_wallList) {
      if (!wall || wall->LoadMark() != kListed || wall->m_pNode != node.get()) return false;
      wall->LoadMark() = kAnchored;
    }
    anchored += node->m_wallList.size();
    if (const TSItem* item = node->m_pItem.get()) {
      if (item->m_pNode != node.get()) return false;
      ++owned;
    }
  }
  return anchored == walls && owned + walls == created;
}
