#include "compile/compiler_input.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "check/race_items.h"
#include "compile/compiler_warnings.h"
#include "compile/input_text_buffer.h"
#include "compile/section_locator.h"
#include "model/element_types.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
// While connections are written, a wall already in a connection line keeps its
// position, complemented, in m_nExportIndex, so that its neighbours can still
// be found from it; afterwards it holds kReported.
constexpr int kReported = -1;
bool IsReported(const TSAnchorWall& wall) {
  return wall.m_nExportIndex < 0;
}
void MarkReported(TSAnchorWall& wall) {
  if (!IsReported(wall)) wall.m_nExportIndex = ~wall.m_nExportIndex;
}
// The wall before `wall` in its polygon's outline.
TSAnchorWall* PrevWall(const TSAnchorWall& wall) {
  const auto& walls = wall.m_pPolygon->m_wallList;
  const auto position =
      static_cast<std::size_t>(IsReported(wall) ? ~wall.m_nExportIndex : wall.m_nExportIndex);
  return walls[(position + walls.size() - 1) % walls.size()].get();
}

// Above this many walls at one node, the walls ending there are indexed by the
// node they come from instead of being looked through for every wall.
constexpr std::size_t kCrowdedNode = 16;

// The row of a table, or row 0 for a row outside it, as loading does for
// unknown codes: a bad index must not read outside the table.
const ElementType& Row(const ElementType* table, int count, int row) {
  return table[row >= 0 && row < count ? row : 0];
}

void Pair(CInputTextBuffer& text, const ElementType& type) {
  text.Int(type.nFlag).Text(", ").Int(type.nGameCode);
}

class CInputWriter {
 public:
  CInputWriter(CTrassoDoc& doc, std::ostream& out, CCompilerWarnings& warnings,
               CompilerInputMap* map)
      : m_doc(doc), m_text(out), m_warnings(warnings), m_locator(doc), m_pMap(map) {}

  bool Write() {
    m_text.Text("[Header]\nDescription=").Text(EscapeCompilerInputLine(m_doc.m_strDescription));
    m_text.Text("\nBackground=").Text(EscapeCompilerInputLine(m_doc.m_strBackground)).Text("\n\n");
    Number();
    for (const auto& polygon : m_doc.m_polygonList) WritePolygon(*polygon);
    WriteStartingPositions();
    WriteFreeElements();
    WriteConnections();
    m_text.Text("\n\n");
    return m_text.Flush();
  }

 private:
  void Mark(const TSPolygon* polygon, const TSNode* node) {
    if (m_pMap) m_pMap->push_back({m_text.Line(), polygon, node});
  }

  TSPolygon* SectionOf(const TSNode& node) const {
    return m_locator.FindSection(node.m_x, node.m_y);
  }

  void Number() {
    int id = 0;
    for (const auto& polygon : m_doc.m_polygonList) {
      polygon->m_nExportId = ++id;
      int index = 0;
      for (const auto& wall : polygon->m_wallList) wall->m_nExportIndex = index++;
    }
  }

  void WritePolygon(const TSPolygon& polygon) {
    if (polygon.m_bFeature) {
      // A feature stands in the section of its first node; without one it is
      // left out, and so is a feature without walls, which has no first node.
      if (polygon.m_wallList.empty()) return;
      const TSPolygon* parent = SectionOf(*polygon.m_wallList.front()->m_pNode);
      if (!parent) return;
      Mark(&polygon, nullptr);
      m_text.Text("[Feature]\nId=").Int(polygon.m_nExportId);
      m_text.Text("\nParent=").Int(parent->m_nExportId).Text("\n");
    } else {
      Mark(&polygon, nullptr);
      m_text.Text("[Room]\nId=").Int(polygon.m_nExportId).Text("\n");
    }
    m_text.Text("floor= ").Thousandths(polygon.m_nFloorLevel).Text(", ");
    Pair(m_text, Row(g_floorTypes, g_nFloorTypes, polygon.m_nFloorType));
    m_text.Text("\nceiling= ").Thousandths(polygon.m_nCeilingLevel).Text(", ");
    Pair(m_text, Row(g_ceilingTypes, g_nCeilingTypes, polygon.m_nCeilingType));
    m_text.Text("\n");
    for (const auto& wall : polygon.m_wallList) {
      m_text.Text("wall=").Thousandths(wall->m_pNode->m_x).Text(", ");
      m_text.Thousandths(wall->m_pNode->m_y).Text(", ");
      Pair(m_text, Row(g_wallTypes, g_nWallTypes, wall->m_nWallType));
      m_text.Text("\n");
    }
    m_text.Text("\n");
  }

  // Section, position and orientation, shared by both kinds of item block.
  void WritePlacement(const TSItem& item, const TSPolygon& section) {
    const TSNode& node = *item.m_pNode;
    m_text.Text("Section=").Int(section.m_nExportId).Text("\nPosition= ");
    m_text.Thousandths(node.m_x).Text(", ").Thousandths(node.m_y).Text(", ");
    // The height is summed as integers before the conversion.
    m_text.Thousandths(static_cast<long long>(item.m_nElevation) + section.m_nFloorLevel);
    m_text.Text("\nOrientation= ").Thousandths(item.m_nOrientation).Text("\n");
  }

  void WriteStartingPositions() {
    // The first item of each starting-position row in node order; later ones
    // of the same row are ignored.
    const std::vector<ItemRowUse> rows = CountItemRows(m_doc);
    for (int k = 0; k < kStartingPositions && k < g_nItemTypes && g_itemTypes[k].nFlag == 0; ++k) {
      const TSItem* item = rows[static_cast<std::size_t>(k)].first;
      const TSPolygon* section = item ? SectionOf(*item->m_pNode) : nullptr;
      if (!item) {
        m_warnings.ShowWarning(StartNotFoundWarning(k + 1));
      } else if (!section) {
        m_warnings.ShowWarning(StartNotOnTrackWarning(k + 1));
      } else {
        Mark(nullptr, item->m_pNode);
        m_text.Text("[Initial_Position]\n");
        WritePlacement(*item, *section);
        m_text.Text("Team= ").Int(k + 1).Text("\n\n");
      }
    }
  }

  void WriteFreeElements() {
    for (const auto& node : m_doc.m_nodeList) {
      const TSItem* item = node->m_pItem.get();
      if (!item) continue;
      const ElementType& type = Row(g_itemTypes, g_nItemTypes, item->m_nType);
      if (type.nFlag <= 0) continue;
      const TSPolygon* section = SectionOf(*node);
      if (!section) continue;
      Mark(nullptr, node.get());
      m_text.Text("[Free_Element]\n");
      WritePlacement(*item, *section);
      m_text.Text("Element_Type= ");
      Pair(m_text, type);
      m_text.Text("\n\n");
    }
  }

  // The wall of another section that runs the edge a→b backwards, not yet
  // reported: among the walls anchored at a, in their order there, the first
  // whose polygon's previous wall starts at b.
  TSAnchorWall* OppositeWall(const TSAnchorWall& wall, const TSNode* b) {
    const TSNode* a = wall.m_pNode;
    if (a->m_wallList.size() > kCrowdedNode) return OppositeAtCrowdedNode(wall, b);
    for (TSAnchorWall* other : a->m_wallList) {
      if (other == &wall || other->m_pPolygon->m_bFeature) continue;
      TSAnchorWall* back = PrevWall(*other);
      if (!IsReported(*back) && back->m_pNode == b) return back;
    }
    return nullptr;
  }

  // The same search through an index of the walls ending at a, so that a node
  // where thousands of walls meet costs no more than their number in all.
  TSAnchorWall* OppositeAtCrowdedNode(const TSAnchorWall& wall, const TSNode* b) {
    auto [found, added] = m_crowdedNodes.try_emplace(wall.m_pNode);
    EndingWalls& ending = found->second;
    if (added) {
      for (TSAnchorWall* other : wall.m_pNode->m_wallList) {
        if (other->m_pPolygon->m_bFeature) continue;
        TSAnchorWall* back = PrevWall(*other);
        ending[back->m_pNode].entries.push_back({other, back});
      }
    }
    const auto from = ending.find(b);
    if (from == ending.end()) return nullptr;
    Candidates& candidates = from->second;
    // Reported walls stay reported: the leading ones are passed for good.
    while (candidates.first < candidates.entries.size() &&
           IsReported(*candidates.entries[candidates.first].back)) {
      ++candidates.first;
    }
    for (std::size_t i = candidates.first; i < candidates.entries.size(); ++i) {
      const Candidate& candidate = candidates.entries[i];
      if (candidate.other != &wall && !IsReported(*candidate.back)) return candidate.back;
    }
    return nullptr;
  }

  void WriteConnections() {
    Mark(nullptr, nullptr);
    m_text.Text("[Connection_List]\n");
    for (const auto& polygon : m_doc.m_polygonList) {
      if (polygon->m_bFeature) continue;
      const auto& walls = polygon->m_wallList;
      for (std::size_t i = 0; i < walls.size(); ++i) {
        TSAnchorWall& wall = *walls[i];
        if (IsReported(wall)) continue;
        TSAnchorWall* back = OppositeWall(wall, walls[(i + 1) % walls.size()]->m_pNode);
        if (!back) continue;
        m_text.Int(polygon->m_nExportId).Text(", ").Int(wall.m_nExportIndex).Text(", ");
        m_text.Int(back->m_pPolygon->m_nExportId).Text(", ").Int(back->m_nExportIndex).Text("\n");
        MarkReported(wall);
        MarkReported(*back);
      }
    }
    for (const auto& polygon : m_doc.m_polygonList) {
      for (const auto& wall : polygon->m_wallList) {
        if (IsReported(*wall)) wall->m_nExportIndex = kReported;
      }
    }
  }

  struct Candidate {
    const TSAnchorWall* other;  // anchored at the crowded node
    TSAnchorWall* back;         // the wall before it, ending at the crowded node
  };
  struct Candidates {
    std::vector<Candidate> entries;  // in the order of the crowded node's wall list
    std::size_t first = 0;           // entries before it are all reported
  };
  // By the node the ending wall starts from.
  using EndingWalls = std::unordered_map<const TSNode*, Candidates>;

  CTrassoDoc& m_doc;
  CInputTextBuffer m_text;
  CCompilerWarnings& m_warnings;
  CSectionLocator m_locator;
  CompilerInputMap* m_pMap;
  std::unordered_map<const TSNode*, EndingWalls> m_crowdedNodes;
};
}  // namespace

std::string EscapeCompilerInputLine(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      line += "\\n";
      // A line break of the editor is CR LF: one break, one backslash-n.
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
    }
  }
  return line;
}

bool WriteCompilerInput(CTrassoDoc& doc, std::ostream& out, CCompilerWarnings& warnings,
                        CompilerInputMap* map) {
  return CInputWriter(doc, out, warnings, map).Write();
}

const CompilerInputBlock* FindInputBlock(const CompilerInputMap& map, std::size_t line) {
  const auto after = std::upper_bound(
      map.begin(), map.end(), line,
      [](std::size_t l, const CompilerInputBlock& block) { return l < block.firstLine; });
  return after == map.begin() ? nullptr : &*(after - 1);
}
