#pragma once
// The history of one document: the steps that can be undone and redone, and
// the revision that tells whether the track differs from the one last saved.
// The document records each change just before it makes it; Begin and End
// group the changes of one operation or one gesture into a step.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/history_records.h"

class CTrackHistory {
 public:
  static constexpr std::size_t kMinSteps = 100;
  static constexpr std::size_t kDefaultBudget = std::size_t{256} << 20;

  explicit CTrackHistory(std::size_t budgetBytes = kDefaultBudget) : m_budget(budgetBytes) {}
  CTrackHistory(const CTrackHistory&) = delete;
  CTrackHistory& operator=(const CTrackHistory&) = delete;

  // Begin and End nest; the outermost pair makes the step and names it. A step
  // that changed nothing is not kept. A step whose merge key equals that of
  // the step before it joins that step (repeated small changes: keystrokes in
  // one field, moves outside a drag), until SealMerge, an undo or redo, a
  // save, or a step with another key.
  void Begin(std::string name, std::string mergeKey = {});
  void End();
  // Outermost only: takes back everything the open step did, and forgets it.
  void Cancel();
  bool IsOpen() const { return m_depth > 0; }
  void SealMerge() { m_bSealed = true; }

  bool CanUndo() const { return !IsOpen() && m_nDone > 0; }
  bool CanRedo() const { return !IsOpen() && m_nDone < m_steps.size(); }
  const std::string& UndoName() const;
  const std::string& RedoName() const;
  // The step undone or redone (its records now hold the other state), or
  // null when there is none.
  const HistoryStep* Undo();
  const HistoryStep* Redo();

  // The revision names the state of the track: equal revisions, equal tracks.
  std::uint64_t Revision() const;
  // Undoes and forgets every step after `revision`; false when that revision
  // is not among the done steps.
  bool RollBackTo(std::uint64_t revision);
  // Makes the steps after `revision` one step; false when there are none.
  bool Squash(std::uint64_t revision, std::string name);

  // An open step counts once it ends, so views updated during it see the
  // mark of the state before.
  void MarkClean();
  void MarkDirty() { m_clean = kNever; }
  bool IsModified() const;

  // What the changes since the last call did, for the observers.
  TrackChange TakeChange() { return std::exchange(m_change, {}); }
  std::size_t StepCount() const { return m_steps.size(); }
  std::size_t Bytes() const { return m_bytes; }
  // Counts the times the history let go of steps, and with them perhaps of
  // objects outside the track.
  std::uint64_t DropCount() const { return m_nDrops; }
  void SetBudget(std::size_t budgetBytes) { m_budget = budgetBytes; }

  // Recording, just before the change; only inside Begin and End.
  void RecordPlace(TSNode& node);
  void RecordField(int& field, CObject& owner, FieldOwner kind);
  void RecordWalls(TSNode& node);
  void RecordAnchor(TSAnchorWall& wall);
  void SetItem(TSNode& node, std::unique_ptr<TSItem> item);
  void SetText(std::string& text, std::string value);
  template <class T>
  void Append(OwnedList<T>& list, std::unique_ptr<T> object);
  template <class T>
  void Insert(OwnedList<T>& list, std::size_t index, std::unique_ptr<T> object);
  // Takes out of the list the entries at ascending `indexes`.
  template <class T>
  void Remove(OwnedList<T>& list, std::vector<std::size_t> indexes);

 private:
  static constexpr std::uint64_t kNever = ~std::uint64_t{0};

  std::uint32_t Stamp() const { return m_open.stamp; }
  bool CanReopen(const std::string& mergeKey) const;
  void Keep(HistoryStep&& step);
  void DropRedoSteps();
  void DropOldSteps();
  static std::size_t CountBytes(const std::deque<HistoryStep>& steps, std::size_t from,
                                std::size_t to);

  std::deque<HistoryStep> m_steps;  // done steps first, then the undone ones
  std::size_t m_nDone = 0;
  HistoryStep m_open;
  int m_depth = 0;
  std::uint64_t m_nextId = 1;
  std::uint64_t m_baseId = 0;  // the revision before the oldest kept step
  std::uint64_t m_clean = 0;
  bool m_bSealed = true;
  std::size_t m_bytes = 0;
  std::uint64_t m_nDrops = 0;
  std::size_t m_budget;
  TrackChange m_change;
};

template <class T>
void CTrackHistory::Append(OwnedList<T>& list, std::unique_ptr<T> object) {
  list.push_back(std::move(object));
  m_change.kinds |= TrackChange::kAdded;
  if (!m_open.structure.empty()) {
    if (auto* last = dynamic_cast<CMembershipRecord<T>*>(m_open.structure.back().get())) {
      if (last->IsOnList(list) && last->ExtendByAppended()) return;
    }
  }
  m_open.structure.push_back(
      std::make_unique<CMembershipRecord<T>>(list, std::vector<std::size_t>{list.size() - 1}));
}

template <class T>
void CTrackHistory::Insert(OwnedList<T>& list, std::size_t index,
                           std::unique_ptr<T> object) {
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), std::move(object));
  m_change.kinds |= TrackChange::kAdded;
  m_open.structure.push_back(
      std::make_unique<CMembershipRecord<T>>(list, std::vector<std::size_t>{index}));
}

template <class T>
void CTrackHistory::Remove(OwnedList<T>& list,
                           std::vector<std::size_t> indexes) {
  if (indexes.empty()) return;
  auto record = std::make_unique<CMembershipRecord<T>>(list, std::move(indexes));
  record->Swap(m_change);
  m_open.structure.push_back(std::move(record));
}
