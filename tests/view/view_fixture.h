#pragma once
// A child frame on a document, shown offscreen, with stand-ins for the
// application's bars that record what the views ask of them.

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "model/trasso_doc.h"
#include "platform/qt/status_bar.h"
#include "shell/child_frame.h"
#include "support/track_builder.h"
#include "view/trasso_view.h"
#include "view/view_services.h"
#include "view/zoom_bar.h"

// Logs "attach <name>" and "detach <name>" into a shared journal.
class RecordingPanel : public CDocumentPanel {
 public:
  RecordingPanel(std::string name, std::vector<std::string>& journal)
      : m_name(std::move(name)), m_journal(journal) {}
  void AttachDocument(CTrassoDoc* doc) override;
  void DetachDocument(CTrassoDoc* doc) override;
  void UpdateFromDocument() override { ++m_nRefreshes; }

  CTrassoDoc* m_pDocument = nullptr;
  int m_nRefreshes = 0;

 private:
  std::string m_name;
  std::vector<std::string>& m_journal;
};

// Registers itself as the application's services for its lifetime.
class FakeServices : public CViewServices {
 public:
  FakeServices();
  ~FakeServices() override;
  CDocumentPanel* GetSelectionBar() const override { return m_selection.get(); }
  CDocumentPanel* GetTrackBar() const override { return m_track.get(); }
  CStatusBar* GetStatusBar() const override { return m_status.get(); }
  CZoomBar* GetZoomBar() const override { return m_zoom.get(); }
  int GetCurrentTool() const override { return m_nTool; }

  std::vector<std::string> m_journal;
  std::unique_ptr<RecordingPanel> m_selection;
  std::unique_ptr<RecordingPanel> m_track;
  std::unique_ptr<CStatusBar> m_status;
  std::unique_ptr<CZoomBar> m_zoom;
  int m_nTool = 32777;
};

// A shown frame of the given client size on `doc`.
std::unique_ptr<CChildFrame> ShowFrame(CTrassoDoc& doc, QSize size = QSize(400, 300));
CTrassoView* Pane(CChildFrame& frame, int row = 0, int col = 0);

// Paints a view into an image of 254 dots per inch, where one logical unit is
// one pixel, and finds pixels by logical position.
class PlanImage {
 public:
  explicit PlanImage(CTrassoView& view, QSize size = QSize(400, 300));
  QColor At(QPoint logical) const;
  QColor AtWorld(TrackLength x, TrackLength y) const;
  const QImage& Image() const { return m_image; }

 private:
  CTrassoView& m_view;
  QImage m_image;
  QPoint m_origin;
};
