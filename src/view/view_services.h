#pragma once
// What the views need from the application: the control bars of the main
// frame and the current editing tool. The application registers itself when
// it starts; until then, and whenever the frame lacks a bar, the accessors
// return null and the views go without.

#include "model/grid_snap.h"

class CStatusBar;
class CTrassoDoc;
class CZoomBar;

// A docked panel that shows the document of the active view.
class CDocumentPanel {
 public:
  virtual ~CDocumentPanel() = default;
  // Both do nothing when the document is already (no longer) the panel's.
  virtual void AttachDocument(CTrassoDoc* document) = 0;
  virtual void DetachDocument(CTrassoDoc* document) = 0;
  // Re-reads every field from the attached document.
  virtual void UpdateFromDocument() = 0;
};

class CViewServices {
 public:
  virtual ~CViewServices() = default;
  virtual CDocumentPanel* GetSelectionBar() const = 0;
  virtual CDocumentPanel* GetTrackBar() const = 0;
  virtual CDocumentPanel* GetTrackCheckBar() const = 0;
  virtual CStatusBar* GetStatusBar() const = 0;
  virtual CZoomBar* GetZoomBar() const = 0;
  virtual int GetCurrentTool() const = 0;
  // Whether the views show the grid and snap to it, and its spacing.
  virtual GridOptions GetGridOptions() const = 0;
};

// The registered services, or null. Registration does not transfer ownership;
// the registrant unregisters (with null) before it goes away.
CViewServices* GetViewServices();
void SetViewServices(CViewServices* services);
