// The splitter's own surface: split boxes and split bars, and the tracking of
// a split while the user drags or places it.

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/splitter_wnd.h"

namespace {
constexpr int kTrackerWidth = 2;

std::unique_ptr<QWidget> MakeTracker(QWidget* parent) {
  auto tracker = std::make_unique<QWidget>(parent);
  tracker->setAutoFillBackground(true);
  QPalette palette = tracker->palette();
  palette.setColor(QPalette::Window, Qt::black);
  tracker->setPalette(palette);
  return tracker;
}
}  // namespace

CSplitterWnd::HitArea CSplitterWnd::HitTest(QPoint point) const {
  HitArea area;
  area.bRows = RowBoxRect().contains(point) || RowBarRect().contains(point);
  area.bCols = ColumnBoxRect().contains(point) || ColumnBarRect().contains(point);
  return area;
}

void CSplitterWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  for (const QRect& r : {RowBoxRect(), ColumnBoxRect(), RowBarRect(), ColumnBarRect()}) {
    if (!r.isEmpty())
      qDrawWinPanel(&painter, r, palette(), false, &palette().brush(QPalette::Button));
  }
}

void CSplitterWnd::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (m_track.bKeyboard) {
    m_track.pos = pos;
    StopTracking(event->button() == Qt::LeftButton);
    return;
  }
  const HitArea area = HitTest(pos);
  if (event->button() == Qt::LeftButton && (area.bRows || area.bCols)) {
    StartTracking(area, pos, false);
  }
}

void CSplitterWnd::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (IsTracking()) {
    MoveTracker(pos);
    return;
  }
  const HitArea area = HitTest(pos);
  if (area.bRows && area.bCols) {
    setCursor(Qt::SizeAllCursor);
  } else if (area.bRows) {
    setCursor(Qt::SplitVCursor);
  } else if (area.bCols) {
    setCursor(Qt::SplitHCursor);
  } else {
    unsetCursor();
  }
}

void CSplitterWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (!IsTracking() || m_track.bKeyboard) return;
  m_track.pos = event->position().toPoint();
  StopTracking(true);
}

void CSplitterWnd::keyPressEvent(QKeyEvent* event) {
  if (IsTracking() && event->key() == Qt::Key_Escape) {
    StopTracking(false);
    return;
  }
  if (IsTracking() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    StopTracking(true);
    return;
  }
  QWidget::keyPressEvent(event);
}

void CSplitterWnd::DoKeyboardSplit() {
  if (IsTracking() || m_nRows == 0) return;
  const QSize area = PaneArea();
  HitArea both;
  both.bRows = m_nMaxRows > 1;
  both.bCols = m_nMaxCols > 1;
  StartTracking(both, QPoint(area.width() / 2, area.height() / 2), true);
}

void CSplitterWnd::StartTracking(HitArea area, QPoint pos, bool bKeyboard) {
  m_track = Tracking{area.bRows, area.bCols, bKeyboard, pos};
  if (m_track.bRows) m_rowTracker = MakeTracker(this);
  if (m_track.bCols) m_colTracker = MakeTracker(this);
  MoveTracker(pos);
  grabMouse();
  if (bKeyboard) grabKeyboard();
  setFocus(Qt::OtherFocusReason);
}

void CSplitterWnd::MoveTracker(QPoint pos) {
  const QSize area = PaneArea();
  m_track.pos = QPoint(std::clamp(pos.x(), 0, area.width()), std::clamp(pos.y(), 0, area.height()));
  if (m_rowTracker) {
    m_rowTracker->setGeometry(0, m_track.pos.y() - kTrackerWidth / 2, area.width(), kTrackerWidth);
    m_rowTracker->show();
    m_rowTracker->raise();
  }
  if (m_colTracker) {
    m_colTracker->setGeometry(m_track.pos.x() - kTrackerWidth / 2, 0, kTrackerWidth, area.height());
    m_colTracker->show();
    m_colTracker->raise();
  }
}

void CSplitterWnd::StopTracking(bool bApply) {
  const Tracking track = m_track;
  m_track = Tracking();
  m_rowTracker.reset();
  m_colTracker.reset();
  releaseMouse();
  if (track.bKeyboard) releaseKeyboard();
  if (bApply) {
    // The released point is the middle of the split bar.
    if (track.bCols) ApplyColumnTrack(track.pos.x() - kSplitterSize / 2);
    if (track.bRows) ApplyRowTrack(track.pos.y() - kSplitterSize / 2);
  }
  // Tracking took the focus; the keys (Delete, Insert) and the panels follow
  // the active view, so it goes back there, also to a pane that remains
  // after its neighbour joined it.
  CView* active = GetActivePane();
  if (!active) active = m_panes[0][0];
  if (active) SetActivePane(active);
}

void CSplitterWnd::ApplyColumnTrack(int size) {
  if (m_nCols == 1) {
    SplitColumn(size);
  } else {
    TrackColumnSize(size);
  }
}

void CSplitterWnd::ApplyRowTrack(int size) {
  if (m_nRows == 1) {
    SplitRow(size);
  } else {
    TrackRowSize(size);
  }
}
