#pragma once
// One open track: owns every node and polygon, keeps the track attributes,
// answers the queries of views and panels and carries out every change to the
// model, so that each change is recorded in the history, told to the
// observers and updates all views in one place. Operations that cannot apply
// do nothing, silently.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/track_change.h"
#include "model/track_history.h"
#include "model/track_length.h"
#include "platform/document.h"

class TSAnchorWall;
class TSItem;
class TSNode;
class TSPolygon;
class TSSelectable;

// The selection attribute operations answer with these when no selected object
// carries the attribute, or when the selected objects differ. Passed in as the
// value, SEL_VALUE_MIXED asks for the current value and changes nothing.
constexpr int SEL_VALUE_NONE = -1000000001;
constexpr int SEL_VALUE_MIXED = -1000000002;

// An iteration cursor over one of the document's lists: 0 after the tail,
// otherwise the list index plus one. Invalidated by any change to the list.
using POSITION = std::size_t;

class CTrassoDoc : public CDocument {
  TRASSO_DECLARE_DYNAMIC(CTrassoDoc)

 public:
  CTrassoDoc() = default;
  // Deletes the polygons head first (their walls unlink from the still living
  // nodes), then the nodes head first (with their items).
  ~CTrassoDoc() override;

  // The top level of a track file: the node list, the polygon list, the
  // background, then the description.
  void Serialize(CArchive& ar) override;

  // Iteration in list order.
  POSITION GetFirstNodePosition() const { return m_nodeList.empty() ? 0 : 1; }
  TSNode* GetNextNode(POSITION& pos) const;
  POSITION GetFirstPolygonPosition() const { return m_polygonList.empty() ? 0 : 1; }
  TSPolygon* GetNextPolygon(POSITION& pos) const;

  // The first track section (never a feature) containing the node's position.
  TSPolygon* FindSection(const TSNode* node) const;

  // Clears the highlight of every wall and node, and their selection unless
  // `bKeepSelected`; updates the views when anything changed. Never marks the
  // document modified.
  void ClearSelection(bool bKeepSelected);
  // Selects every node and wall; not a step of the history.
  void SelectAll();
  // Selects one node or wall. Whatever selects goes through here, so that
  // undo and redo can drop the selection in the time of the selection's size
  // rather than the track's.
  void Select(TSSelectable& object);
  // Whether a node is selected, or (unless `bNodesOnly`) a wall.
  bool HasSelection(bool bNodesOnly) const;
  // True when nothing can be selected, known without a scan: nothing went
  // through Select since the selection was last dropped. The commands ask
  // after every click and key, which on a large track with nothing selected
  // would otherwise walk every object several times.
  bool IsSelectionSurelyEmpty() const { return m_bSelectedWhole && m_selected.empty(); }

  // Track attributes. Setting a different text is a step; the views are not
  // updated, because the attributes are not drawn.
  std::string GetBackground() const { return m_strBackground; }
  std::string GetDescription() const { return m_strDescription; }
  void SetBackground(std::string text);
  void SetDescription(std::string text);

  // Selection attributes: apply `value` to every qualifying selected object
  // (unless it is SEL_VALUE_MIXED) and return their common value,
  // SEL_VALUE_MIXED or SEL_VALUE_NONE.
  int SetSelWallType(int value);
  int SetSelCeilingType(int value);
  int SetSelFloorType(int value);
  int SetSelCeilingLevel(int value);
  int SetSelFloorLevel(int value);
  int SetSelItemType(int value);
  int SetSelNodeX(int value);
  int SetSelNodeY(int value);
  int SetSelItemElevation(int value);
  int SetSelItemOrientation(int value);

  // Editing operations. Each one that changes the model is a step of the
  // history (or part of the open one) and updates all views.
  TSNode* AddNode(TrackLength x, TrackLength y, bool bSelected);
  // A call that moves no node (none selected, a zero step, every node held at
  // the edge of the world) neither updates nor marks modified.
  void MoveSelectedNodes(TrackLength dx, TrackLength dy);
  // Removes repeated nodes from `path`; does nothing with fewer than 3 distinct
  // nodes; uses at most the first 12 in the chosen direction.
  void CreatePolygon(bool bFeature, std::vector<TSNode*>& path, TrackLength floorLevel,
                     TrackLength ceilingLevel, int wallType, int floorType, int ceilingType,
                     bool bWallsSelected);
  // `node` must carry no item yet.
  void AttachItem(TSNode* node, int type);
  // Deletes the item of `node`, if it carries one; the node stays.
  void DetachItem(TSNode* node);
  // The one wall whose edge is selected, or null for none or several.
  TSAnchorWall* GetSelectedWall() const;
  // Splits the wall's edge at its midpoint; refuses a null wall or a polygon of
  // 12 walls or more.
  bool InsertNodeOnWall(TSAnchorWall* wall);
  // Moves `wall` onto a new selected node at (x, y) and returns that node.
  TSNode* DetachWall(TSAnchorWall* wall, TrackLength x, TrackLength y);
  // Drops `source` onto `target` and deletes `source`. Does nothing when they
  // are the same node.
  void MergeNodes(TSNode* target, TSNode* source);
  // Cut: deletes the selected walls, every polygon left with fewer than 3
  // walls, and the selected nodes that anchor no wall. Always updates.
  void DeleteSelection();

  // Paste: moves every node and polygon of `track` (loaded from the
  // clipboard) by (dx, dy), held at the edge of the world, to the end of this
  // document's lists, as one step; what was pasted becomes the selection.
  // Leaves `track` empty; an empty track changes nothing.
  void PasteTrack(CTrassoDoc& track, TrackLength dx, TrackLength dy);

  // Scales the selected nodes about the centre of their bounding box.
  void ScaleSelection(double factor);
  // Whether Scale selection can act: it moves nodes only, so selected walls
  // alone do not enable it.
  bool OnUpdateScaleSelection() const { return HasSelection(true); }

  // The history. Steps nest: the operations inside an open step (a drag, a
  // dialog, keystrokes in one field) become part of it. After Undo and Redo
  // the objects the step touched are the selection.
  void BeginStep(std::string name, std::string mergeKey = {});
  void EndStep();
  // Takes back what the open step did; the outermost step only.
  void CancelStep();
  bool Undo();
  bool Redo();
  // Undoes and forgets the steps after `revision`, when it is a done one.
  bool RollBackTo(std::uint64_t revision);
  CTrackHistory& GetHistory() { return m_history; }
  const CTrackHistory& GetHistory() const { return m_history; }

  // The modified flag follows the history: clean at the revision last saved.
  bool IsModified() const override { return m_history.IsModified(); }
  void SetModifiedFlag(bool modified = true) override;

  // Observers of typed changes; not owned, and they remove themselves.
  void AddTrackObserver(CTrackObserver* observer);
  void RemoveTrackObserver(CTrackObserver* observer);
  // Tells the observers what changed since the last time, if anything.
  void NotifyTrackObservers(unsigned extraKinds = 0);

  OwnedList<TSNode> m_nodeList;        // in order
  OwnedList<TSPolygon> m_polygonList;  // in order
  std::string m_strDescription;                           // Windows-1252; lines separated by CR LF
  std::string m_strBackground;                            // file name of the background image

 private:
  friend class CStepScope;

  TSNode* AppendNode(TrackLength x, TrackLength y, bool bSelected);  // no update
  // Tells the typed observers, then UpdateAllViews(null, 0, null).
  void NotifyChanged();
  bool ShowHistoryStep(const HistoryStep* step);
  // Unselects everything, from the remembered selection when it is whole
  // and `bScanAll` is not set; no update.
  void DropSelection(bool bScanAll = false);
  void ForgetSelection() {
    m_selected.clear();
    m_bSelectedWhole = true;
  }
  void SetText(std::string& text, std::string value, const char* name);
  template <class Visit>
  int ApplyToSelectedPolygons(int value, const char* name, Visit field);
  template <class Visit>
  int ApplyToSelectedItems(int value, const char* name, Visit field);
  int ApplyToSelectedPlaces(int value, const char* name, TrackLength TSNode::* coordinate);

  CTrackHistory m_history;
  // Every selected node and wall is here while m_bSelectedWhole holds and the
  // history has deleted no object since (they may also be unselected since,
  // or out of the track).
  std::vector<TSSelectable*> m_selected;
  bool m_bSelectedWhole = true;
  std::uint64_t m_nSelectedDrops = 0;
  std::vector<CTrackObserver*> m_trackObservers;
};
