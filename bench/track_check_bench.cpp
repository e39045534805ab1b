// The track check on grids of 10,000 and about 100,000 sections: the whole
// check, as after opening a track or a structural edit, and the re-check after
// one step of a node drag, which the editor does a few times a second.
#include <benchmark/benchmark.h>

#include "bench_tracks.h"
#include "check/track_checker.h"
#include "model/track_file.h"
#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "support/track_generator.h"

namespace {

void BM_CheckWholeTrack(benchmark::State& state) {
  auto doc = LoadTrackFile(GridTrackFile(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(CheckTrackProblems(*doc).size());
}

// A node in the middle of the track, moved to and fro inside a drag.
void BM_RecheckAfterNodeDrag(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  CTrackChecker checker(*doc);
  checker.Update();
  doc->m_nodeList[doc->m_nodeList.size() / 2]->m_bSelected = 1;
  doc->BeginStep("Move nodes");
  TrackLength step = 700;
  for (auto _ : state) {
    state.PauseTiming();
    doc->MoveSelectedNodes(step, step);
    step = -step;
    state.ResumeTiming();
    benchmark::DoNotOptimize(checker.Update().size());
  }
  doc->EndStep();
}

}  // namespace

BENCHMARK(BM_CheckWholeTrack)->Apply(TrackSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecheckAfterNodeDrag)->Arg(100)->Arg(316)->Unit(benchmark::kMillisecond);
