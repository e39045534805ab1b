// The programs as a user starts them, whole processes on the 316 × 316 track
// read from its file: the editor from its start until the track is painted,
// and `trasso-cli info` until it has answered. Dynamic linking, page faults
// and everything done before the first paint count here, which the
// benchmarks inside this process cannot see.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <string_view>

#include "bench_tracks.h"
#include "platform/process.h"
#include "support/scratch_folder.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr std::string_view kPainted = "first track painted";

std::string Program(const char* name) {
  return GetProgramFolder() + "/" + name;
}

void EditorStartToFirstPaint(benchmark::State& state) {
  const std::string& track = GridTrackFile(static_cast<int>(state.range(0)));
  // No settings, window layout or recovery files of the user's.
  const ScratchFolder home;
  const ScopedEnv homeEnv("HOME", home.Path());
  const ScopedEnv config("XDG_CONFIG_HOME", home / "config");
  const ScopedEnv stateEnv("XDG_STATE_HOME", home / "state");
  const ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
  const ScopedEnv rules("QT_LOGGING_RULES", "trasso.timing.debug=true");
  for (auto _ : state) {
    int stop[2];
    if (pipe(stop) != 0) return state.SkipWithError("no pipe");
    const auto start = Clock::now();
    Clock::time_point painted{};
    std::string output;
    CRunControl control;
    control.stopFd = stop[0];
    control.timeout = std::chrono::seconds(20);
    control.onOutput = [&](std::string_view piece) {
      output += piece;
      if (painted == Clock::time_point{} && output.find(kPainted) != std::string::npos) {
        painted = Clock::now();
        (void)!write(stop[1], "x", 1);
      }
    };
    RunProcess(Program("trasso"), {"trasso", track}, "", control);
    close(stop[0]);
    close(stop[1]);
    if (painted == Clock::time_point{}) return state.SkipWithError("the editor painted no track");
    state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
  }
}

void CliInfo(benchmark::State& state) {
  const std::string& track = GridTrackFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const CProcessResult result = RunProcess(Program("trasso-cli"), {"trasso-cli", "info", track}, "");
    if (!result.Succeeded()) return state.SkipWithError(result.Describe().c_str());
  }
}
}  // namespace

BENCHMARK(EditorStartToFirstPaint)->Arg(316)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CliInfo)->Arg(316)->UseRealTime()->Unit(benchmark::kMillisecond);
