#include "platform/qt/view.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/frame_wnd.h"
#include "platform/qt/splitter_wnd.h"

CView::CView(CDocument* document, QWidget* parent) : QWidget(parent), m_pDocument(document) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_pDocument->AddView(this);
}

CView::~CView() {
  if (CFrameWnd* frame = GetParentFrame()) frame->OnViewDestroyed(this);
  m_pDocument->RemoveView(this);
}

CScrollBar* CView::GetScrollBarCtrl(ScrollBarKind bar) const {
  auto* splitter = qobject_cast<CSplitterWnd*>(parentWidget());
  return splitter ? splitter->GetScrollBarCtrl(this, bar) : nullptr;
}

CFrameWnd* CView::GetParentFrame() const {
  return FindParentFrame(this);
}

CDC CView::GetClientDC() {
  CDC dc(*this, nullptr);
  OnPrepareDC(dc);
  return dc;
}

void CView::PaintOn(QPaintDevice& device, const QRect& deviceClip) {
  QPainter painter(&device);
  const QRect clip =
      deviceClip.isEmpty() ? QRect(0, 0, device.width(), device.height()) : deviceClip;
  painter.fillRect(clip, palette().color(QPalette::Base));
  painter.setClipRect(clip);
  CDC dc(device, &painter, clip);
  OnPrepareDC(dc);
  OnDraw(dc);
}

void CView::paintEvent(QPaintEvent* event) {
  PaintOn(*this, event->rect());
}

void CView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
}
