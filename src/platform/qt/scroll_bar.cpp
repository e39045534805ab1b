#include "platform/qt/scroll_bar.h"

#include <QSignalBlocker>
#include <algorithm>

CScrollBar::CScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
  connect(this, &QAbstractSlider::actionTriggered, this, &CScrollBar::OnAction);
  SyncWidget();
}

int CScrollBar::GetMaxPos() const {
  return std::max(m_info.nMin, m_info.nMax - std::max(m_info.nPage - 1, 0));
}

void CScrollBar::SetScrollInfo(const SCROLLINFO& info, bool bRedraw) {
  if (info.fMask & SIF_RANGE) {
    m_info.nMin = info.nMin;
    m_info.nMax = std::max(info.nMin, info.nMax);
  }
  if (info.fMask & SIF_PAGE) m_info.nPage = std::max(info.nPage, 0);
  if (info.fMask & SIF_POS) m_info.nPos = info.nPos;
  m_info.nPos = std::clamp(m_info.nPos, m_info.nMin, GetMaxPos());
  SyncWidget();
  if (bRedraw) update();
}

SCROLLINFO CScrollBar::GetScrollInfo() const {
  SCROLLINFO info = m_info;
  info.fMask = SIF_ALL;
  return info;
}

void CScrollBar::SetScrollPos(int pos) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(info);
}

void CScrollBar::SyncWidget() {
  // The widget only mirrors the state; the signal of a changed value still goes
  // out so that whoever shows this position can repaint.
  {
    const QSignalBlocker block(static_cast<QAbstractSlider*>(this));
    setRange(m_info.nMin, GetMaxPos());
    setPageStep(std::max(m_info.nPage, 1));
  }
  const bool changed = value() != m_info.nPos;
  {
    const QSignalBlocker block(static_cast<QAbstractSlider*>(this));
    setValue(m_info.nPos);
  }
  setEnabled(GetMaxPos() > m_info.nMin);
  if (changed) emit valueChanged(m_info.nPos);
}

void CScrollBar::OnAction(int action) {
  int code;
  switch (action) {
    case SliderSingleStepSub:
      code = SB_LINEUP;
      break;
    case SliderSingleStepAdd:
      code = SB_LINEDOWN;
      break;
    case SliderPageStepSub:
      code = SB_PAGEUP;
      break;
    case SliderPageStepAdd:
      code = SB_PAGEDOWN;
      break;
    case SliderMove:
      code = SB_THUMBTRACK;
      break;
    case SliderToMinimum:
      code = SB_TOP;
      break;
    case SliderToMaximum:
      code = SB_BOTTOM;
      break;
    default:
      return;
  }
  m_info.nTrackPos = sliderPosition();
  // Undo the widget's own step; the listeners decide where the bar goes.
  setSliderPosition(m_info.nPos);
  emit Scrolled(code, m_info.nTrackPos);
}
