#pragma once
// The part of a frame window that keeps track of its active view.

class CView;
class QWidget;

class CFrameWnd {
 public:
  virtual ~CFrameWnd() = default;

  CView* GetActiveView() const { return m_pViewActive; }
  // The old view is told first that it is no longer active, then the new one
  // that it is, so that whatever follows the active view lets go before it is
  // taken again. Nothing happens when `view` is already active.
  void SetActiveView(CView* view);
  // Forgets a view that is being destroyed, without telling anyone.
  void OnViewDestroyed(CView* view);

 private:
  CView* m_pViewActive = nullptr;
};

// The nearest frame among the ancestors of `widget`, or null.
CFrameWnd* FindParentFrame(const QWidget* widget);
