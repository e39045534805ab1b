// The kept picture of the plan. A repaint of a large track with everything in
// sight redraws tens of thousands of marks; most repaints (the rubber band
// crossing the window, windows uncovered, another pane's change) change few or
// none, so the window copies them from the picture and redraws into it only
// where the marks differ, as the partial repaints of the window itself do.

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/dc.h"
#include "view/startup_timing.h"
#include "view/trasso_view.h"
#include "view/view_options.h"

bool CTrassoView::CanKeepPicture() const {
  return !GetViewOptions().bItemLabels && devicePixelRatio() == 1.0;
}

void CTrassoView::paintEvent(QPaintEvent* event) {
  PaintWindow(*event);
  NoteTrackPainted();
}

void CTrassoView::PaintWindow(QPaintEvent& event) {
  if (!CanKeepPicture()) {
    m_picture = QImage();  // not kept current meanwhile
    CView::paintEvent(&event);
    return;
  }
  const QRect clip = event.rect();
  UpdatePicture(clip);
  QPainter painter(this);
  painter.drawImage(clip.topLeft(), m_picture, clip);
  painter.setClipRect(clip);
  CDC dc(*this, &painter, clip);
  OnPrepareDC(dc);
  DrawToolFeedback(painter);
}

void CTrassoView::UpdatePicture(const QRect& clip) {
  const PictureKey key{size(), logicalDpiX(), logicalDpiY(), GetGridOptions(),
                       palette().color(QPalette::Base).rgba()};
  if (m_picture.isNull() || key != m_pictureKey) {
    m_picture = QImage(size(), QImage::Format_RGB32);
    // The picture's resolution is the window's, so that it maps alike.
    m_picture.setDotsPerMeterX(qRound(key.dpiX / 0.0254));
    m_picture.setDotsPerMeterY(qRound(key.dpiY / 0.0254));
    m_pictureKey = key;
    TakeChangedArea();  // the marks drawn below
    m_pictureDirty = rect();
  } else if (!m_pictureDirty.contains(clip)) {
    // A repaint no comparison asked for: the window uncovered, a full update,
    // or a change no update told of. What changed outside `clip` is
    // repainted soon.
    const QRect changed = TakeChangedArea();
    if (!clip.contains(changed)) update(changed);
  }
  if (m_pictureDirty.isEmpty()) return;
  QPainter painter(&m_picture);
  painter.fillRect(m_pictureDirty, palette().color(QPalette::Base));
  painter.setClipRect(m_pictureDirty);
  CDC dc(m_picture, &painter, m_pictureDirty);
  OnPrepareDC(dc);
  DrawTrack(dc);
  m_pictureDirty = QRect();
}
