// The stored bodies of the model classes and of the document. Texture and
// item fields hold table rows in memory and file codes on disk.

#include "model/element_types.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/archive.h"

namespace {

// A row outside the table (which no operation produces) stores the code of
// row 0 rather than reading past the table.
template <const ElementType* Table, const int* Count>
constexpr CArchiveCodec kCodec{
    [](int row) -> std::int32_t { return Table[row >= 0 && row < *Count ? row : 0].nFileCode; },
    [](std::int32_t code) {
      static const ElementCodeIndex index(Table, *Count);
      return index.Find(code);
    },
};

}  // namespace

void CTrassoDoc::Serialize(CArchive& ar) {
  ar.List(m_nodeList);
  ar.List(m_polygonList);
  ar.String(m_strBackground);
  ar.String(m_strDescription);
}

void TSNode::Serialize(CArchive& ar) {
  ar.Int32(m_x);
  ar.Int32(m_y);
  ar.Object(m_pItem);
  ar.List(m_wallList);
}

void TSAnchorWall::Serialize(CArchive& ar) {
  ar.Code(m_nWallType, kCodec<g_wallTypes, &g_nWallTypes>);
  ar.Object(m_pNode);
  ar.Object(m_pPolygon);
}

void TSPolygon::Serialize(CArchive& ar) {
  ar.Int32(m_bFeature);
  ar.Code(m_nFloorType, kCodec<g_floorTypes, &g_nFloorTypes>);
  ar.Code(m_nCeilingType, kCodec<g_ceilingTypes, &g_nCeilingTypes>);
  ar.Int32(m_nFloorLevel);
  ar.Int32(m_nCeilingLevel);
  ar.List(m_wallList);
}

void TSItem::Serialize(CArchive& ar) {
  ar.Object(m_pNode);
  ar.Code(m_nType, kCodec<g_itemTypes, &g_nItemTypes>);
  ar.Int32(m_nElevation);
  ar.Int32(m_nOrientation);
}
