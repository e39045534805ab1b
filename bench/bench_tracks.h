#pragma once
// The grid tracks the benchmarks share, as generated and as files, and the
// sizes they run at. The 1,000 × 1,000 grid (a million sections) is added to
// a benchmark's sizes only when TRASSO_BENCH_HUGE is set: generating it alone
// takes longer than the rest of the file benchmarks.

#include <benchmark/benchmark.h>

#include <string>

// 100 and 316, then 1,000 when asked for.
void TrackSizes(benchmark::internal::Benchmark* bench);

// The file of the n × n grid in a scratch folder, written once per run.
const std::string& GridTrackFile(int n);
