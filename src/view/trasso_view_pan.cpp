// Panning with the mouse, and the keys that move around the plan.

#include <QKeyEvent>
#include <QMouseEvent>

#include "view/tool_cursors.h"
#include "view/trasso_view.h"

bool CTrassoView::BeginPan(const QMouseEvent& event) {
  if (m_pan.bActive) {
    m_pan.swallowed |= event.button();
    return true;
  }
  const bool panButton =
      event.button() == Qt::MiddleButton || (event.button() == Qt::LeftButton && m_bSpaceHeld);
  // A tool's drag in progress keeps the mouse to itself.
  if (!panButton || m_bButtonDown) return false;
  m_pan = PanState{true, event.button(), {}, event.position().toPoint(), GetWindowOrigin()};
  setCursor(Qt::ClosedHandCursor);
  return true;
}

// The plan moves with the pointer from where the pan began, so rounding does
// not add up over many moves.
bool CTrassoView::ContinuePan(const QMouseEvent& event) {
  if (!m_pan.bActive) return false;
  const CDC dc = GetClientDC();
  ScrollToOrigin(m_pan.startOrigin + dc.DPtoLP(m_pan.pressDevice) -
                 dc.DPtoLP(event.position().toPoint()));
  return true;
}

bool CTrassoView::EndPan(const QMouseEvent& event) {
  if (m_pan.swallowed & event.button()) {
    m_pan.swallowed &= ~event.button();
    return true;
  }
  if (!m_pan.bActive) return false;
  if (event.button() == m_pan.button) {
    m_pan.bActive = false;
    RestoreCursor();
  }
  return true;
}

void CTrassoView::RestoreCursor() {
  if (m_pan.bActive) return;
  setCursor(m_bSpaceHeld ? QCursor(Qt::OpenHandCursor) : LoadToolCursor(m_nTool));
}

bool CTrassoView::OnNavigationKey(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Space && !(event.modifiers() & ~Qt::KeypadModifier)) {
    if (!event.isAutoRepeat()) {
      m_bSpaceHeld = true;
      RestoreCursor();
    }
    return true;
  }
  if (event.modifiers() & ~Qt::KeypadModifier) return false;
  struct Arrow {
    int key;
    int lines;
    ScrollBarKind bar;
  };
  static constexpr Arrow kArrows[] = {{Qt::Key_Left, 1, SB_HORZ},
                                      {Qt::Key_Right, -1, SB_HORZ},
                                      {Qt::Key_Up, 1, SB_VERT},
                                      {Qt::Key_Down, -1, SB_VERT}};
  for (const Arrow& arrow : kArrows) {
    if (event.key() != arrow.key) continue;
    ScrollLines(arrow.lines, arrow.bar);
    return true;
  }
  return false;
}

void CTrassoView::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    m_bSpaceHeld = false;
    RestoreCursor();
  }
  CView::keyReleaseEvent(event);
}

// A release of the space bar that goes to another widget would leave the
// left button panning for good.
void CTrassoView::focusOutEvent(QFocusEvent* event) {
  m_bSpaceHeld = false;
  RestoreCursor();
  CView::focusOutEvent(event);
}
