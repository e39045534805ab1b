#pragma once
// Builds small tracks so that a test reads like its track: t.Section({t.Node(0, 0), ...}).

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
  TSNode* Node(TrackLength x, TrackLength y) { return m_doc.AddNode(x, y, false); }
  // With the drawing tools' defaults, no wall selected; anticlockwise outlines are reversed.
  TSPolygon* Section(std::initializer_list<TSNode*> outline) { return Polygon(false, outline); }
  TSPolygon* Feature(std::initializer_list<TSNode*> outline) { return Polygon(true, outline); }
  // A new free node carrying an item of row `type`.
  TSItem* Item(TrackLength x, TrackLength y, int type);
  // Clears all flags, then the modified mark: a test sees only what it does.
  void Settle();

 private:
  TSPolygon* Polygon(bool feature, std::initializer_list<TSNode*> outline);
  CTrassoDoc& m_doc;
};

void Select(TSNode* node);
void Select(TSPolygon* polygon);  // every wall and every anchor node
void SelectWallsOnly(TSPolygon* polygon);

// Counts the updates sent to the views, noting whether the last came after the modified mark.
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

// The nodes of a polygon's outline, and the walls anchored at a node, in order.
std::vector<TSNode*> Outline(const TSPolygon* polygon);
std::vector<TSAnchorWall*> WallsAt(const TSNode* node);
