// Every change repaints every view, and dragging repaints on every mouse move,
// so a repaint of a large track has to stay well within a frame.

#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>

#include "shell/child_frame.h"
#include "support/track_generator.h"
#include "view/trasso_view.h"
#include "view/view_options.h"

namespace {
constexpr QSize kWindow(1000, 750);

// A window of the usual size at `zoom`, scrolled to the top-left of the track,
// repainted into an image of the screen's resolution.
void Repaint(benchmark::State& state, double zoom) {
  auto doc = GenerateGridTrack(100);
  CChildFrame frame(doc.get());
  frame.resize(kWindow);
  auto* view = static_cast<CTrassoView*>(frame.GetSplitter().GetPane(0, 0));
  view->resize(kWindow);
  view->SetZoom(zoom);
  view->OnUpdate(nullptr, 0, nullptr);
  QImage image(view->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    view->PaintOn(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  // The share of the track's 1000 × 1000 units on view.
  const QRect page = view->GetClientDC().DPtoLP(view->rect());
  const double side = 1000 * 1000 * view->m_dScale;
  state.counters["shown"] =
      std::min(1.0, page.width() / side) * std::min(1.0, page.height() / side);
}
// The largest generated track, 3160 units across with about 100,000 sections,
// zoomed out until the whole of it and the margins fit the window, as a track
// maker sees it before zooming in; with compact marks, which that zoom calls
// for, its outline shows instead of a wall of node discs.
void RepaintWholeLargeTrack(benchmark::State& state) {
  constexpr int kCells = 316;
  auto doc = GenerateGridTrack(kCells);
  CChildFrame frame(doc.get());
  const QSize window(1000, 700);
  frame.resize(window);
  auto* view = static_cast<CTrassoView*>(frame.GetSplitter().GetPane(0, 0));
  view->resize(window);
  const QRect page = view->GetClientDC().DPtoLP(view->rect());
  // The track's side and the scroll margins of 80 logical units on either side.
  view->SetZoom(100.0 * (std::min(page.width(), page.height()) - 2 * 80) / (kCells * 10000.0));
  view->OnUpdate(nullptr, 0, nullptr);
  SetViewOptions({.bCompactMarks = true});
  QImage image(view->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    view->PaintOn(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  SetViewOptions({});
  state.counters["zoom"] = view->GetZoom();
}
}  // namespace

// 1000 units are 1.9 metres at zoom 1: at 0.19 the whole track fills the window.
BENCHMARK_CAPTURE(Repaint, everything_visible, 0.19)->Unit(benchmark::kMillisecond);
// At about 0.72 a tenth of the track is on view.
BENCHMARK_CAPTURE(Repaint, a_tenth_visible, 0.72)->Unit(benchmark::kMillisecond);
// The whole of the largest track with compact marks.
BENCHMARK(RepaintWholeLargeTrack)->Unit(benchmark::kMillisecond);
