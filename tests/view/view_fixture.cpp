#include "view_fixture.h"

#include <QApplication>

#include "resource_ids.h"

void RecordingPanel::AttachDocument(CTrassoDoc* doc) {
  m_journal.push_back("attach " + m_name);
  m_pDocument = doc;
}

void RecordingPanel::DetachDocument(CTrassoDoc* doc) {
  m_journal.push_back("detach " + m_name);
  if (doc == m_pDocument) m_pDocument = nullptr;
}

FakeServices::FakeServices()
    : m_selection(std::make_unique<RecordingPanel>("selection", m_journal)),
      m_track(std::make_unique<RecordingPanel>("track", m_journal)),
      m_status(std::make_unique<CStatusBar>()),
      m_zoom(std::make_unique<CZoomBar>()) {
  m_status->SetIndicators({ID_SEPARATOR, ID_INDICATOR_POSITION});
  SetViewServices(this);
}

FakeServices::~FakeServices() {
  SetViewServices(nullptr);
}

std::unique_ptr<CChildFrame> ShowFrame(CTrassoDoc& doc, QSize size) {
  auto frame = std::make_unique<CChildFrame>(&doc);
  frame->resize(size);
  frame->show();
  QApplication::processEvents();
  return frame;
}

CTrassoView* Pane(CChildFrame& frame, int row, int col) {
  return static_cast<CTrassoView*>(frame.GetSplitter().GetPane(row, col));
}

PlanImage::PlanImage(CTrassoView& view, QSize size)
    : m_view(view), m_image(size, QImage::Format_RGB32), m_origin(view.GetWindowOrigin()) {
  // 254 dots per inch is 10000 dots per metre.
  m_image.setDotsPerMeterX(10000);
  m_image.setDotsPerMeterY(10000);
  view.PaintOn(m_image);
}

QColor PlanImage::At(QPoint logical) const {
  return m_image.pixelColor(logical.x() - m_origin.x(), m_origin.y() - logical.y());
}

QColor PlanImage::AtWorld(TrackLength x, TrackLength y) const {
  return At(m_view.WorldToLogical(x, y));
}
