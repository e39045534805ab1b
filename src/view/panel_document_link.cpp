#include "view/panel_document_link.h"

#include <QTimer>

#include "model/trasso_doc.h"

CPanelDocumentLink::~CPanelDocumentLink() {
  Set(nullptr);
}

void CPanelDocumentLink::Set(CTrassoDoc* doc) {
  if (doc == m_pDocument) return;
  if (m_pDocument) m_pDocument->RemoveTrackObserver(this);
  m_pDocument = doc;
  if (doc) doc->AddTrackObserver(this);
}

void CPanelDocumentLink::OnTrackChanged(const TrackChange& change) {
  if (m_bApplying || !(change.kinds & m_kinds) || m_bStale) return;
  m_bStale = true;
  // The context owns this link, so the call is dropped if both are gone.
  QTimer::singleShot(0, m_pContext, [this] {
    if (m_bStale) m_refresh();
  });
}
