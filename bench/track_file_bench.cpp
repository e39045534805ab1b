// Saving and loading the large grid tracks (100 × 100, 316 × 316 and, when
// asked for, 1,000 × 1,000 sections): in memory, and as files beside the raw
// read and write of the same bytes (the write flushed to the disk, as a save
// is), so that every run shows how far the file code is from the disk's speed.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <span>
#include <stdexcept>

#include "bench_tracks.h"
#include "model/track_file.h"
#include "platform/atomic_file.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_polygon.h"
#include "support/scratch_folder.h"

namespace {

template <class Work>
double Seconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the file code is measured against: reading the same bytes whole into
// memory (ReadWholeFile), and one write of them followed by fsync.
void RawWrite(const std::string& path, std::span<const std::uint8_t> bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot write " + path);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  fsync(fd);
  close(fd);
}

std::size_t Sections(const CTrassoDoc& doc) {
  return doc.m_polygonList.size();
}

// The file benchmark's own time, the raw time and their ratio, per iteration.
void ReportAgainstRaw(benchmark::State& state, double seconds, double rawSeconds,
                      std::size_t bytes) {
  const auto n = static_cast<double>(state.iterations());
  state.counters["raw_ms"] = 1e3 * rawSeconds / n;
  state.counters["x_raw"] = seconds / rawSeconds;
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_SaveTrack(benchmark::State& state) {
  const auto doc = LoadTrackFile(GridTrackFile(static_cast<int>(state.range(0))));
  std::size_t size = 0;
  for (auto _ : state) {
    auto bytes = SaveTrackBytes(*doc);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  state.counters["sections"] = static_cast<double>(Sections(*doc));
}

void BM_LoadTrack(benchmark::State& state) {
  const auto bytes = ReadWholeFile(GridTrackFile(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    auto doc = LoadTrackBytes(bytes);
    benchmark::DoNotOptimize(doc.get());
    state.PauseTiming();  // freeing the track is not part of loading
    doc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// Save to a file, flushed and renamed over the old one.
void BM_SaveTrackFile(benchmark::State& state) {
  const std::string& source = GridTrackFile(static_cast<int>(state.range(0)));
  const auto doc = LoadTrackFile(source);
  const auto bytes = ReadWholeFile(source);
  const ScratchFolder folder;
  double seconds = 0, rawSeconds = 0;
  for (auto _ : state) {
    seconds += Seconds([&] { SaveTrackFile(*doc, folder / "saved.tr"); });
    state.PauseTiming();
    rawSeconds += Seconds([&] { RawWrite(folder / "raw.tr", bytes); });
    state.ResumeTiming();
  }
  ReportAgainstRaw(state, seconds, rawSeconds, bytes.size());
}

void BM_LoadTrackFile(benchmark::State& state) {
  const std::string& path = GridTrackFile(static_cast<int>(state.range(0)));
  double seconds = 0, rawSeconds = 0;
  std::size_t size = 0;
  for (auto _ : state) {
    std::unique_ptr<CTrassoDoc> doc;
    seconds += Seconds([&] { doc = LoadTrackFile(path); });
    state.PauseTiming();
    doc.reset();
    rawSeconds += Seconds([&] { size = ReadWholeFile(path).size(); });
    state.ResumeTiming();
  }
  ReportAgainstRaw(state, seconds, rawSeconds, size);
}

// Closing a track or leaving the editor.
void BM_FreeTrack(benchmark::State& state) {
  const std::string& path = GridTrackFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = LoadTrackFile(path);
    state.ResumeTiming();
    doc.reset();
  }
}

}  // namespace

BENCHMARK(BM_SaveTrack)->Apply(TrackSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTrack)->Apply(TrackSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTrackFile)->Apply(TrackSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTrackFile)->Apply(TrackSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeTrack)->Apply(TrackSizes)->Unit(benchmark::kMillisecond);
