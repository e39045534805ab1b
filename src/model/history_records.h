#pragma once
// The records a step of the history is made of. Each holds the value that a
// change replaced; Swap exchanges it with the live one, so the same call undoes
// the change and, applied again, redoes it. Objects outside the track (removed
// by a done step, or added by an undone one) are owned by the record that took
// them out, so undo puts back the very same objects.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/track_change.h"
#include "model/track_length.h"
#include "platform/pooled_list_allocator.h"
#include "platform/small_pointer_list.h"

class CObject;
class CTrassoDoc;
class TSAnchorWall;
class TSItem;
class TSNode;
class TSPolygon;

struct NodePlaceRecord {
  TSNode* node;
  TrackLength x;
  TrackLength y;
  void Swap();
  bool IsNoOp() const;
};

// Whose field a value record changed, so that undo can select it.
enum class FieldOwner : std::uint8_t { kPolygon, kWall, kItem };

struct FieldRecord {
  int* field;
  int value;
  CObject* owner;
  FieldOwner kind;
  void Swap() { std::swap(*field, value); }
  bool IsNoOp() const { return *field == value; }
  void SelectOwner(CTrassoDoc& doc) const;
};

struct NodeWallsRecord {
  TSNode* node;
  SmallPointerList<TSAnchorWall, 4> walls;
  void Swap();
};

struct WallAnchorRecord {
  TSAnchorWall* wall;
  TSNode* node;
  void Swap();
};

// Changes to the lists that own objects, and to other owned values.
class CStructureRecord {
 public:
  virtual ~CStructureRecord() = default;
  virtual void Swap(TrackChange& change) = 0;
  // Selects the objects the record put into the track, if it did.
  virtual void SelectTouched(CTrassoDoc&) const {}
  virtual std::size_t Bytes() const = 0;
};

// Some objects of one owning list, at ascending positions; either all in the
// list (inside) or all held by the record.
template <class T>
class CMembershipRecord final : public CStructureRecord {
 public:
  using List = OwnedList<T>;
  CMembershipRecord(List& list, std::vector<std::size_t> indexes);
  ~CMembershipRecord() override;

  bool IsOnList(const List& list) const { return &list == &m_list; }
  bool IsInside() const { return m_inside; }
  // Extends an inside record by the entry just appended to its list, when the
  // record's entries already end the list.
  bool ExtendByAppended();
  void Swap(TrackChange& change) override;
  void SelectTouched(CTrassoDoc& doc) const override;
  std::size_t Bytes() const override;

 private:
  void TakeOut(TrackChange& change);
  void PutBack();

  List& m_list;
  // Positions in the list as it is when the record swaps; later records of
  // the same step may move the objects, so selection goes by the objects.
  std::vector<std::size_t> m_indexes;
  std::vector<T*> m_objects;
  std::vector<std::unique_ptr<T>> m_outside;  // null while inside
  bool m_inside = true;
};

// The item a node carries (or null).
class CItemRecord final : public CStructureRecord {
 public:
  CItemRecord(TSNode& node, std::unique_ptr<TSItem> item);
  ~CItemRecord() override;
  void Swap(TrackChange& change) override;
  void SelectTouched(CTrassoDoc& doc) const override;
  std::size_t Bytes() const override;

 private:
  TSNode& m_node;
  std::unique_ptr<TSItem> m_item;
};

// A track attribute text.
class CTextRecord final : public CStructureRecord {
 public:
  CTextRecord(std::string& text, std::string value) : m_text(text), m_value(std::move(value)) {}
  void Swap(TrackChange& change) override;
  std::size_t Bytes() const override { return sizeof *this + m_value.capacity(); }

 private:
  std::string& m_text;
  std::string m_value;
};

// One undoable step.
struct HistoryStep {
  std::uint64_t id = 0;
  std::string name;
  std::string mergeKey;
  std::uint32_t stamp = 0;  // marks the nodes recorded in this step; kept when it reopens
  int operations = 0;       // the Begin calls it took; a single operation has no no-op records
  bool reopened = false;    // a later step with the same merge key joined it
  std::vector<NodePlaceRecord> places;
  std::vector<FieldRecord> fields;
  std::vector<NodeWallsRecord> nodeWalls;
  std::vector<WallAnchorRecord> anchors;
  std::vector<std::unique_ptr<CStructureRecord>> structure;

  bool Empty() const;
  // Undo (backward) or redo (forward). The kinds of record never touch the
  // same values, so only the order within each kind matters.
  void Apply(bool forward, TrackChange& change);
  void SelectTouched(CTrassoDoc& doc) const;
  // Drops value records that end where they began (a drag brought back).
  // Exact only while each value has one record: positions are recorded once
  // per step, and one operation changes a field once. Joined steps, which may
  // hold several records of one field, are not pruned.
  void Prune();
  // Appends the records of a later step, which then apply after these.
  void Append(HistoryStep&& later);
  std::size_t Bytes() const;
};

extern template class CMembershipRecord<TSNode>;
extern template class CMembershipRecord<TSPolygon>;
extern template class CMembershipRecord<TSAnchorWall>;
