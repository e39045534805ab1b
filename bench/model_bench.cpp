// The operations the view calls on every mouse move or update, on grids of
// 10,000 and about 100,000 sections. Each should stay well under 20 ms on the
// large grid.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <ranges>

#include "bench_tracks.h"
#include "model/track_file.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_polygon.h"
#include "support/track_generator.h"

namespace {

// Generating the large grid takes longer than any operation on it, so the
// benchmarks that leave the track intact share one track per size.
CTrassoDoc& SharedTrack(int n) {
  static std::map<int, std::unique_ptr<CTrassoDoc>> tracks;
  auto& doc = tracks[n];
  if (!doc) doc = GenerateGridTrack(n);
  return *doc;
}

CTrassoDoc& SelectedTrack(int n) {
  CTrassoDoc& doc = SharedTrack(n);
  SelectEverything(doc);
  return doc;
}

CTrassoDoc& UnselectedTrack(int n) {
  CTrassoDoc& doc = SharedTrack(n);
  doc.ClearSelection(false);
  return doc;
}

void BM_ClearSelection(benchmark::State& state) {
  CTrassoDoc& doc = SharedTrack(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    SelectEverything(doc);
    state.ResumeTiming();
    doc.ClearSelection(false);
  }
}

// Nothing selected: the query has to look at every node and wall.
void BM_HasSelection(benchmark::State& state) {
  CTrassoDoc& doc = UnselectedTrack(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(doc.HasSelection(false));
}

void BM_MoveSelectedNodes(benchmark::State& state) {
  CTrassoDoc& doc = SelectedTrack(static_cast<int>(state.range(0)));
  TrackLength step = 10;
  for (auto _ : state) {
    doc.MoveSelectedNodes(step, -step);
    step = -step;
  }
}

void BM_ScaleSelection(benchmark::State& state) {
  CTrassoDoc& doc = SelectedTrack(static_cast<int>(state.range(0)));
  double factor = 2.0;
  for (auto _ : state) {
    doc.ScaleSelection(factor);
    factor = 1.0 / factor;
  }
}

// Everything selected: the whole track goes, which is the largest cut there is.
// On the track as its file loads, the way a user meets it.
void BM_DeleteSelection(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = LoadTrackFile(GridTrackFile(n));
    SelectEverything(*doc);
    state.ResumeTiming();
    doc->DeleteSelection();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
}

// One selected edge in the last section, so the search walks every wall.
void BM_GetSelectedWall(benchmark::State& state) {
  CTrassoDoc& doc = UnselectedTrack(static_cast<int>(state.range(0)));
  for (auto& wall : doc.m_polygonList.back()->m_wallList | std::views::take(2)) {
    wall->m_bSelected = 1;
  }
  for (auto _ : state) benchmark::DoNotOptimize(doc.GetSelectedWall());
}

// The selection panel re-reads every attribute after each update.
template <int (CTrassoDoc::*Query)(int)>
void BM_SelectionAttribute(benchmark::State& state) {
  CTrassoDoc& doc = SelectedTrack(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize((doc.*Query)(SEL_VALUE_MIXED));
}

#define TRASSO_BENCH(...) BENCHMARK(__VA_ARGS__)->Arg(100)->Arg(316)->Unit(benchmark::kMillisecond)

TRASSO_BENCH(BM_ClearSelection);
TRASSO_BENCH(BM_HasSelection);
TRASSO_BENCH(BM_MoveSelectedNodes);
TRASSO_BENCH(BM_ScaleSelection);
TRASSO_BENCH(BM_DeleteSelection);
TRASSO_BENCH(BM_GetSelectedWall);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelWallType>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelCeilingType>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelFloorType>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelCeilingLevel>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelFloorLevel>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelItemType>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelNodeX>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelNodeY>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelItemElevation>);
TRASSO_BENCH(BM_SelectionAttribute<&CTrassoDoc::SetSelItemOrientation>);

}  // namespace
