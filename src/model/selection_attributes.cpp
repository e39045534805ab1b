// The ten selection attribute operations of the selection panel. All follow one
// protocol: visit the qualifying objects in a fixed order, apply the value
// unless it is SEL_VALUE_MIXED, and fold the field values into one answer.
// Each field is recorded in the history just before it changes.
#include "model/step_scope.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

class AttributeFold {
 public:
  explicit AttributeFold(int value) : m_value(value) {}

  // `record` runs just before the field changes.
  template <class Record>
  void Visit(int& field, Record record) {
    if (m_value != SEL_VALUE_MIXED && field != m_value) {
      record();
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
int CTrassoDoc::ApplyToSelectedPolygons(int value, const char* name, Field field) {
  CStepScope step(*this, name);
  AttributeFold fold(value);
  for (const auto& polygon : m_polygonList) {
    if (!AllWallsSelected(*polygon)) continue;
    int& target = field(*polygon);
    fold.Visit(target, [&] { step.History().RecordField(target, *polygon, FieldOwner::kPolygon); });
  }
  if (fold.Changed()) NotifyChanged();
  return fold.Result();
}

template <class Field>
int CTrassoDoc::ApplyToSelectedItems(int value, const char* name, Field field) {
  CStepScope step(*this, name);
  AttributeFold fold(value);
  for (const auto& node : m_nodeList) {
    if (!node->m_bSelected || !node->m_pItem) continue;
    int& target = field(*node->m_pItem);
    fold.Visit(target,
               [&] { step.History().RecordField(target, *node->m_pItem, FieldOwner::kItem); });
  }
  if (fold.Changed()) NotifyChanged();
  return fold.Result();
}

int CTrassoDoc::ApplyToSelectedPlaces(int value, const char* name,
                                      TrackLength TSNode::* coordinate) {
  CStepScope step(*this, name);
  AttributeFold fold(value);
  for (const auto& node : m_nodeList) {
    if (!node->m_bSelected) continue;
    fold.Visit((*node).*coordinate, [&] { step.History().RecordPlace(*node); });
  }
  if (fold.Changed()) NotifyChanged();
  return fold.Result();
}

int CTrassoDoc::SetSelWallType(int value) {
  CStepScope step(*this, "Wall texture");
  AttributeFold fold(value);
  for (const auto& polygon : m_polygonList) {
    const auto& walls = polygon->m_wallList;
    // Last wall first; the successor of the last wall is the first.
    for (std::size_t i = walls.size(); i-- > 0;) {
      TSAnchorWall& wall = *walls[i];
      if (wall.m_bSelected && walls[(i + 1) % walls.size()]->m_bSelected) {
        fold.Visit(wall.m_nWallType, [&] {
          step.History().RecordField(wall.m_nWallType, wall, FieldOwner::kWall);
        });
      }
    }
  }
  if (fold.Changed()) NotifyChanged();
  return fold.Result();
}

int CTrassoDoc::SetSelCeilingType(int value) {
  return ApplyToSelectedPolygons(value, "Ceiling texture",
                                 [](TSPolygon& p) -> int& { return p.m_nCeilingType; });
}

int CTrassoDoc::SetSelFloorType(int value) {
  return ApplyToSelectedPolygons(value, "Floor texture",
                                 [](TSPolygon& p) -> int& { return p.m_nFloorType; });
}

int CTrassoDoc::SetSelCeilingLevel(int value) {
  return ApplyToSelectedPolygons(value, "Ceiling level",
                                 [](TSPolygon& p) -> int& { return p.m_nCeilingLevel; });
}

int CTrassoDoc::SetSelFloorLevel(int value) {
  return ApplyToSelectedPolygons(value, "Floor level",
                                 [](TSPolygon& p) -> int& { return p.m_nFloorLevel; });
}

int CTrassoDoc::SetSelItemType(int value) {
  return ApplyToSelectedItems(value, "Object type", [](TSItem& i) -> int& { return i.m_nType; });
}

int CTrassoDoc::SetSelNodeX(int value) {
  return ApplyToSelectedPlaces(value, "Position X", &TSNode::m_x);
}

int CTrassoDoc::SetSelNodeY(int value) {
  return ApplyToSelectedPlaces(value, "Position Y", &TSNode::m_y);
}

int CTrassoDoc::SetSelItemElevation(int value) {
  return ApplyToSelectedItems(value, "Object elevation",
                              [](TSItem& i) -> int& { return i.m_nElevation; });
}

int CTrassoDoc::SetSelItemOrientation(int value) {
  return ApplyToSelectedItems(value, "Object angle",
                              [](TSItem& i) -> int& { return i.m_nOrientation; });
}
