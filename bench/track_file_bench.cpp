// Saving and loading the large generated tracks (100 × 100 and 316 × 316
// sections), with the file size as bytes processed.

#include <benchmark/benchmark.h>

#include "model/track_file.h"
#include "support/track_generator.h"

namespace {

void BM_SaveTrack(benchmark::State& state) {
  auto doc = GenerateGridTrack(static_cast<int>(state.range(0)));
  std::size_t size = 0;
  for (auto _ : state) {
    auto bytes = SaveTrackBytes(*doc);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  state.counters["sections"] = static_cast<double>(doc->m_polygonList.size());
}

void BM_LoadTrack(benchmark::State& state) {
  const auto bytes = SaveTrackBytes(*GenerateGridTrack(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    auto doc = LoadTrackBytes(bytes);
    benchmark::DoNotOptimize(doc.get());
    state.PauseTiming();  // freeing the track is not part of loading
    doc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK(BM_SaveTrack)->Arg(100)->Arg(316)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTrack)->Arg(100)->Arg(316)->Unit(benchmark::kMillisecond);
