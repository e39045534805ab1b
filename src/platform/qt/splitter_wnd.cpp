#include "platform/qt/splitter_wnd.h"

#include <QStyle>

#include "platform/qt/frame_wnd.h"
#include "platform/qt/view.h"

CSplitterWnd::CSplitterWnd() = default;

CSplitterWnd::~CSplitterWnd() {
  // The views go first, while the bars they scroll with still exist.
  for (auto& row : m_panes) {
    for (CView*& pane : row) {
      delete pane;
      pane = nullptr;
    }
  }
}

bool CSplitterWnd::Create(QWidget* parent, int nMaxRows, int nMaxCols, QSize sizeMin,
                          ViewFactory factory) {
  if (m_nRows != 0 || nMaxRows < 1 || nMaxRows > 2 || nMaxCols < 1 || nMaxCols > 2) return false;
  setParent(parent);
  setMouseTracking(true);
  m_nMaxRows = nMaxRows;
  m_nMaxCols = nMaxCols;
  m_sizeMin = sizeMin.expandedTo(QSize(1, 1));
  m_factory = std::move(factory);
  CView* first = MakePane();
  if (!first) return false;
  m_panes[0][0] = first;
  m_hBars[0].reset(MakeBar(Qt::Horizontal, nullptr));
  m_vBars[0].reset(MakeBar(Qt::Vertical, nullptr));
  m_nRows = m_nCols = 1;
  RecalcLayout();
  first->show();
  first->OnInitialUpdate();
  return true;
}

CView* CSplitterWnd::MakePane() {
  return m_factory ? m_factory(this) : nullptr;
}

CScrollBar* CSplitterWnd::MakeBar(Qt::Orientation orientation, const CScrollBar* copyFrom) {
  auto* bar = new CScrollBar(orientation, this);
  if (copyFrom) bar->SetScrollInfo(copyFrom->GetScrollInfo());
  const bool horizontal = orientation == Qt::Horizontal;
  connect(bar, &CScrollBar::Scrolled, this, [this, bar, horizontal](int code, int pos) {
    OnBarScrolled(bar, horizontal, code, pos);
  });
  connect(bar, &QAbstractSlider::valueChanged, this, [this, bar] { RepaintPanesOf(bar); });
  bar->show();
  return bar;
}

CView* CSplitterWnd::GetPane(int row, int col) const {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return nullptr;
  return m_panes[row][col];
}

CScrollBar* CSplitterWnd::GetScrollBarCtrl(const CView* pane, ScrollBarKind bar) const {
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      if (m_panes[r][c] == pane) return bar == SB_HORZ ? m_hBars[c].get() : m_vBars[r].get();
    }
  }
  return nullptr;
}

// Every pane of the bar's column (row) handles the action, each starting from
// the same position, so that they all scroll alike and all repaint.
void CSplitterWnd::OnBarScrolled(CScrollBar* bar, bool bHorizontal, int code, int pos) {
  const int oldPos = bar->GetScrollPos();
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      CView* pane = m_panes[r][c];
      if (bHorizontal && m_hBars[c].get() == bar) {
        bar->SetScrollPos(oldPos);
        pane->OnHScroll(code, pos, bar);
      } else if (!bHorizontal && m_vBars[r].get() == bar) {
        bar->SetScrollPos(oldPos);
        pane->OnVScroll(code, pos, bar);
      }
    }
  }
}

// A position that changes because one pane set a new range moves the picture
// of every pane sharing the bar, not only the one that was updated.
void CSplitterWnd::RepaintPanesOf(const CScrollBar* bar) {
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) {
      if (m_hBars[c].get() == bar || m_vBars[r].get() == bar) m_panes[r][c]->update();
    }
  }
}

bool CSplitterWnd::SplitColumn(int size) {
  const int rest = PaneArea().width() - size - kSplitterSize;
  if (m_nCols != 1 || m_nMaxCols < 2 || size < m_sizeMin.width() || rest < m_sizeMin.width()) {
    return false;
  }
  std::array<CView*, 2> added{};
  for (int r = 0; r < m_nRows; ++r) {
    added[r] = MakePane();
    if (!added[r]) {
      for (CView* view : added) delete view;
      return false;
    }
  }
  for (int r = 0; r < m_nRows; ++r) m_panes[r][1] = added[r];
  m_hBars[1].reset(MakeBar(Qt::Horizontal, m_hBars[0].get()));
  m_nCols = 2;
  m_nColSize = size;
  RecalcLayout();
  for (int r = 0; r < m_nRows; ++r) {
    added[r]->show();
    added[r]->OnInitialUpdate();
  }
  return true;
}

bool CSplitterWnd::SplitRow(int size) {
  const int rest = PaneArea().height() - size - kSplitterSize;
  if (m_nRows != 1 || m_nMaxRows < 2 || size < m_sizeMin.height() || rest < m_sizeMin.height()) {
    return false;
  }
  std::array<CView*, 2> added{};
  for (int c = 0; c < m_nCols; ++c) {
    added[c] = MakePane();
    if (!added[c]) {
      for (CView* view : added) delete view;
      return false;
    }
  }
  for (int c = 0; c < m_nCols; ++c) m_panes[1][c] = added[c];
  m_vBars[1].reset(MakeBar(Qt::Vertical, m_vBars[0].get()));
  m_nRows = 2;
  m_nRowSize = size;
  RecalcLayout();
  for (int c = 0; c < m_nCols; ++c) {
    added[c]->show();
    added[c]->OnInitialUpdate();
  }
  return true;
}

void CSplitterWnd::DeleteColumn(int col) {
  if (m_nCols != 2 || col < 0 || col > 1) return;
  const int keep = 1 - col;
  CView* active = GetActivePane();
  for (int r = 0; r < m_nRows; ++r) {
    if (active == m_panes[r][col]) SetActivePane(m_panes[r][keep]);
  }
  for (int r = 0; r < m_nRows; ++r) {
    delete m_panes[r][col];
    m_panes[r][0] = m_panes[r][keep];
    m_panes[r][1] = nullptr;
  }
  if (col == 0) std::swap(m_hBars[0], m_hBars[1]);
  m_hBars[1].reset();
  m_nCols = 1;
  RecalcLayout();
}

void CSplitterWnd::DeleteRow(int row) {
  if (m_nRows != 2 || row < 0 || row > 1) return;
  const int keep = 1 - row;
  CView* active = GetActivePane();
  for (int c = 0; c < m_nCols; ++c) {
    if (active == m_panes[row][c]) SetActivePane(m_panes[keep][c]);
  }
  for (int c = 0; c < m_nCols; ++c) {
    delete m_panes[row][c];
    m_panes[0][c] = m_panes[keep][c];
    m_panes[1][c] = nullptr;
  }
  if (row == 0) std::swap(m_vBars[0], m_vBars[1]);
  m_vBars[1].reset();
  m_nRows = 1;
  RecalcLayout();
}

void CSplitterWnd::TrackColumnSize(int size) {
  if (m_nCols != 2) return;
  if (size < m_sizeMin.width()) {
    DeleteColumn(0);
  } else if (PaneArea().width() - size - kSplitterSize < m_sizeMin.width()) {
    DeleteColumn(1);
  } else {
    m_nColSize = size;
    RecalcLayout();
  }
}

void CSplitterWnd::TrackRowSize(int size) {
  if (m_nRows != 2) return;
  if (size < m_sizeMin.height()) {
    DeleteRow(0);
  } else if (PaneArea().height() - size - kSplitterSize < m_sizeMin.height()) {
    DeleteRow(1);
  } else {
    m_nRowSize = size;
    RecalcLayout();
  }
}

CView* CSplitterWnd::GetActivePane() const {
  CFrameWnd* frame = FindParentFrame(this);
  CView* candidates[] = {frame ? frame->GetActiveView() : nullptr,
                         dynamic_cast<CView*>(focusWidget())};
  for (CView* view : candidates) {
    for (int r = 0; r < m_nRows; ++r) {
      for (int c = 0; c < m_nCols; ++c) {
        if (view && m_panes[r][c] == view) return view;
      }
    }
  }
  return nullptr;
}

void CSplitterWnd::SetActivePane(CView* view) {
  view->setFocus(Qt::OtherFocusReason);
  // The focus does not move while the window is inactive; the frame still has
  // to know which view the user chose.
  if (CFrameWnd* frame = FindParentFrame(this)) frame->SetActiveView(view);
}

void CSplitterWnd::ActivateNext(bool bPrev) {
  const int count = m_nRows * m_nCols;
  if (count == 0) return;
  int index = 0;
  CView* active = GetActivePane();
  for (int i = 0; i < count; ++i) {
    if (m_panes[i / m_nCols][i % m_nCols] == active) index = i;
  }
  if (active) index = (index + (bPrev ? count - 1 : 1)) % count;
  SetActivePane(m_panes[index / m_nCols][index % m_nCols]);
}

int CSplitterWnd::ScrollBarExtent() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QSize CSplitterWnd::PaneArea() const {
  const int sb = ScrollBarExtent();
  return QSize(std::max(width() - sb, 0), std::max(height() - sb, 0));
}

QRect CSplitterWnd::ColumnBoxRect() const {
  if (m_nCols >= m_nMaxCols) return QRect();
  return QRect(0, PaneArea().height(), kSplitterSize, ScrollBarExtent());
}

QRect CSplitterWnd::RowBoxRect() const {
  if (m_nRows >= m_nMaxRows) return QRect();
  return QRect(PaneArea().width(), 0, ScrollBarExtent(), kSplitterSize);
}

QRect CSplitterWnd::ColumnBarRect() const {
  if (m_nCols != 2) return QRect();
  return QRect(m_nColSize, 0, kSplitterSize, height());
}

QRect CSplitterWnd::RowBarRect() const {
  if (m_nRows != 2) return QRect();
  return QRect(0, m_nRowSize, width(), kSplitterSize);
}

void CSplitterWnd::RecalcLayout() {
  const QSize area = PaneArea();
  const int sb = ScrollBarExtent();
  // Column c spans [x[c], x[c] + w[c]); the same for rows.
  int x[2] = {0, 0}, w[2] = {area.width(), 0};
  int y[2] = {0, 0}, h[2] = {area.height(), 0};
  if (m_nCols == 2) {
    m_nColSize = std::clamp(m_nColSize, 0, std::max(area.width() - kSplitterSize, 0));
    w[0] = m_nColSize;
    x[1] = m_nColSize + kSplitterSize;
    w[1] = std::max(area.width() - x[1], 0);
  }
  if (m_nRows == 2) {
    m_nRowSize = std::clamp(m_nRowSize, 0, std::max(area.height() - kSplitterSize, 0));
    h[0] = m_nRowSize;
    y[1] = m_nRowSize + kSplitterSize;
    h[1] = std::max(area.height() - y[1], 0);
  }
  for (int r = 0; r < m_nRows; ++r) {
    for (int c = 0; c < m_nCols; ++c) m_panes[r][c]->setGeometry(x[c], y[r], w[c], h[r]);
  }
  for (int c = 0; c < m_nCols; ++c) {
    const int box = (c == 0 && m_nCols < m_nMaxCols) ? kSplitterSize : 0;
    m_hBars[c]->setGeometry(x[c] + box, area.height(), std::max(w[c] - box, 0), sb);
  }
  for (int r = 0; r < m_nRows; ++r) {
    const int box = (r == 0 && m_nRows < m_nMaxRows) ? kSplitterSize : 0;
    m_vBars[r]->setGeometry(area.width(), y[r] + box, sb, std::max(h[r] - box, 0));
  }
  update();
}

void CSplitterWnd::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RecalcLayout();
}
