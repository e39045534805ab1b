#include "compile/compiler_input.h"

#include <algorithm>
#include <vector>

#include "check/race_items.h"
#include "compile/compiler_warnings.h"
#include "compile/connection_finder.h"
#include "compile/input_text_buffer.h"
#include "compile/section_locator.h"
#include "model/element_types.h"
#include "model/prefetch_ahead.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
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
    NumberForExport(m_doc);
    const auto& polygons = m_doc.m_polygonList;
    for (std::size_t p = 0; p < polygons.size(); ++p) {
      PrefetchPolygonsAhead(polygons, p, true);
      WritePolygon(*polygons[p]);
    }
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

  void WriteConnections() {
    Mark(nullptr, nullptr);
    m_text.Text("[Connection_List]\n");
    FindConnections(m_doc, [this](const TSAnchorWall& wall, const TSAnchorWall& back) {
      m_text.Int(wall.m_pPolygon->m_nExportId).Text(", ").Int(wall.m_nExportIndex).Text(", ");
      m_text.Int(back.m_pPolygon->m_nExportId).Text(", ").Int(back.m_nExportIndex).Text("\n");
    });
  }

  CTrassoDoc& m_doc;
  CInputTextBuffer m_text;
  CCompilerWarnings& m_warnings;
  CSectionLocator m_locator;
  CompilerInputMap* m_pMap;
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
