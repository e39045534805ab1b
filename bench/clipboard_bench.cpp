// Copy and Paste of a whole 100 × 100 grid (10,000 sections): each should
// stay under 100 ms. Paste counts loading the clipboard's bytes as well.

#include <benchmark/benchmark.h>

#include "model/track_clipboard.h"
#include "model/track_file.h"
#include "support/track_generator.h"

namespace {

void BM_CopySelection(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  SelectEverything(*doc);
  for (auto _ : state) {
    auto bytes = CopySelection(*doc);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["sections"] = static_cast<double>(doc->m_polygonList.size());
}

// Pasted back into the track it came from, which then has twice as much.
void BM_PasteSelection(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  SelectEverything(*doc);
  const auto bytes = CopySelection(*doc);
  const std::uint64_t revision = doc->GetHistory().Revision();
  for (auto _ : state) {
    auto track = LoadTrackBytes(bytes);
    const TrackVector offset = PasteOffset(*track, std::nullopt);
    doc->PasteTrack(*track, offset.x, offset.y);
    state.PauseTiming();  // forgetting the paste is not part of it
    doc->GetHistory().RollBackTo(revision);
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_CopySelection)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteSelection)->Arg(100)->Unit(benchmark::kMillisecond);
