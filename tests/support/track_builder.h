#pragma once
// Builds small tracks in tests so that the code reads like the track it builds:
//   TrackBuilder t(doc);
//   auto* a = t.Node(0, 0); ...
//   auto* room = t.Section({a, b, c, d});

#include <initializer_list>
#include <vector>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/document.h"

class TrackBuilder {
 public:
  explicit TrackBuilder(CTrassoDoc& doc) : m_doc(doc) {}

  // An unselected node.
  TSNode* Node(TrackLength x, TrackLength y);
  // A section or feature through the given nodes, in the given order, with the
  // defaults the drawing tools use and no wall selected. The outline must be
  // wound clockwise, or CreatePolygon reverses it.
  TSPolygon* Section(std::initializer_list<TSNode*> outline);
  TSPolygon* Feature(std::initializer_list<TSNode*> outline);
  // A new free node carrying an item of row `type`.
  TSItem* Item(TrackLength x, TrackLength y, int type);

  // Resets all flags and then marks the document unmodified, so that a test
  // sees only what its own operation does.
  void Settle();

 private:
  TSPolygon* Polygon(bool feature, std::initializer_list<TSNode*> outline);
  CTrassoDoc& m_doc;
};

// Selection helpers.
void Select(TSNode* node);
void Select(TSPolygon* polygon);  // every wall and every anchor node
void SelectWallsOnly(TSPolygon* polygon);

// Counts the updates a document sends to its views, and notes whether the
// document was already marked modified when the last one arrived.
class UpdateCounter : public CDocumentObserver {
 public:
  explicit UpdateCounter(CDocument& doc) : m_doc(doc) { m_doc.AddView(this); }
  ~UpdateCounter() override { m_doc.RemoveView(this); }
  void OnUpdate(CDocumentObserver*, long, CObject*) override {
    ++m_count;
    m_bModifiedAtUpdate = m_doc.IsModified();
  }
  int Count() const { return m_count; }
  bool ModifiedAtLastUpdate() const { return m_bModifiedAtUpdate; }
  void Reset() { m_count = 0; }

 private:
  CDocument& m_doc;
  int m_count = 0;
  bool m_bModifiedAtUpdate = false;
};

// The nodes of a polygon's outline, in outline order.
std::vector<TSNode*> Outline(const TSPolygon* polygon);

// The walls anchored at a node, in list order.
std::vector<TSAnchorWall*> WallsAt(const TSNode* node);
