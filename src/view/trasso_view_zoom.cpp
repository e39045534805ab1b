// Zooming around a point: the wheel with Ctrl, pinch gestures, the zoom
// commands and fitting a box of nodes into the window.

#include <QNativeGestureEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <optional>

#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "view/trasso_view.h"
#include "view/view_services.h"
#include "view/zoom_bar.h"

namespace {
constexpr int kNotch = 120;          // eighths of a degree in one wheel notch
constexpr double kFitMargin = 0.05;  // of the fitted box's size, on every side
constexpr TrackLength kDefaultSquare = 200000;

// Whole notches out of `angle`, which keeps the rest for the next event.
int TakeNotches(int& angle) {
  const int notches = angle / kNotch;
  angle -= notches * kNotch;
  return notches;
}
}  // namespace

void CTrassoView::ZoomAround(double zoom, QPoint device) {
  zoom = std::clamp(zoom, SliderToZoom(100), SliderToZoom(0));
  const QPoint origin = GetWindowOrigin();
  const QPoint anchor = GetClientDC().DPtoLP(device);
  // The device point stays the same logical distance from the window's
  // corner, so only the anchor's own logical position changes.
  const double ratio = zoom / GetZoom();
  const QPoint moved(TruncateToTrackLength(std::round(anchor.x() * ratio)),
                     TruncateToTrackLength(std::round(anchor.y() * ratio)));
  SetZoom(zoom);
  OnUpdate(nullptr, 0, nullptr);  // the scroll ranges of the new zoom first
  ScrollToOrigin(moved - (anchor - origin));
  if (CViewServices* services = GetViewServices()) {
    if (CZoomBar* zoomBar = services->GetZoomBar()) zoomBar->FollowView(this);
  }
}

void CTrassoView::ZoomSteps(int steps, QPoint device) {
  ZoomAround(StepZoom(GetZoom(), steps), device);
}

void CTrassoView::OnZoomIn() {
  ZoomSteps(1, rect().center());
}

void CTrassoView::OnZoomOut() {
  ZoomSteps(-1, rect().center());
}

void CTrassoView::OnZoomToFit() {
  const CTrassoDoc* doc = GetDocument();
  if (doc->m_nodeList.empty()) return ZoomToBox({0, 0, kDefaultSquare, kDefaultSquare});
  const TSNode& first = *doc->m_nodeList.front();
  TrackRect box{first.m_x, first.m_y, first.m_x, first.m_y};
  for (const auto& node : doc->m_nodeList) {
    box.left = std::min(box.left, node->m_x);
    box.top = std::min(box.top, node->m_y);
    box.right = std::max(box.right, node->m_x);
    box.bottom = std::max(box.bottom, node->m_y);
  }
  ZoomToBox(box);
}

void CTrassoView::OnZoomToSelection() {
  std::optional<TrackRect> box;
  for (const auto& node : GetDocument()->m_nodeList) {
    if (!node->m_bSelected) continue;
    if (!box) box = TrackRect{node->m_x, node->m_y, node->m_x, node->m_y};
    box->left = std::min(box->left, node->m_x);
    box->top = std::min(box->top, node->m_y);
    box->right = std::max(box->right, node->m_x);
    box->bottom = std::max(box->bottom, node->m_y);
  }
  if (box) ZoomToBox(*box);
}

bool CTrassoView::CanZoomToSelection() const {
  const auto& nodes = GetDocument()->m_nodeList;
  return std::any_of(nodes.begin(), nodes.end(),
                     [](const auto& node) { return node->m_bSelected != 0; });
}

// A box of one point, or one line, zooms as far in as the slider goes.
void CTrassoView::ZoomToBox(const TrackRect& box) {
  const QRect page = GetClientDC().DPtoLP(rect()).normalized();
  const double width = (static_cast<double>(box.right) - box.left) * (1 + 2 * kFitMargin);
  const double height = (static_cast<double>(box.bottom) - box.top) * (1 + 2 * kFitMargin);
  double scale = SliderToZoom(0) * 0.01;
  if (width > 0) scale = std::min(scale, page.width() / width);
  if (height > 0) scale = std::min(scale, page.height() / height);
  SetZoom(std::clamp(scale * 100, SliderToZoom(100), SliderToZoom(0)));
  OnUpdate(nullptr, 0, nullptr);
  const auto middle = [](TrackLength a, TrackLength b) {
    return static_cast<TrackLength>((std::int64_t{a} + b) / 2);
  };
  CenterOn({middle(box.left, box.right), middle(box.top, box.bottom)});
  if (CViewServices* services = GetViewServices()) {
    if (CZoomBar* zoomBar = services->GetZoomBar()) zoomBar->FollowView(this);
  }
}

// A notch of the wheel is a line of the scroll bar; with Shift the wheel
// scrolls sideways, with Ctrl it zooms. A touchpad's pixel deltas move the
// plan by as many pixels.
void CTrassoView::wheelEvent(QWheelEvent* event) {
  event->accept();
  const Qt::KeyboardModifiers keys = event->modifiers();
  QPoint angle = event->angleDelta();
  QPoint pixels = event->pixelDelta();
  if (keys & Qt::ShiftModifier) {
    // Some systems already turn Shift+wheel sideways.
    if (angle.x() == 0) angle = angle.transposed();
    if (pixels.x() == 0) pixels = pixels.transposed();
  }
  if (keys & Qt::ControlModifier) {
    m_wheelAngle.ry() += angle.y() != 0 ? angle.y() : angle.x();
    if (const int notches = TakeNotches(m_wheelAngle.ry()))
      ZoomSteps(notches, event->position().toPoint());
    return;
  }
  if (!pixels.isNull()) {
    const CDC dc = GetClientDC();
    // Dragging the content: the plan follows the fingers.
    const QPoint offset = dc.DPtoLP(QPoint(0, 0)) - dc.DPtoLP(pixels);
    ScrollToOrigin(GetWindowOrigin() + offset);
    return;
  }
  m_wheelAngle += angle;
  const int across = TakeNotches(m_wheelAngle.rx());
  const int down = TakeNotches(m_wheelAngle.ry());
  if (across) ScrollLines(across, SB_HORZ);
  if (down) ScrollLines(down, SB_VERT);
}

// Positive lines scroll up or to the left, as the wheel turned away does.
void CTrassoView::ScrollLines(int lines, ScrollBarKind kind) {
  CScrollBar* bar = GetScrollBarCtrl(kind);
  for (int i = 0; i < std::abs(lines); ++i) OnScroll(bar, lines > 0 ? SB_LINEUP : SB_LINEDOWN);
}

bool CTrassoView::event(QEvent* event) {
  if (event->type() != QEvent::NativeGesture) return CView::event(event);
  const auto* gesture = static_cast<QNativeGestureEvent*>(event);
  if (gesture->gestureType() != Qt::ZoomNativeGesture) return CView::event(event);
  // The value is the change of the magnification since the last event.
  ZoomAround(GetZoom() * (1 + gesture->value()), gesture->position().toPoint());
  return true;
}
