#include <algorithm>

#include "view/trasso_view.h"

int ScrollPositionFor(const SCROLLINFO& info, int code) {
  const int page = std::max(info.nPage, 0);
  switch (code) {
    case SB_LINEUP:
      return info.nPos - std::max(page / 20, 1);
    case SB_LINEDOWN:
      return info.nPos + std::max(page / 20, 1);
    case SB_PAGEUP:
      return info.nPos - (page * 8) / 10;
    case SB_PAGEDOWN:
      return info.nPos + (page * 8) / 10;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      return info.nTrackPos;
    case SB_TOP:
      return info.nMin;
    // One short of the largest position the bar allows (max − page + 1).
    case SB_BOTTOM:
      return info.nMax - page;
    default:
      return info.nPos;
  }
}

void CTrassoView::OnHScroll(int code, int, CScrollBar* bar) {
  OnScroll(bar, code);
}

void CTrassoView::OnVScroll(int code, int, CScrollBar* bar) {
  OnScroll(bar, code);
}

// There is no blit of the old contents: the update repaints the whole view.
void CTrassoView::OnScroll(CScrollBar* bar, int code) {
  if (!bar) return;
  SCROLLINFO info = bar->GetScrollInfo();
  info.nPos = ScrollPositionFor(info, code);
  info.fMask = SIF_ALL;
  bar->SetScrollInfo(info, true);
  OnUpdate(nullptr, 0, nullptr);
}

void CTrassoView::CenterOn(WorldPoint world) {
  const QPoint at = WorldToLogical(world.x, world.y);
  const QRect page = GetClientDC().DPtoLP(rect()).normalized();
  ScrollToOrigin({at.x() - page.width() / 2, at.y() + page.height() / 2});
}

void CTrassoView::ScrollToOrigin(QPoint origin) {
  if (CScrollBar* horz = GetScrollBarCtrl(SB_HORZ)) horz->SetScrollPos(origin.x());
  // The vertical thumb counts down from the greatest y at the top.
  if (CScrollBar* vert = GetScrollBarCtrl(SB_VERT)) {
    const SCROLLINFO info = vert->GetScrollInfo();
    vert->SetScrollPos(info.nMin + info.nMax - origin.y());
  }
  OnUpdate(nullptr, 0, nullptr);
}
