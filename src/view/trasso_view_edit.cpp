// Tool changes, the Delete and Insert keys and their commands, and keeping the
// traced path free of nodes the document deletes.

#include <QKeyEvent>
#include <algorithm>

#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "resource_ids.h"
#include "view/tool_cursors.h"
#include "view/trasso_view.h"

void CTrassoView::SetTool(int nTool) {
  m_path.clear();
  m_nTool = nTool;
  setCursor(LoadToolCursor(nTool));
}

void CTrassoView::SetToolForAllViews(int nTool) {
  for (CTrassoView* view : s_allViews) view->SetTool(nTool);
}

void CTrassoView::keyPressEvent(QKeyEvent* event) {
  if (OnNavigationKey(*event)) return;
  // Ctrl+Insert and Shift+Insert are Copy and Paste, not Insert; with any such
  // modifier the key is not the view's to take, even when its command is off.
  constexpr auto kCommandModifiers =
      Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier;
  if (!(event->modifiers() & kCommandModifiers)) OnKeyDown(event->key());
  CView::keyPressEvent(event);
}

void CTrassoView::OnKeyDown(int key) {
  if (key == Qt::Key_Delete) {
    OnCutSelection();
  } else if (key == Qt::Key_Insert) {
    OnInsertNode();
  } else if (key == Qt::Key_Escape) {
    CancelPath();
  }
}

void CTrassoView::OnCutSelection() {
  // Selected path nodes leave the path even when they survive the cut (they
  // may still anchor walls), so tracing goes on from the last one left.
  std::erase_if(m_path, [](const TSNode* node) { return node->m_bSelected != 0; });
  GetDocument()->DeleteSelection();
}

void CTrassoView::OnInsertNode() {
  CTrassoDoc* doc = GetDocument();
  if (TSAnchorWall* wall = doc->GetSelectedWall()) doc->InsertNodeOnWall(wall);
}

bool CTrassoView::CancelPath() {
  // The move tools keep the dragged node in m_path; that is no traced path.
  const bool tracing = m_nTool == ID_TOOL_ADD_SECTION || m_nTool == ID_TOOL_ADD_FEATURE;
  if (!tracing || m_path.empty()) return false;
  m_path.clear();
  GetDocument()->RollBackTo(m_nPathStart);
  return true;
}

bool CTrassoView::CanCutSelection() const {
  return GetDocument()->HasSelection(false);
}

bool CTrassoView::CanInsertNode() const {
  return GetDocument()->GetSelectedWall() != nullptr;
}

void CTrassoView::OnTrackChanged(const TrackChange& change) {
  if (change.removedNodes.empty()) return;
  const auto removed = [&](const TSNode* node) {
    return std::find(change.removedNodes.begin(), change.removedNodes.end(), node) !=
           change.removedNodes.end();
  };
  if (m_pHoverNode && removed(m_pHoverNode)) m_pHoverNode = nullptr;
  std::erase_if(m_path, removed);
}
