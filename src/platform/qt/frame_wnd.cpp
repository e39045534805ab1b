#include "platform/qt/frame_wnd.h"

#include "platform/qt/view.h"

void CFrameWnd::SetActiveView(CView* view) {
  CView* old = m_pViewActive;
  if (view == old) return;
  m_pViewActive = nullptr;
  if (old) old->OnActivateView(false, view, old);
  m_pViewActive = view;
  if (view) view->OnActivateView(true, view, old);
}

void CFrameWnd::OnViewDestroyed(CView* view) {
  if (m_pViewActive == view) m_pViewActive = nullptr;
}

CFrameWnd* FindParentFrame(const QWidget* widget) {
  for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(w)) return frame;
  }
  return nullptr;
}
