// What a press, a move and a release of the left button do with each tool.

#include <QMouseEvent>
#include <cstdlib>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "resource_ids.h"
#include "view/trasso_view.h"

namespace {
constexpr int kSnap = 10;        // a path or a dropped node snaps to a node this near
constexpr int kClickSlack = 10;  // a Select release this near the press is a click
constexpr std::size_t kMaxPath = 12;

bool IsPolygonTool(int tool) {
  return tool == ID_TOOL_ADD_SECTION || tool == ID_TOOL_ADD_FEATURE;
}
}  // namespace

void CTrassoView::mousePressEvent(QMouseEvent* event) {
  if (BeginPan(*event)) return;
  if (event->button() != Qt::LeftButton) return CView::mousePressEvent(event);
  OnLButtonDown(event->modifiers(), event->position().toPoint());
}

void CTrassoView::mouseMoveEvent(QMouseEvent* event) {
  ShowMousePosition(event->position().toPoint());
  if (ContinuePan(*event)) return;
  OnMouseMove(event->position().toPoint());
}

void CTrassoView::mouseReleaseEvent(QMouseEvent* event) {
  if (EndPan(*event)) return;
  if (event->button() != Qt::LeftButton) return CView::mouseReleaseEvent(event);
  OnLButtonUp(event->position().toPoint());
}

// The second press of a double click does nothing, unless it starts a pan
// (a press may have started it already); its release is handled like any other.
void CTrassoView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!IsPanning()) BeginPan(*event);
  event->accept();
}

// While the button is held, Qt sends every move and the release to the widget
// that took the press, also outside the window (an implicit grab), so taking
// the capture only records that a drag may leave the window.
void CTrassoView::Capture() {
  m_bCaptured = true;
}

void CTrassoView::OnLButtonDown(Qt::KeyboardModifiers flags, QPoint device) {
  m_bButtonDown = true;
  const QPoint p = GetClientDC().DPtoLP(device);
  switch (m_nTool) {
    case ID_TOOL_SELECT:
      Capture();
      if (!(flags & Qt::ShiftModifier)) GetDocument()->ClearSelection(false);
      m_ptAnchor = m_ptCurrent = p;
      break;
    case ID_TOOL_ADD_SECTION:
    case ID_TOOL_ADD_FEATURE:
      PressTracePath(p);
      break;
    case ID_TOOL_INSERT_OBJECT:
      PressInsertObject(p);
      break;
    case ID_TOOL_MOVE_SELECTION:
      Capture();
      BeginDragStep("Move selection");
      m_ptAnchor = p;
      GrabNearestSelectedNode(p);
      break;
    case ID_TOOL_MOVE_NODES:
      PressMoveNodes(p);
      break;
    default:
      break;
  }
}

void CTrassoView::OnMouseMove(QPoint device) {
  const QPoint p = GetClientDC().DPtoLP(device);
  if (IsPolygonTool(m_nTool)) return HoverHighlight(p);
  if (m_nTool == ID_TOOL_SELECT) {
    if (!m_bButtonDown) return HoverHighlight(p);
    // The band is repainted only when its corner moved.
    if (p == m_ptCurrent) return;
    m_ptCurrent = p;
    OnUpdate(nullptr, 0, nullptr);
    return;
  }
  if ((m_nTool == ID_TOOL_MOVE_SELECTION || m_nTool == ID_TOOL_MOVE_NODES) && m_bButtonDown) {
    DragSelection(p);
  }
}

void CTrassoView::OnLButtonUp(QPoint device) {
  m_bButtonDown = false;
  m_bCaptured = false;
  const QPoint p = GetClientDC().DPtoLP(device);
  if (m_nTool == ID_TOOL_SELECT) {
    // The release point is not used: the band ends where the last move left it.
    const bool click = std::abs(m_ptAnchor.x() - m_ptCurrent.x()) <= kClickSlack &&
                       std::abs(m_ptAnchor.y() - m_ptCurrent.y()) <= kClickSlack;
    if (click) {
      ToggleSelectionAt(m_ptCurrent);
    } else {
      SelectInRect(m_ptAnchor, m_ptCurrent);
    }
    OnUpdate(nullptr, 0, nullptr);
  } else if (m_nTool == ID_TOOL_MOVE_NODES) {
    ReleaseMoveNodes(p);
  }
  if (m_nTool == ID_TOOL_MOVE_SELECTION || m_nTool == ID_TOOL_MOVE_NODES) SnapGrabbedNode();
  EndDragStep();
}

// A drag, from press to release, is one step however many moves it makes.
void CTrassoView::BeginDragStep(const char* name) {
  if (m_bDragStepOpen) return;
  GetDocument()->BeginStep(name);
  m_bDragStepOpen = true;
}

void CTrassoView::EndDragStep() {
  if (!m_bDragStepOpen) return;
  m_bDragStepOpen = false;
  GetDocument()->EndStep();
}

void CTrassoView::PressTracePath(QPoint p) {
  CTrassoDoc* doc = GetDocument();
  const WorldPoint w = SnapToGrid(LogicalToWorld(p));
  TSNode* node = FindNearestNode(p, kSnap, nullptr);
  if (!node) node = NodeOnSnappedPoint(w);
  if (m_path.empty()) {
    doc->ClearSelection(false);
    m_nPathStart = doc->GetHistory().Revision();
  }
  if (!node && m_path.size() < kMaxPath) node = doc->AddNode(w.x, w.y, false);
  if (!node) return;

  if (!m_path.empty() && node == m_path.front()) {
    if (m_path.size() < 3) return;
    for (TSNode* corner : m_path) doc->Select(*corner);
    // The path is handed over and shortened by the document; it is done with.
    std::vector<TSNode*> path;
    path.swap(m_path);
    const bool feature = m_nTool == ID_TOOL_ADD_FEATURE;
    doc->CreatePolygon(feature, path, 0, 4000, 0, 0, 0, true);
    // The nodes the path made and the polygon are taken back together.
    doc->GetHistory().Squash(m_nPathStart, feature ? "Add feature" : "Add section");
    return;
  }
  if (m_path.size() == kMaxPath) return;
  if (!m_path.empty()) m_path.back()->m_bSelected = 0;
  m_path.push_back(node);
  doc->Select(*node);
  doc->UpdateAllViews(nullptr, 0, nullptr);
}

void CTrassoView::PressInsertObject(QPoint p) {
  CTrassoDoc* doc = GetDocument();
  doc->ClearSelection(false);
  const WorldPoint w = SnapToGrid(LogicalToWorld(p));
  doc->BeginStep("Insert object");
  TSNode* node = doc->AddNode(w.x, w.y, true);
  doc->AttachItem(node, 0);
  doc->EndStep();
}

void CTrassoView::PressMoveNodes(QPoint p) {
  CTrassoDoc* doc = GetDocument();
  doc->ClearSelection(false);
  m_path.clear();
  TSSelectable* hit = HitTest(p);
  m_ptAnchor = p;
  if (!hit) return;
  Capture();
  BeginDragStep("Move nodes");
  const WorldPoint w = LogicalToWorld(p);
  if (auto* node = dynamic_cast<TSNode*>(hit)) {
    doc->Select(*node);
    doc->UpdateAllViews(nullptr, 0, nullptr);
    m_path.push_back(node);
  } else {
    m_path.push_back(doc->DetachWall(static_cast<TSAnchorWall*>(hit), w.x, w.y));
  }
  m_grabStart = {m_path.front()->m_x, m_path.front()->m_y};
}

// Each step is the difference of two converted points, so the whole drag adds
// up to the converted end point minus the converted press point, with no drift.
void CTrassoView::DragSelection(QPoint p) {
  const WorldPoint a = LogicalToWorld(m_ptAnchor);
  const WorldPoint b = LogicalToWorld(p);
  m_ptAnchor = p;
  GetDocument()->MoveSelectedNodes(SaturateToTrackLength(std::int64_t{b.x} - a.x),
                                   SaturateToTrackLength(std::int64_t{b.y} - a.y));
}

void CTrassoView::ReleaseMoveNodes(QPoint p) {
  if (m_path.size() != 1) return;
  TSNode* dragged = m_path.front();
  TSNode* target = FindNearestNode(p, kSnap, dragged);
  if (!target) return;
  m_path.clear();
  GetDocument()->MergeNodes(target, dragged);
}
