#include "check/section_links.h"

#include <numeric>

#include "check/outline_shape.h"
#include "model/prefetch_ahead.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/string_table.h"

namespace {
constexpr int IDS_SAME_DIRECTION = 12965;

class CUnionFind {
 public:
  explicit CUnionFind(std::size_t count) : m_parent(count) {
    std::iota(m_parent.begin(), m_parent.end(), 0u);
  }
  std::uint32_t Find(std::uint32_t i) {
    while (m_parent[i] != i) i = m_parent[i] = m_parent[m_parent[i]];
    return i;
  }
  void Join(std::uint32_t a, std::uint32_t b) {
    a = Find(a);
    b = Find(b);
    if (a != b) m_parent[std::max(a, b)] = std::min(a, b);
  }

 private:
  std::vector<std::uint32_t> m_parent;
};

const TSNode* EndOf(const TSAnchorWall& wall) {
  const TSAnchorWall* next = wall.GetNextWall();
  return next ? next->m_pNode : nullptr;
}
}  // namespace

SectionLinks LinkSections(const CTrassoDoc& doc, const PolygonIndex& index) {
  const auto count = doc.m_polygonList.size();
  CUnionFind groups(count);
  SectionLinks links;
  for (std::uint32_t p = 0; p < count; ++p) {
    PrefetchPolygonsAhead(doc.m_polygonList, p, true);
    TSPolygon& polygon = *doc.m_polygonList[p];
    if (polygon.m_bFeature) continue;
    const auto& walls = polygon.m_wallList;
    for (std::size_t w = 0; w < walls.size(); ++w) {
      const TSNode* a = walls[w]->m_pNode;
      const TSNode* b = walls[(w + 1) % walls.size()]->m_pNode;
      // The other way round: a wall anchored at b that ends at a.
      for (const TSAnchorWall* other : b->m_wallList) {
        if (other->m_pPolygon == &polygon || other->m_pPolygon->m_bFeature) continue;
        if (EndOf(*other) == a) groups.Join(p, index.at(other->m_pPolygon));
      }
      // The same way: another wall anchored at a that ends at b, reported
      // from the section first in the list.
      for (const TSAnchorWall* other : a->m_wallList) {
        TSPolygon* section = other->m_pPolygon;
        if (section == &polygon || section->m_bFeature || EndOf(*other) != b) continue;
        const std::uint32_t q = index.at(section);
        if (q < p) continue;
        links.sameDirection.push_back(
            {ProblemSeverity::kError,
             ProblemKind::kSameDirectionEdge,
             std::string(LoadResString(IDS_SAME_DIRECTION)),
             {WallObject(polygon, int(p + 1), int(w)),
              WallObject(*section, int(q + 1), section->IndexOfWall(other))}});
      }
    }
  }
  links.group.resize(count);
  links.groupSize.assign(count, 0);
  for (std::uint32_t p = 0; p < count; ++p) {
    links.group[p] = groups.Find(p);
    if (!doc.m_polygonList[p]->m_bFeature) ++links.groupSize[links.group[p]];
  }
  return links;
}
