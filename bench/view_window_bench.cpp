// The plan view as a user meets it: a shown window of a usual size, painted
// by Qt from its own events, on tracks generated in memory and on tracks read
// from their file layout (whose objects lie elsewhere in memory).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <memory>

#include "model/track_file.h"
#include "model/ts_node.h"
#include "resource_ids.h"
#include "shell/child_frame.h"
#include "support/track_generator.h"
#include "view/trasso_view.h"

namespace {
constexpr QSize kWindow(1200, 800);
constexpr TrackLength kCell = 10000;  // the generator's grid spacing

std::unique_ptr<CTrassoDoc> Track(int side, bool fromFile) {
  auto doc = GenerateGridTrack(side);
  if (!fromFile) return doc;
  return LoadTrackBytes(SaveTrackBytes(*doc));
}

struct ShownWindow {
  // zoom 0 fits the whole track into the window.
  ShownWindow(CTrassoDoc& doc, double zoom) : frame(&doc) {
    frame.resize(kWindow);
    frame.show();
    view = static_cast<CTrassoView*>(frame.GetSplitter().GetPane(0, 0));
    if (zoom > 0) {
      view->SetZoom(zoom);
      view->OnUpdate(nullptr, 0, nullptr);
    } else {
      view->OnZoomToFit();
    }
    QApplication::processEvents();
  }
  QPoint GridNodeNearMiddle() const {
    CDC dc = view->GetClientDC();
    const WorldPoint w = view->LogicalToWorld(dc.DPtoLP(view->rect().center()));
    return dc.LPtoDP(view->WorldToLogical(w.x / kCell * kCell, w.y / kCell * kCell));
  }
  void Send(QEvent::Type type, QPoint device, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, device, view->mapToGlobal(device), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
  }

  CChildFrame frame;
  CTrassoView* view;
};

// One drag step of a grabbed node and the window's repaint that follows it.
void DragStep(benchmark::State& state, int side, bool fromFile, double zoom) {
  auto doc = Track(side, fromFile);
  ShownWindow window(*doc, zoom);
  window.view->SetTool(ID_TOOL_MOVE_NODES);
  const QPoint grab = window.GridNodeNearMiddle();
  window.Send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
  if (window.view->m_path.size() != 1) state.SkipWithError("no node grabbed");
  QApplication::processEvents();
  int step = 0;
  for (auto _ : state) {
    window.Send(QEvent::MouseMove, grab + QPoint(step++ % 2, 0), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
  }
  window.Send(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
}

// Moves the pointer on and off a node: every move changes the hover mark.
void HoverStep(benchmark::State& state, int side, bool fromFile) {
  auto doc = Track(side, fromFile);
  ShownWindow window(*doc, 1);
  window.view->SetTool(ID_TOOL_SELECT);
  const QPoint node = window.GridNodeNearMiddle();
  bool onNode = false, marked = false;
  for (auto _ : state) {
    onNode = !onNode;
    window.Send(QEvent::MouseMove, onNode ? node : node + QPoint(19, -19), Qt::NoButton,
                Qt::NoButton);
    QApplication::processEvents();
    marked = marked || window.view->m_pHoverNode;
  }
  if (!marked) state.SkipWithError("no node marked");
}

// The whole window repainted with the whole track in sight and nothing changed
// since the last paint, as when it is uncovered or a rubber band crosses it.
void RepaintWhole(benchmark::State& state, int side, bool fromFile) {
  auto doc = Track(side, fromFile);
  ShownWindow window(*doc, 0);
  for (auto _ : state) window.view->repaint();
}

// The same after the zoom changed by a millionth each time, which redraws
// every mark, as scrolling and zooming do.
void RepaintWholeRezoomed(benchmark::State& state, int side) {
  auto doc = Track(side, false);
  ShownWindow window(*doc, 0);
  const double zoom = window.view->GetZoom();
  int step = 0;
  for (auto _ : state) {
    window.view->SetZoom(zoom * (1 + 1e-6 * (step++ % 2)));
    window.view->OnUpdate(nullptr, 0, nullptr);
    window.view->repaint();
  }
}

// A document read from its bytes shown in a new window until its first paint,
// as the editor opens a file; the reading alone is BM_LoadTrack.
void OpenAndFirstPaint(benchmark::State& state, int side) {
  const auto bytes = SaveTrackBytes(*GenerateGridTrack(side));
  for (auto _ : state) {
    auto doc = LoadTrackBytes(bytes);
    auto frame = std::make_unique<CChildFrame>(doc.get());
    frame->resize(kWindow);
    frame->show();
    QApplication::processEvents();
    state.PauseTiming();  // closing is not opening
    frame.reset();
    doc.reset();
    state.ResumeTiming();
  }
}

// The editor's part of opening alone: a read document shown until its first
// paint.
void FirstPaint(benchmark::State& state, int side) {
  const auto bytes = SaveTrackBytes(*GenerateGridTrack(side));
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = LoadTrackBytes(bytes);
    state.ResumeTiming();
    auto frame = std::make_unique<CChildFrame>(doc.get());
    frame->resize(kWindow);
    frame->show();
    QApplication::processEvents();
    state.PauseTiming();
    frame.reset();
    doc.reset();
    state.ResumeTiming();
  }
}
}  // namespace

// At zoom 1 a fifteenth of the 100 × 100 track is in sight and a hundred and
// fiftieth of the 316 × 316 one.
BENCHMARK_CAPTURE(DragStep, at_zoom_1, 100, false, 1.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragStep, everything_visible, 100, false, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragStep, large_track_at_zoom_1, 316, false, 1.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DragStep, large_track_at_zoom_1_from_file, 316, true, 1.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HoverStep, large, 316, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(HoverStep, large_from_file, 316, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWhole, side_100, 100, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWhole, side_100_from_file, 100, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWhole, side_316, 316, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWhole, side_316_from_file, 316, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWholeRezoomed, side_100, 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWholeRezoomed, side_316, 316)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenAndFirstPaint, side_316, 316)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstPaint, side_316, 316)->Unit(benchmark::kMillisecond);
