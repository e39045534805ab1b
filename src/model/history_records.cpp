#include "model/history_records.h"

#include <algorithm>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {

// Objects held by the history may point at nodes that are gone by the time
// the history lets go of them; their destructors must not follow those links.
void Unlink(TSAnchorWall& wall) {
  wall.m_pNode = nullptr;
}
void Unlink(TSPolygon& polygon) {
  for (auto& wall : polygon.m_wallList) Unlink(*wall);
}
void Unlink(TSNode&) {}

void Select(CTrassoDoc& doc, TSNode& node) {
  doc.Select(node);
}
void Select(CTrassoDoc& doc, TSPolygon& polygon) {
  for (auto& wall : polygon.m_wallList) doc.Select(*wall);
}
void Select(CTrassoDoc& doc, TSAnchorWall& wall) {
  doc.Select(wall);
}

void ReportRemoved(const TSNode& node, TrackChange& change) {
  change.removedNodes.push_back(&node);
}
void ReportRemoved(const TSPolygon&, TrackChange&) {}
void ReportRemoved(const TSAnchorWall&, TrackChange&) {}

std::size_t ObjectBytes(const TSNode&) {
  return sizeof(TSNode);
}
std::size_t ObjectBytes(const TSPolygon& polygon) {
  return sizeof(TSPolygon) + polygon.m_wallList.size() * (sizeof(TSAnchorWall) + sizeof(void*));
}
std::size_t ObjectBytes(const TSAnchorWall&) {
  return sizeof(TSAnchorWall);
}

template <class Records>
void SwapAll(Records& records, bool forward) {
  if (forward) {
    for (auto& record : records) record.Swap();
  } else {
    for (auto it = records.rbegin(); it != records.rend(); ++it) it->Swap();
  }
}

template <class Records>
void AppendAll(Records& to, Records& from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

}  // namespace

void NodePlaceRecord::Swap() {
  std::swap(node->m_x, x);
  std::swap(node->m_y, y);
}

bool NodePlaceRecord::IsNoOp() const {
  return node->m_x == x && node->m_y == y;
}

void FieldRecord::SelectOwner(CTrassoDoc& doc) const {
  switch (kind) {
    case FieldOwner::kPolygon:
      Select(doc, *static_cast<TSPolygon*>(owner));
      break;
    case FieldOwner::kWall: {
      // A wall's texture belongs to its edge, which runs to the next corner.
      auto* wall = static_cast<TSAnchorWall*>(owner);
      Select(doc, *wall);
      if (TSAnchorWall* next = wall->GetNextWall()) Select(doc, *next);
      break;
    }
    case FieldOwner::kItem:
      if (TSNode* node = static_cast<TSItem*>(owner)->m_pNode) Select(doc, *node);
      break;
  }
}

void NodeWallsRecord::Swap() {
  std::swap(node->m_wallList, walls);
}

void WallAnchorRecord::Swap() {
  std::swap(wall->m_pNode, node);
}

template <class T>
CMembershipRecord<T>::CMembershipRecord(List& list, std::vector<std::size_t> indexes)
    : m_list(list), m_indexes(std::move(indexes)), m_outside(m_indexes.size()) {
  m_objects.reserve(m_indexes.size());
  for (std::size_t index : m_indexes) m_objects.push_back(m_list[index].get());
}

template <class T>
CMembershipRecord<T>::~CMembershipRecord() {
  for (auto& object : m_outside) {
    if (object) Unlink(*object);
  }
}

template <class T>
bool CMembershipRecord<T>::ExtendByAppended() {
  const std::size_t last = m_list.size() - 1;
  if (!m_inside || m_indexes.empty() || m_indexes.back() + 1 != last) return false;
  m_indexes.push_back(last);
  m_objects.push_back(m_list[last].get());
  m_outside.emplace_back();
  return true;
}

template <class T>
void CMembershipRecord<T>::Swap(TrackChange& change) {
  if (m_inside) {
    TakeOut(change);
    change.kinds |= TrackChange::kRemoved;
  } else {
    PutBack();
    change.kinds |= TrackChange::kAdded;
  }
  m_inside = !m_inside;
}

// Only the part of the list from the first entry on moves, so taking back
// what was appended costs the size of the change, not of the track.
template <class T>
void CMembershipRecord<T>::TakeOut(TrackChange& change) {
  if (m_indexes.empty()) return;
  std::size_t next = 0;
  std::size_t write = m_indexes.front();
  for (std::size_t read = write; read < m_list.size(); ++read) {
    if (next < m_indexes.size() && m_indexes[next] == read) {
      ReportRemoved(*m_list[read], change);
      m_outside[next++] = std::move(m_list[read]);
    } else {
      m_list[write++] = std::move(m_list[read]);
    }
  }
  m_list.resize(write);
}

template <class T>
void CMembershipRecord<T>::PutBack() {
  if (m_indexes.empty()) return;
  const std::size_t oldSize = m_list.size();
  m_list.resize(oldSize + m_indexes.size());
  std::size_t read = oldSize;
  std::size_t next = m_indexes.size();
  for (std::size_t write = m_list.size(); write-- > m_indexes.front();) {
    if (next > 0 && m_indexes[next - 1] == write) {
      m_list[write] = std::move(m_outside[--next]);
    } else {
      m_list[write] = std::move(m_list[--read]);
    }
  }
}

template <class T>
void CMembershipRecord<T>::SelectTouched(CTrassoDoc& doc) const {
  if (!m_inside) return;
  for (T* object : m_objects) Select(doc, *object);
}

template <class T>
std::size_t CMembershipRecord<T>::Bytes() const {
  std::size_t bytes = sizeof *this + m_indexes.capacity() * sizeof(std::size_t) +
                      (m_objects.capacity() + m_outside.capacity()) * sizeof(void*);
  for (const auto& object : m_outside) {
    if (object) bytes += ObjectBytes(*object);
  }
  return bytes;
}

template class CMembershipRecord<TSNode>;
template class CMembershipRecord<TSPolygon>;
template class CMembershipRecord<TSAnchorWall>;

CItemRecord::CItemRecord(TSNode& node, std::unique_ptr<TSItem> item)
    : m_node(node), m_item(std::move(item)) {}

CItemRecord::~CItemRecord() {
  if (m_item) m_item->m_pNode = nullptr;
}

void CItemRecord::Swap(TrackChange& change) {
  std::swap(m_node.m_pItem, m_item);
  change.kinds |= m_node.m_pItem ? TrackChange::kAdded : TrackChange::kRemoved;
}

void CItemRecord::SelectTouched(CTrassoDoc& doc) const {
  Select(doc, m_node);
}

std::size_t CItemRecord::Bytes() const {
  return sizeof *this + (m_item ? sizeof(TSItem) : 0);
}

void CTextRecord::Swap(TrackChange& change) {
  std::swap(m_text, m_value);
  change.kinds |= TrackChange::kAttributes;
}

bool HistoryStep::Empty() const {
  return places.empty() && fields.empty() && nodeWalls.empty() && anchors.empty() &&
         structure.empty();
}

void HistoryStep::Apply(bool forward, TrackChange& change) {
  if (!places.empty()) change.kinds |= TrackChange::kMoved;
  for (const auto& record : places) change.movedNodes.push_back(record.node);
  if (!fields.empty()) change.kinds |= TrackChange::kAttributes;
  SwapAll(places, forward);
  SwapAll(fields, forward);
  SwapAll(nodeWalls, forward);
  SwapAll(anchors, forward);
  if (forward) {
    for (auto& record : structure) record->Swap(change);
  } else {
    for (auto it = structure.rbegin(); it != structure.rend(); ++it) (*it)->Swap(change);
  }
}

void HistoryStep::SelectTouched(CTrassoDoc& doc) const {
  for (const auto& record : places) Select(doc, *record.node);
  for (const auto& record : fields) record.SelectOwner(doc);
  for (const auto& record : anchors) Select(doc, *record.wall);
  for (const auto& record : structure) record->SelectTouched(doc);
}

void HistoryStep::Prune() {
  std::erase_if(places, [](const NodePlaceRecord& record) { return record.IsNoOp(); });
  std::erase_if(fields, [](const FieldRecord& record) { return record.IsNoOp(); });
}

void HistoryStep::Append(HistoryStep&& later) {
  AppendAll(places, later.places);
  AppendAll(fields, later.fields);
  AppendAll(nodeWalls, later.nodeWalls);
  AppendAll(anchors, later.anchors);
  AppendAll(structure, later.structure);
}

std::size_t HistoryStep::Bytes() const {
  std::size_t bytes = sizeof *this + name.capacity() + mergeKey.capacity() +
                      places.capacity() * sizeof(NodePlaceRecord) +
                      fields.capacity() * sizeof(FieldRecord) +
                      nodeWalls.capacity() * sizeof(NodeWallsRecord) +
                      anchors.capacity() * sizeof(WallAnchorRecord);
  for (const auto& record : nodeWalls) {
    if (record.walls.size() > 4) bytes += record.walls.size() * sizeof(void*);
  }
  for (const auto& record : structure) bytes += record->Bytes();
  return bytes;
}
