// The kept picture of the plan. A repaint of a large track with everything in
// sight redraws tens of thousands of marks; most repaints (the rubber band
// crossing the window, windows uncovered, another pane's change) change few or
// none, so the window copies them from the picture and redraws into it only
// where the marks differ, as the partial repaints of the window itself do.

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/dc.h"
#include "view/trasso_view.h"
#include "view/view_options.h"

bool CTrassoView::CanKeepPicture() const {
  return !GetViewOptions().bItemLabels && devicePixelRatio() == 1.0;
}

void CTrassoView::paintEvent(QPaintEvent* event) {
  if (!CanKeepPicture()) {
    CView::paintEvent(event);
    return;
  }
  UpdatePicture();
  const QRect clip = event->rect();
  QPainter painter(this);
  painter.drawImage(clip.topLeft(), m_picture, clip);
  painter.setClipRect(clip);
  CDC dc(*this, &painter, clip);
  OnPrepareDC(dc);
  DrawToolFeedback(painter);
}

void CTrassoView::UpdatePicture() {
  const PictureKey key{size(), logicalDpiX(), logicalDpiY(), GetGridOptions(),
                       palette().color(QPalette::Base).rgba()};
  CDC client = GetClientDC();
  const int reach = MarkReach(client);
  m_pictureNewMarks.Record(*this, client.DPtoLP(rect()), reach);
  QRect area = rect();
  if (m_picture.isNull() || key != m_pictureKey) {
    m_picture = QImage(size(), QImage::Format_RGB32);
    // The picture's resolution is the window's, so that it maps alike.
    m_picture.setDotsPerMeterX(qRound(key.dpiX / 0.0254));
    m_picture.setDotsPerMeterY(qRound(key.dpiY / 0.0254));
    m_pictureKey = key;
  } else {
    area = ChangedDeviceArea(m_pictureNewMarks.ChangedSince(m_pictureMarks), client, reach, rect());
  }
  std::swap(m_pictureNewMarks, m_pictureMarks);
  if (area.isEmpty()) return;
  QPainter painter(&m_picture);
  painter.fillRect(area, palette().color(QPalette::Base));
  painter.setClipRect(area);
  CDC dc(m_picture, &painter, area);
  OnPrepareDC(dc);
  DrawTrack(dc);
}
