// The mouse tools run on every mouse move: the hover highlight searches for
// the node under the mouse, and a drag step moves the selection, updates and
// repaints the view (for a shown window, in view_window_bench.cpp).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "model/ts_node.h"
#include "resource_ids.h"
#include "shell/child_frame.h"
#include "support/track_generator.h"
#include "view/trasso_view.h"

namespace {
constexpr QSize kWindow(1000, 750);
constexpr TrackLength kCell = 10000;  // the generator's grid spacing

struct Window {
  Window(CTrassoDoc& doc, double zoom) : frame(&doc) {
    frame.resize(kWindow);
    view = static_cast<CTrassoView*>(frame.GetSplitter().GetPane(0, 0));
    view->resize(kWindow);
    view->SetZoom(zoom);
    view->OnUpdate(nullptr, 0, nullptr);
  }
  // The device point of the grid node nearest to the middle of the window.
  QPoint GridNodeNearMiddle() const {
    CDC dc = view->GetClientDC();
    const WorldPoint w = view->LogicalToWorld(dc.DPtoLP(QPoint(500, 375)));
    const TrackLength x = w.x / kCell * kCell, y = w.y / kCell * kCell;
    return dc.LPtoDP(view->WorldToLogical(x, y));
  }
  void Send(QEvent::Type type, QPoint device, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, device, view->mapToGlobal(device), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
  }

  CChildFrame frame;
  CTrassoView* view;
};

// Moves between a node and empty ground in the middle of a cell, so that
// every move changes the highlight and updates the view.
void HoverOnAndOffANode(benchmark::State& state) {
  auto doc = GenerateGridTrack(316);
  Window window(*doc, 1);
  window.view->SetTool(ID_TOOL_SELECT);
  const QPoint node = window.GridNodeNearMiddle();
  const QPoint ground = node + QPoint(19, -19);  // about 50 units from every corner
  bool onNode = false;
  for (auto _ : state) {
    onNode = !onNode;
    window.Send(QEvent::MouseMove, onNode ? node : ground, Qt::NoButton, Qt::NoButton);
  }
  state.counters["nodes"] = static_cast<double>(doc->m_nodeList.size());
}

// Moves over empty ground: the search finds nothing and nothing changes.
void HoverOverEmptyGround(benchmark::State& state) {
  auto doc = GenerateGridTrack(316);
  Window window(*doc, 1);
  window.view->SetTool(ID_TOOL_SELECT);
  const QPoint ground = window.GridNodeNearMiddle() + QPoint(19, -19);
  int step = 0;
  for (auto _ : state) {
    window.Send(QEvent::MouseMove, ground + QPoint(step++ % 2, 0), Qt::NoButton, Qt::NoButton);
  }
}

// The same step when the whole window must be repainted, as after a change
// of many marks at once.
void DragOneNodeFullRepaint(benchmark::State& state, double zoom) {
  auto doc = GenerateGridTrack(100);
  Window window(*doc, zoom);
  window.view->SetTool(ID_TOOL_MOVE_NODES);
  const QPoint grab = window.GridNodeNearMiddle();
  window.Send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
  if (window.view->m_path.size() != 1) state.SkipWithError("no node grabbed");
  QImage image(window.view->size(), QImage::Format_RGB32);
  int step = 0;
  for (auto _ : state) {
    window.Send(QEvent::MouseMove, grab + QPoint(step++ % 2, 0), Qt::NoButton, Qt::LeftButton);
    window.view->PaintOn(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  window.Send(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
}
}  // namespace

BENCHMARK(HoverOnAndOffANode)->Unit(benchmark::kMillisecond);
BENCHMARK(HoverOverEmptyGround)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragOneNodeFullRepaint, everything_visible, 0.19)->Unit(benchmark::kMillisecond);
