#pragma once
// What the plan view shows, mark by mark: every polygon's corners with their
// fill and wedge brushes, every node's disc and the tool feedback. Comparing
// two records tells where the view must repaint after a change, so that a
// drag step on a large track repaints a few marks instead of the whole view.
// Painting is order-dependent (later marks cover earlier ones), so a change in
// the order or number of polygons or nodes counts as a change of everything.

#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

class CTrassoView;
class QBrush;
class TSNode;
class TSPolygon;

class CDrawnMarks {
 public:
  // Records what `view` shows now, for its current zoom and logical `page`.
  void Record(const CTrassoView& view, const QRect& page);
  // The logical rectangle holding every mark that differs between `before`
  // and this record, before and after the change; empty when nothing differs.
  // No value when everything must be repainted.
  std::optional<QRect> ChangedSince(const CDrawnMarks& before) const;

 private:
  struct Corner {
    QPoint point;
    const QBrush* wedge;
    bool operator==(const Corner&) const = default;
  };
  struct PolygonMark {
    const TSPolygon* polygon;
    const QBrush* fill;  // null for an outline
    int firstCorner;     // into m_corners
    int corners;
    QRect box;  // the corners' bounding box
  };
  struct NodeMark {
    const TSNode* node;
    QPoint point;
    const QBrush* disc;
  };
  bool SamePolygonMarks(const CDrawnMarks& other, int i) const;

  bool m_bValid = false;
  double m_dScale = 0;
  QRect m_page;
  std::vector<Corner> m_corners;
  std::vector<PolygonMark> m_polygons;
  std::vector<NodeMark> m_nodes;
  std::vector<QPoint> m_feedback;  // the rubber band's corners, then the path's points
  bool m_bBand = false;
};
