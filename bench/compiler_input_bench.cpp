// The compiler input of the large grids, as their files load.
#include <benchmark/benchmark.h>

#include <sstream>

#include "bench_tracks.h"
#include "compile/compiler_input.h"
#include "compile/compiler_warnings.h"
#include "model/track_file.h"

namespace {
class IgnoredWarnings : public CCompilerWarnings {
 public:
  void ShowWarning(const std::string&) override {}
};

void BM_WriteCompilerInput(benchmark::State& state) {
  const auto doc = LoadTrackFile(GridTrackFile(static_cast<int>(state.range(0))));
  IgnoredWarnings warnings;
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    WriteCompilerInput(*doc, out, warnings);
    bytes = out.view().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["sections"] = static_cast<double>(doc->m_polygonList.size());
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteCompilerInput)->Apply(TrackSizes)->Unit(benchmark::kMillisecond);
}  // namespace
