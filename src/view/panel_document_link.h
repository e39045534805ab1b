#pragma once
// Keeps a panel told of the changes of the one document it serves. After a
// change the panel did not make itself, the panel is refreshed once, from the
// event loop, unless something refreshed it in between (the active view
// refreshes the selection panel after each of its own updates).

#include <QObject>
#include <functional>

#include "model/track_change.h"

class CTrassoDoc;

class CPanelDocumentLink : public CTrackObserver {
 public:
  // `kinds`: the changes that show in the panel.
  CPanelDocumentLink(QObject* context, unsigned kinds, std::function<void()> refresh)
      : m_pContext(context), m_kinds(kinds), m_refresh(std::move(refresh)) {}
  ~CPanelDocumentLink();
  CPanelDocumentLink(const CPanelDocumentLink&) = delete;
  CPanelDocumentLink& operator=(const CPanelDocumentLink&) = delete;

  void Set(CTrassoDoc* doc);
  // The panel shows the document as it is now.
  void MarkFresh() { m_bStale = false; }
  void OnTrackChanged(const TrackChange& change) override;

  // While one lives, the changes are the panel's own and need no refresh.
  class Applying {
   public:
    explicit Applying(CPanelDocumentLink& link) : m_link(link) { m_link.m_bApplying = true; }
    ~Applying() { m_link.m_bApplying = false; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

   private:
    CPanelDocumentLink& m_link;
  };

 private:
  QObject* m_pContext;
  unsigned m_kinds;
  std::function<void()> m_refresh;
  CTrassoDoc* m_pDocument = nullptr;
  bool m_bApplying = false;
  bool m_bStale = false;
};
