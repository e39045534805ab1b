#include "view/trasso_view.h"

#include <algorithm>

#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "platform/qt/frame_wnd.h"
#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "view/tool_cursors.h"
#include "view/view_services.h"
#include "view/zoom_bar.h"

std::vector<CTrassoView*> CTrassoView::s_allViews;

namespace {
// The extent always holds the square from 0 to 200.000 world units.
constexpr TrackLength kMinExtent = 200000;
// Logical margin around the extent, on every side (8 mm).
constexpr double kScrollMargin = 80;

int CurrentTool() {
  CViewServices* services = GetViewServices();
  return services ? services->GetCurrentTool() : ID_TOOL_ADD_SECTION;
}
}  // namespace

CTrassoView::CTrassoView(CTrassoDoc* document, QWidget* parent)
    : CView(document, parent), m_nTool(CurrentTool()), m_index(*document) {
  setMouseTracking(true);
  setCursor(LoadToolCursor(m_nTool));
  s_allViews.push_back(this);
  document->AddTrackObserver(this);
}

CTrassoView::~CTrassoView() {
  // A view that goes away while active lets go of the bars, so that none of
  // them keeps pointing at it.
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) OnActivateView(false, this, this);
  if (CViewServices* services = GetViewServices()) {
    if (CZoomBar* zoomBar = services->GetZoomBar()) zoomBar->DetachView(this);
  }
  EndDragStep();
  // No other view knows of this view's hover mark, so it goes with the view.
  if (m_pHoverNode) m_pHoverNode->m_bHighlighted = 0;
  std::erase(s_allViews, this);
  GetDocument()->RemoveTrackObserver(this);
}

CTrassoDoc* CTrassoView::GetDocument() const {
  return static_cast<CTrassoDoc*>(CView::GetDocument());
}

WorldPoint CTrassoView::LogicalToWorld(QPoint logical) const {
  return {TruncateToTrackLength(logical.x() / m_dScale),
          TruncateToTrackLength(logical.y() / m_dScale)};
}

void CTrassoView::OnUpdate(CDocumentObserver*, long, CObject*) {
  TrackRect extent{0, 0, kMinExtent, kMinExtent};
  if (GridBox nodes; m_index.NodeBounds(nodes)) {
    extent.left = std::min<TrackLength>(extent.left, static_cast<TrackLength>(nodes.minX));
    extent.top = std::min<TrackLength>(extent.top, static_cast<TrackLength>(nodes.minY));
    extent.right = std::max<TrackLength>(extent.right, static_cast<TrackLength>(nodes.maxX));
    extent.bottom = std::max<TrackLength>(extent.bottom, static_cast<TrackLength>(nodes.maxY));
  }
  m_rcExtent = extent;

  const QRect page = GetClientDC().DPtoLP(rect());
  SCROLLINFO horz, vert;
  horz.fMask = vert.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  horz.nMin = TruncateToTrackLength(extent.left * m_dScale - kScrollMargin);
  horz.nMax = TruncateToTrackLength(extent.right * m_dScale + kScrollMargin);
  horz.nPage = page.width();
  vert.nMin = TruncateToTrackLength(extent.top * m_dScale - kScrollMargin);
  vert.nMax = TruncateToTrackLength(extent.bottom * m_dScale + kScrollMargin);
  vert.nPage = page.height();
  if (CScrollBar* bar = GetScrollBarCtrl(SB_HORZ)) bar->SetScrollInfo(horz);
  if (CScrollBar* bar = GetScrollBarCtrl(SB_VERT)) bar->SetScrollInfo(vert);

  RepaintChangedMarks();

  if (!hasFocus()) return;
  if (CViewServices* services = GetViewServices()) {
    if (CDocumentPanel* panel = services->GetSelectionBar()) panel->UpdateFromDocument();
  }
}

QPoint CTrassoView::GetWindowOrigin() const {
  const CScrollBar* horz = GetScrollBarCtrl(SB_HORZ);
  const CScrollBar* vert = GetScrollBarCtrl(SB_VERT);
  const SCROLLINFO h = horz ? horz->GetScrollInfo() : SCROLLINFO();
  const SCROLLINFO v = vert ? vert->GetScrollInfo() : SCROLLINFO();
  // The vertical thumb at its minimum shows the greatest y at the top.
  return {h.nPos, v.nMin + v.nMax - v.nPos};
}

void CTrassoView::OnPrepareDC(CDC& dc) {
  dc.SetWindowOrg(GetWindowOrigin());
}

void CTrassoView::OnActivateView(bool bActivate, CView* activate, CView*) {
  CViewServices* services = GetViewServices();
  if (!activate || !services) return;
  CTrassoDoc* doc = GetDocument();
  for (CDocumentPanel* panel :
       {services->GetSelectionBar(), services->GetTrackBar(), services->GetTrackCheckBar()}) {
    if (!panel) continue;
    if (bActivate) {
      panel->AttachDocument(doc);
    } else {
      panel->DetachDocument(doc);
    }
  }
  if (CZoomBar* zoomBar = services->GetZoomBar()) {
    if (bActivate) {
      zoomBar->AttachView(this);
    } else {
      zoomBar->DetachView(this);
    }
  }
}

QString FormatMousePosition(WorldPoint world) {
  return QString::asprintf("%.3f , %.3f", world.x * 0.001, world.y * 0.001);
}

void CTrassoView::ShowMousePosition(QPoint devicePoint) {
  CViewServices* services = GetViewServices();
  CStatusBar* statusBar = services ? services->GetStatusBar() : nullptr;
  if (!statusBar) return;
  const int index = statusBar->CommandToIndex(ID_INDICATOR_POSITION);
  if (index == -1) return;
  const WorldPoint world = LogicalToWorld(GetClientDC().DPtoLP(devicePoint));
  statusBar->SetPaneText(index, FormatMousePosition(world), true);
}

// The page of the scroll bars is the window's size, so it has to follow the
// window when the user resizes it or moves a split bar.
void CTrassoView::resizeEvent(QResizeEvent* event) {
  CView::resizeEvent(event);
  OnUpdate(nullptr, 0, nullptr);
}
