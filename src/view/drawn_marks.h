#pragma once
// What the plan view shows, mark by mark: the corners of every polygon in
// sight with their fill and wedge brushes, every node disc in sight and the
// tool feedback. Comparing two records tells where the view must repaint
// after a change, so that a drag step on a large track repaints a few marks
// instead of the whole view. Painting is order-dependent (later marks cover
// earlier ones): marks are matched by their place in the document's lists, and
// a place that holds another object than before counts as a change of
// everything. Marks appended to the lists are drawn last and are simply new.
// Other view options, or compact marks coming or going, change everything.

#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

#include "view/view_options.h"

class CDC;
class CTrassoView;
class QBrush;
class TSNode;
class TSPolygon;

// How far (logical units) drawing can reach beyond a mark's centre or a
// polygon's corners on `dc`: the largest mark and a few pixels for the
// one-pixel pens, the bands of selected walls and rounding.
int MarkReach(const CDC& dc);

// The device rectangle of `window` to repaint for marks that differ in the
// logical rectangle `changed` (none: the whole window), drawing reaching
// `reach` beyond them.
QRect ChangedDeviceArea(const std::optional<QRect>& changed, const CDC& dc, int reach,
                        const QRect& window);

class CDrawnMarks {
 public:
  // Records what `view` shows now, for its current zoom and logical `page`;
  // drawing reaches `reach` logical units beyond a mark's centre or corners.
  void Record(const CTrassoView& view, const QRect& page, int reach);
  // The logical rectangle holding every mark that differs between `before`
  // and this record, before and after the change; empty when nothing differs.
  // No value when everything must be repainted.
  std::optional<QRect> ChangedSince(const CDrawnMarks& before) const;

 private:
  struct Corner {
    QPoint point;
    const QBrush* wedge;
    bool selected;  // the band of a selected wall shows under a highlighted wedge too
    bool operator==(const Corner&) const = default;
  };
  struct PolygonMark {
    int index;  // in the document's list
    const TSPolygon* polygon;
    const QBrush* fill;  // null for an outline
    int firstCorner;     // into m_corners
    int corners;
    QRect box;  // the corners' bounding box
    const void* Object() const { return polygon; }
    QRect Box() const { return box; }
  };
  struct NodeMark {
    int index;  // in the document's list
    const TSNode* node;
    QPoint point;
    const QBrush* disc;
    int itemType;  // with its orientation, what a label shows; -1 without an item
    int itemOrientation;
    const void* Object() const { return node; }
    QRect Box() const { return QRect(point, QSize(1, 1)); }
  };
  bool SameCorners(const PolygonMark& mine, const CDrawnMarks& other,
                   const PolygonMark& theirs) const;

  bool m_bValid = false;
  double m_dScale = 0;
  QRect m_page;
  CViewOptions m_options;
  bool m_bCompact = false;
  std::vector<Corner> m_corners;
  std::vector<PolygonMark> m_polygons;
  std::vector<NodeMark> m_nodes;
  std::vector<QPoint> m_feedback;  // the rubber band's corners, then the path's points
  bool m_bBand = false;
};
