#include "bench_tracks.h"

#include <cstdlib>
#include <map>

#include "model/track_file.h"
#include "support/scratch_folder.h"
#include "support/track_generator.h"

void TrackSizes(benchmark::internal::Benchmark* bench) {
  bench->Arg(100)->Arg(316);
  const char* huge = std::getenv("TRASSO_BENCH_HUGE");
  if (huge && *huge && std::string(huge) != "0") bench->Arg(1000);
}

const std::string& GridTrackFile(int n) {
  static ScratchFolder folder;
  static std::map<int, std::string> files;
  auto& path = files[n];
  if (path.empty()) {
    path = folder / ("grid" + std::to_string(n) + ".tr");
    SaveTrackFile(*GenerateGridTrack(n), path);
  }
  return path;
}
