// The history on grids of 10,000 and about 100,000 sections: a drag's moves
// once its nodes are recorded, and undo and redo of the smallest and the
// largest steps a user makes.
#include <benchmark/benchmark.h>

#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "support/track_generator.h"

namespace {

// Everything selected and a drag under way: after its first move a drag
// records nothing more, whatever the number of moves.
void BM_MoveSelectedNodesInDrag(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  SelectEverything(*doc);
  doc->BeginStep("Move nodes");
  TrackLength step = 10;
  for (auto _ : state) {
    doc->MoveSelectedNodes(step, -step);
    step = -step;
  }
  doc->EndStep();
}

// One node dragged in 50 moves, then taken back and brought again.
void BM_UndoRedoOneNodeDrag(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  doc->m_nodeList[doc->m_nodeList.size() / 2]->m_bSelected = 1;
  doc->BeginStep("Move nodes");
  for (int i = 0; i < 50; ++i) doc->MoveSelectedNodes(7, 3);
  doc->EndStep();
  for (auto _ : state) {
    doc->Undo();
    doc->Redo();
  }
}

// The whole track cut; undo brings every object back, redo takes it again.
void BM_UndoCutEverything(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  SelectEverything(*doc);
  doc->DeleteSelection();
  for (auto _ : state) {
    doc->Undo();
    state.PauseTiming();
    doc->Redo();
    state.ResumeTiming();
  }
}

void BM_RedoCutEverything(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  SelectEverything(*doc);
  doc->DeleteSelection();
  doc->Undo();
  for (auto _ : state) {
    doc->Redo();
    state.PauseTiming();
    doc->Undo();
    state.ResumeTiming();
  }
}

#define TRASSO_BENCH(...) BENCHMARK(__VA_ARGS__)->Arg(100)->Arg(316)->Unit(benchmark::kMillisecond)

TRASSO_BENCH(BM_MoveSelectedNodesInDrag);
// Far below a millisecond: shown in microseconds.
BENCHMARK(BM_UndoRedoOneNodeDrag)->Arg(100)->Arg(316)->Unit(benchmark::kMicrosecond);
TRASSO_BENCH(BM_UndoCutEverything);
TRASSO_BENCH(BM_RedoCutEverything);

}  // namespace
