#include "model/track_history.h"

#include <algorithm>

#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"

namespace {
const std::string kNoName;
}  // namespace

void CTrackHistory::Begin(std::string name, std::string mergeKey) {
  ++m_open.operations;
  if (m_depth++ > 0) {
    // A caller that only groups (a panel field) leaves the naming to the operation.
    if (m_open.name.empty()) m_open.name = std::move(name);
    return;
  }
  if (CanReopen(mergeKey)) {
    // The step goes on where it stopped: the nodes it recorded stay recorded.
    m_bytes -= m_steps.back().Bytes();
    m_open = std::move(m_steps.back());
    m_steps.pop_back();
    --m_nDone;
    m_open.reopened = true;
    ++m_open.operations;
  } else {
    m_open = HistoryStep();
    m_open.operations = 1;
    m_open.stamp = static_cast<std::uint32_t>(m_nextId);
    m_open.name = std::move(name);
    m_open.mergeKey = std::move(mergeKey);
  }
  m_open.id = m_nextId++;
}

// Not into the saved state, which undo must still be able to reach.
bool CTrackHistory::CanReopen(const std::string& mergeKey) const {
  return !m_bSealed && !mergeKey.empty() && m_nDone > 0 && m_nDone == m_steps.size() &&
         m_steps.back().mergeKey == mergeKey && m_steps.back().id != m_clean;
}

void CTrackHistory::End() {
  if (m_depth == 0 || --m_depth > 0) return;
  HistoryStep step = std::exchange(m_open, {});
  // Only a later operation of the same step can bring a value back.
  if (step.operations > 2 && !step.reopened) step.Prune();
  if (!step.Empty()) Keep(std::move(step));
}

void CTrackHistory::Cancel() {
  if (m_depth != 1) return;
  m_depth = 0;
  HistoryStep step = std::exchange(m_open, {});
  step.Apply(false, m_change);
  ++m_nDrops;
}

void CTrackHistory::Keep(HistoryStep&& step) {
  DropRedoSteps();
  m_bytes += step.Bytes();
  m_steps.push_back(std::move(step));
  ++m_nDone;
  m_bSealed = m_steps.back().mergeKey.empty();
  DropOldSteps();
}

void CTrackHistory::DropRedoSteps() {
  if (m_nDone == m_steps.size()) return;
  ++m_nDrops;
  m_bytes -= CountBytes(m_steps, m_nDone, m_steps.size());
  m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nDone), m_steps.end());
}

void CTrackHistory::DropOldSteps() {
  while (m_steps.size() > kMinSteps && m_bytes > m_budget && m_nDone > 0) {
    m_bytes -= m_steps.front().Bytes();
    m_baseId = m_steps.front().id;
    m_steps.pop_front();
    ++m_nDrops;
    --m_nDone;
  }
}

std::size_t CTrackHistory::CountBytes(const std::deque<HistoryStep>& steps, std::size_t from,
                                      std::size_t to) {
  std::size_t bytes = 0;
  for (std::size_t i = from; i < to; ++i) bytes += steps[i].Bytes();
  return bytes;
}

const std::string& CTrackHistory::UndoName() const {
  return CanUndo() ? m_steps[m_nDone - 1].name : kNoName;
}

const std::string& CTrackHistory::RedoName() const {
  return CanRedo() ? m_steps[m_nDone].name : kNoName;
}

const HistoryStep* CTrackHistory::Undo() {
  if (!CanUndo()) return nullptr;
  HistoryStep& step = m_steps[--m_nDone];
  step.Apply(false, m_change);
  m_bSealed = true;
  return &step;
}

const HistoryStep* CTrackHistory::Redo() {
  if (!CanRedo()) return nullptr;
  HistoryStep& step = m_steps[m_nDone++];
  step.Apply(true, m_change);
  m_bSealed = true;
  return &step;
}

std::uint64_t CTrackHistory::Revision() const {
  return m_nDone > 0 ? m_steps[m_nDone - 1].id : m_baseId;
}

bool CTrackHistory::RollBackTo(std::uint64_t revision) {
  if (IsOpen()) return false;
  std::size_t keep = m_nDone;
  while (keep > 0 && m_steps[keep - 1].id != revision) --keep;
  if (keep == 0 && revision != m_baseId) return false;
  while (m_nDone > keep) Undo();
  DropRedoSteps();
  return true;
}

bool CTrackHistory::Squash(std::uint64_t revision, std::string name) {
  if (IsOpen()) return false;
  std::size_t first = m_nDone;
  while (first > 0 && m_steps[first - 1].id != revision) --first;
  if (first == 0 && revision != m_baseId) return false;
  if (first == m_nDone) return false;
  HistoryStep& into = m_steps[first];
  for (std::size_t i = first + 1; i < m_nDone; ++i) {
    into.Append(std::move(m_steps[i]));
    into.id = m_steps[i].id;
  }
  into.name = std::move(name);
  into.mergeKey.clear();
  const auto erased = static_cast<std::ptrdiff_t>(first + 1);
  m_steps.erase(m_steps.begin() + erased, m_steps.begin() + static_cast<std::ptrdiff_t>(m_nDone));
  m_nDone = first + 1;
  m_bytes = CountBytes(m_steps, 0, m_steps.size());
  m_bSealed = true;
  return true;
}

void CTrackHistory::MarkClean() {
  m_clean = Revision();
  m_bSealed = true;
}

bool CTrackHistory::IsModified() const {
  return Revision() != m_clean;
}

void CTrackHistory::RecordPlace(TSNode& node) {
  m_change.kinds |= TrackChange::kMoved;
  m_change.movedNodes.push_back(&node);
  if (node.m_nPlaceStamp == Stamp()) return;
  node.m_nPlaceStamp = Stamp();
  m_open.places.push_back({&node, node.m_x, node.m_y});
}

void CTrackHistory::RecordField(int& field, CObject& owner, FieldOwner kind) {
  m_change.kinds |= TrackChange::kAttributes;
  m_open.fields.push_back({&field, field, &owner, kind});
}

void CTrackHistory::RecordWalls(TSNode& node) {
  if (node.m_nWallsStamp == Stamp()) return;
  node.m_nWallsStamp = Stamp();
  m_open.nodeWalls.push_back({&node, node.m_wallList});
}

void CTrackHistory::RecordAnchor(TSAnchorWall& wall) {
  m_open.anchors.push_back({&wall, wall.m_pNode});
}

void CTrackHistory::SetItem(TSNode& node, std::unique_ptr<TSItem> item) {
  auto record = std::make_unique<CItemRecord>(node, std::move(item));
  record->Swap(m_change);
  m_open.structure.push_back(std::move(record));
}

void CTrackHistory::SetText(std::string& text, std::string value) {
  auto record = std::make_unique<CTextRecord>(text, std::move(value));
  record->Swap(m_change);
  m_open.structure.push_back(std::move(record));
}
