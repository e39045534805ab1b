// The ten selection attribute operations of the selection panel. All follow one
// protocol: visit the qualifying objects in a fixed order, apply the value
// unless it is SEL_VALUE_MIXED, and fold the field values into one answer.
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

class AttributeFold {
 public:
  explicit AttributeFold(int value) : m_value(value) {}

  void Visit(int& field) {
    if (m_value != SEL_VALUE_MIXED && field != m_value) {
      field = m_value;
      m_changed = true;
    }
    if (m_result == SEL_VALUE_NONE) {
      m_result = field;
    } else if (m_result != field) {
      m_result = SEL_VALUE_MIXED;
    }
  }
  bool Changed() const { return m_changed; }
  int Result() const { return m_result; }

 private:
  int m_value;
  int m_result = SEL_VALUE_NONE;
  bool m_changed = false;
};

bool AllWallsSelected(const TSPolygon& polygon) {
  for (const auto& wall : polygon.m_wallList) {
    if (!wall->m_bSelected) return false;
  }
  return true;
}

}  // namespace

template <class Field>
int CTrassoDoc::ApplyToSelectedPolygons(int value, Field field) {
  AttributeFold fold(value);
  for (const auto& polygon : m_polygonList) {
    if (AllWallsSelected(*polygon)) fold.Visit(field(*polygon));
  }
  if (fold.Changed()) NotifyChanged();
  return fold.Result();
}

template <class Field>
int CTrassoDoc::ApplyToSelectedNodes(int value, bool itemsOnly, Field field) {
  AttributeFold fold(value);
  for (const auto& node : m_nodeList) {
    if (!node->m_bSelected || (itemsOnly && !node->m_pItem)) continue;
    fold.Visit(field(*node));
  }
  if (fold.Changed()) NotifyChanged();
  return fold.Result();
}

int CTrassoDoc::SetSelWallType(int value) {
  AttributeFold fold(value);
  for (const auto& polygon : m_polygonList) {
    const auto& walls = polygon->m_wallList;
    // Last wall first; the successor of the last wall is the first.
    for (std::size_t i = walls.size(); i-- > 0;) {
      TSAnchorWall& wall = *walls[i];
      if (wall.m_bSelected && walls[(i + 1) % walls.size()]->m_bSelected) {
        fold.Visit(wall.m_nWallType);
      }
    }
  }
  if (fold.Changed()) NotifyChanged();
  return fold.Result();
}

int CTrassoDoc::SetSelCeilingType(int value) {
  return ApplyToSelectedPolygons(value, [](TSPolygon& p) -> int& { return p.m_nCeilingType; });
}

int CTrassoDoc::SetSelFloorType(int value) {
  return ApplyToSelectedPolygons(value, [](TSPolygon& p) -> int& { return p.m_nFloorType; });
}

int CTrassoDoc::SetSelCeilingLevel(int value) {
  return ApplyToSelectedPolygons(value, [](TSPolygon& p) -> int& { return p.m_nCeilingLevel; });
}

int CTrassoDoc::SetSelFloorLevel(int value) {
  return ApplyToSelectedPolygons(value, [](TSPolygon& p) -> int& { return p.m_nFloorLevel; });
}

int CTrassoDoc::SetSelItemType(int value) {
  return ApplyToSelectedNodes(value, true, [](TSNode& n) -> int& { return n.m_pItem->m_nType; });
}

int CTrassoDoc::SetSelNodeX(int value) {
  return ApplyToSelectedNodes(value, false, [](TSNode& n) -> int& { return n.m_x; });
}

int CTrassoDoc::SetSelNodeY(int value) {
  return ApplyToSelectedNodes(value, false, [](TSNode& n) -> int& { return n.m_y; });
}

int CTrassoDoc::SetSelItemElevation(int value) {
  return ApplyToSelectedNodes(value, true,
                              [](TSNode& n) -> int& { return n.m_pItem->m_nElevation; });
}

int CTrassoDoc::SetSelItemOrientation(int value) {
  return ApplyToSelectedNodes(value, true,
                              [](TSNode& n) -> int& { return n.m_pItem->m_nOrientation; });
}
