// The heap a loaded track holds, per section, and the peak while loading it
// against it. Registered before the benchmarks that keep shared tracks alive
// (the files are linked in name order), so that the model's pools are empty.

#include <benchmark/benchmark.h>

#include "bench_tracks.h"
#include "heap_counter.h"
#include "model/track_file.h"

namespace {

// The file's bytes count in the peak.
void BM_LoadMemory(benchmark::State& state) {
  const std::string& path = GridTrackFile(static_cast<int>(state.range(0)));
  std::int64_t model = 0, peak = 0;
  std::size_t sections = 0;
  for (auto _ : state) {
    heap_counter::Start();
    auto doc = LoadTrackFile(path);
    heap_counter::Stop();
    model = heap_counter::Live();
    peak = heap_counter::Peak();
    sections = doc->m_polygonList.size();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  // A track kept alive elsewhere leaves freed blocks in the model's pools,
  // which this load would take without the heap seeing them.
  if (static_cast<std::size_t>(model) < 100 * sections) {
    state.SkipWithError("model objects are alive elsewhere; run this benchmark alone");
    return;
  }
  state.counters["sections"] = static_cast<double>(sections);
  state.counters["model_B/section"] = static_cast<double>(model) / static_cast<double>(sections);
  state.counters["peak_B/section"] = static_cast<double>(peak) / static_cast<double>(sections);
  state.counters["peak/model"] = static_cast<double>(peak) / static_cast<double>(model);
}

}  // namespace

BENCHMARK(BM_LoadMemory)->Apply(TrackSizes)->Unit(benchmark::kMillisecond)->Iterations(1);
