#pragma once
// A scroll bar with the semantics the views rely on: a range from nMin to nMax,
// a page, and a position that the bar keeps within [nMin, nMax − nPage + 1].
// A bar that cannot scroll is shown disabled, never hidden. User actions come
// out as scroll codes for the views to interpret; the bar itself moves only
// when told through SetScrollInfo.

#include <QScrollBar>

// Scroll codes, in the order and with the values views traditionally use.
enum ScrollCode {
  SB_LINEUP = 0,
  SB_LINEDOWN = 1,
  SB_PAGEUP = 2,
  SB_PAGEDOWN = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_BOTTOM = 7,
  SB_ENDSCROLL = 8,
};

// Which fields of SCROLLINFO SetScrollInfo applies.
enum ScrollInfoMask : unsigned {
  SIF_RANGE = 0x1,
  SIF_PAGE = 0x2,
  SIF_POS = 0x4,
  SIF_DISABLENOSCROLL = 0x8,
  SIF_TRACKPOS = 0x10,
  SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS,
};

// Which scroll bar of a view.
enum ScrollBarKind { SB_HORZ = 0, SB_VERT = 1 };

struct SCROLLINFO {
  unsigned fMask = SIF_ALL;
  int nMin = 0;
  int nMax = 0;
  int nPage = 0;  // never negative
  int nPos = 0;
  int nTrackPos = 0;  // the thumb's position while it is being dragged
};

class CScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit CScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

  // Applies the fields named by info.fMask, then clamps the position.
  void SetScrollInfo(const SCROLLINFO& info, bool bRedraw = true);
  SCROLLINFO GetScrollInfo() const;
  int GetScrollPos() const { return m_info.nPos; }
  void SetScrollPos(int pos);

  // The largest position the bar allows.
  int GetMaxPos() const;

 signals:
  // A user action on the bar; `trackPos` is where the thumb is.
  void Scrolled(int code, int trackPos);

 private:
  void OnAction(int action);
  void SyncWidget();

  SCROLLINFO m_info;
};
