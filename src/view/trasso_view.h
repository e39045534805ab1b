#pragma once
// The plan view of one track. Three coordinate spaces meet here: world
// (TrackLength, y up), logical (0.1 mm on the device, y up) and device pixels
// (y down). The zoom ties world to logical; the scroll bars of the splitter
// give the logical point at the window's top-left corner.

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

#include "check/track_index.h"
#include "model/grid_snap.h"
#include "model/track_change.h"
#include "model/track_length.h"
#include "platform/qt/view.h"
#include "view/drawn_marks.h"
#include "view/mark_shapes.h"

class CTrassoDoc;
class TSNode;
class TSPolygon;
class TSSelectable;

struct WorldPoint {
  TrackLength x = 0;
  TrackLength y = 0;
  bool operator==(const WorldPoint&) const = default;
};

// Least and greatest coordinates, in TrackLength: top is the least y.
struct TrackRect {
  TrackLength left = 0;
  TrackLength top = 0;
  TrackLength right = 0;
  TrackLength bottom = 0;
};

// The new position of a scroll bar after a scroll code.
int ScrollPositionFor(const SCROLLINFO& info, int code);
// The status bar text of a world point.
QString FormatMousePosition(WorldPoint world);

class CTrassoView : public CView, public CTrackObserver {
  Q_OBJECT

 public:
  // The view takes the application's current tool and joins s_allViews.
  CTrassoView(CTrassoDoc* document, QWidget* parent);
  ~CTrassoView() override;

  CTrassoDoc* GetDocument() const;

  // Each axis separately, truncated toward zero.
  // Inline: a repaint of a large track converts every corner of it.
  QPoint WorldToLogical(TrackLength x, TrackLength y) const {
    return {TruncateToTrackLength(x * m_dScale), TruncateToTrackLength(y * m_dScale)};
  }
  WorldPoint LogicalToWorld(QPoint logical) const;
  // The bounding box of a polygon's corners in logical units; null for a
  // polygon without walls.
  QRect LogicalBox(const TSPolygon& polygon) const;
  // The positions in the document's lists of the nodes, and of the polygons
  // with walls, that may lie in the logical rectangle, ascending: all that
  // do, and maybe a few more, so callers keep their exact tests.
  const std::vector<std::uint32_t>& NodesNear(const QRect& logical) const;
  const std::vector<std::uint32_t>& PolygonsNear(const QRect& logical) const;
  void SetZoom(double zoom) { m_dScale = zoom * 0.01; }
  double GetZoom() const { return m_dScale * 100; }

  // Recomputes the extent and the scroll ranges and repaints what changed.
  // Sender, hint and object are not used: the view finds the changes itself.
  void OnUpdate(CDocumentObserver* sender, long hint, CObject* object) override;
  void OnPrepareDC(CDC& dc) override;
  void OnDraw(CDC& dc) override;
  void OnActivateView(bool bActivate, CView* activate, CView* deactivate) override;
  void OnHScroll(int code, int pos, CScrollBar* bar) override;
  void OnVScroll(int code, int pos, CScrollBar* bar) override;

  // The logical point at the window's top-left corner, from the scroll bars.
  QPoint GetWindowOrigin() const;
  // Records the marks the window shows now and returns the device rectangle
  // where they differ from the last record: empty when nothing differs, the
  // whole window when everything may have.
  QRect TakeChangedArea();
  // Scrolls so that the world point is in the middle of the window, as far as
  // the scroll ranges allow.
  void CenterOn(WorldPoint world);
  // Shows the world position of a device point in the status bar.
  void ShowMousePosition(QPoint devicePoint);
  // Scrolls so that the logical point is at the window's top-left corner, as
  // far as the scroll ranges allow.
  void ScrollToOrigin(QPoint origin);

  // Getting around. Each zoom keeps the zoom bar's slider on the new zoom.
  // Zooms to `zoom`, within the slider's range, keeping the world point under
  // the device point where it is, as far as the scroll ranges allow.
  void ZoomAround(double zoom, QPoint device);
  // One slider step per step, around a device point; steps > 0 zoom in.
  void ZoomSteps(int steps, QPoint device);
  void OnZoomIn();
  void OnZoomOut();
  // Fits every node (without nodes, the square 0 to 200.000) into the window
  // with a small margin.
  void OnZoomToFit();
  // Fits the selected nodes; nothing without a selected node.
  void OnZoomToSelection();
  bool CanZoomToSelection() const;
  bool IsPanning() const { return m_pan.bActive; }

  double m_dScale = 0.01;  // logical units per TrackLength unit; zoom / 100
  TrackRect m_rcExtent;    // the nodes and the square 0 to 200.000, from the last update

  // Tools. Both drop the path being traced; nothing is repainted.
  void SetTool(int nTool);
  static void SetToolForAllViews(int nTool);

  // Hit tests, all in logical units. Of two equally near nodes the later one
  // in the document's list wins.
  TSNode* FindNearestNode(QPoint p, int tolerance, const TSNode* excluded) const;
  // A node within 10 units of its centre, else the wall whose corner wedge
  // (radius 21) holds the point, else null.
  TSSelectable* HitTest(QPoint p) const;
  void ToggleSelectionAt(QPoint p);
  // Adds to the selection what the rectangle with corners a and c holds.
  void SelectInRect(QPoint a, QPoint c);

  // The mouse, with device points and the modifier keys of the message.
  void OnLButtonDown(Qt::KeyboardModifiers flags, QPoint device);
  void OnMouseMove(QPoint device);
  void OnLButtonUp(QPoint device);
  // A Qt key code; every key-down counts, auto-repeats included.
  void OnKeyDown(int key);

  // The two editing commands of the view and whether they can act now.
  void OnCutSelection();
  void OnInsertNode();
  // Escape: drops the path being traced and takes back the nodes it made;
  // false when no path is being traced.
  bool CancelPath();
  bool CanCutSelection() const;
  bool CanInsertNode() const;

  // The application's grid options; all off without an application.
  GridOptions GetGridOptions() const;
  // The grid point nearest to `world` while snapping is on, else `world`.
  WorldPoint SnapToGrid(WorldPoint world) const;

  // Drops the nodes that left the track from the path and the hover mark.
  void OnTrackChanged(const TrackChange& change) override;

  // The state of the mouse tools.
  int m_nTool;
  bool m_bButtonDown = false;      // set by every press, cleared by every release
  bool m_bCaptured = false;        // the view holds the mouse capture
  QPoint m_ptAnchor;               // logical; the press point, or the last drag step
  QPoint m_ptCurrent;              // logical; the moving corner of the rubber band
  std::vector<TSNode*> m_path;     // the path being traced, or the dragged node; not owned
  TSNode* m_pHoverNode = nullptr;  // the node this view last marked under the mouse; not owned
  std::uint64_t m_nPathStart = 0;  // the history's revision before the path's first press
  bool m_bDragStepOpen = false;    // a drag holds a step of the history open
  WorldPoint m_grabStart;          // where the dragged node of a move was at the press

  static std::vector<CTrassoView*> s_allViews;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // Shows the picture of the track, repainted where its marks changed, and
  // draws the tool feedback over it.
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Pinch gestures zoom.
  bool event(QEvent* event) override;

 private:
  // Panning with the middle button, or the left one while the space bar is
  // held, in every tool. While a pan runs, the view's other mouse handling
  // sees no press or release at all. Each returns whether it took the event.
  bool BeginPan(const QMouseEvent& event);
  bool ContinuePan(const QMouseEvent& event);
  bool EndPan(const QMouseEvent& event);
  // The space bar and the arrow keys; whether the key was taken.
  bool OnNavigationKey(const QKeyEvent& event);
  void ZoomToBox(const TrackRect& box);
  void ScrollLines(int lines, ScrollBarKind kind);
  void RestoreCursor();

  struct PanState {
    bool bActive = false;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons swallowed;  // pressed during the pan; their releases go too
    QPoint pressDevice;
    QPoint startOrigin;  // logical
  } m_pan;
  bool m_bSpaceHeld = false;
  QPoint m_wheelAngle;  // eighths of a degree not yet used up by whole notches

  void HoverHighlight(QPoint p);
  // Takes the hover mark off the node each view of this document last marked;
  // whether any was still on.
  bool ClearHoverMarks() const;
  void PressTracePath(QPoint p);
  void PressInsertObject(QPoint p);
  void PressMoveNodes(QPoint p);
  void DragSelection(QPoint p);
  void ReleaseMoveNodes(QPoint p);
  // The move tools' grid snapping. A press takes the dragged node of Move
  // nodes, or the selected node nearest to it for Move selection; a release
  // that moved it puts it on the grid, and the other selected nodes keep their
  // offsets from it.
  void GrabNearestSelectedNode(QPoint p);
  void SnapGrabbedNode();
  // While snapping: the node already on the snapped point `world`, if any, so
  // that a path joins it instead of putting a second node on top of it.
  TSNode* NodeOnSnappedPoint(WorldPoint world) const;
  void BeginDragStep(const char* name);
  void EndDragStep();
  void Capture();

  void OnScroll(CScrollBar* bar, int code);
  // Compact marks leave out the wedges.
  void DrawPolygon(QPainter& painter, CMarkShapes& shapes, const TSPolygon& polygon,
                   const QRect& visible, bool compact);
  void DrawNodes(QPainter& painter, CMarkShapes& shapes, const QRect& visible) const;
  // Everything OnDraw draws but the tool feedback, which comes last.
  void DrawTrack(CDC& dc);
  void DrawToolFeedback(QPainter& painter) const;
  // Whether the window can show a kept picture: not with item labels, whose
  // text is drawn for the device, nor at fractional or high pixel ratios.
  bool CanKeepPicture() const;
  // The window's paint, from the kept picture where it can be kept.
  void PaintWindow(QPaintEvent& event);
  // Brings m_picture up to what DrawTrack would paint on the window now,
  // for a repaint of the device rectangle `clip`.
  void UpdatePicture(const QRect& clip);
  // Soon asks Qt to repaint the part of the window where the marks differ
  // from those of the last comparison. What changes without an update (the
  // path dropped by a tool change) is found by the next one, which repaints
  // where it was.
  void RepaintChangedMarks();

  // A cache of where the objects lie; queries refresh it, hence mutable.
  mutable CTrackIndex m_index;
  // Reused by DrawPolygon so that painting does not allocate.
  QPolygon m_corners;
  std::vector<MarkRay> m_edges;
  // The marks the window shows once the repaints asked for are done, and the
  // record made next (kept so that recording does not allocate).
  CDrawnMarks m_shownMarks;
  CDrawnMarks m_newMarks;
  bool m_bComparisonPending = false;

  // The track as the window shows it without the tool feedback, kept so that
  // a repaint copies what did not change. It shows the marks of m_shownMarks
  // but in m_pictureDirty, the areas the comparisons found changed and no
  // paint has redrawn yet; a repaint of anything else compares the marks
  // first, so that it also finds changes no update told of. The rest of what
  // the picture depends on is its key.
  struct PictureKey {
    QSize size;
    int dpiX = 0, dpiY = 0;
    GridOptions grid;
    QRgb base = 0;
    bool operator==(const PictureKey&) const = default;
  };
  QImage m_picture;
  PictureKey m_pictureKey;
  QRect m_pictureDirty;  // device
};
