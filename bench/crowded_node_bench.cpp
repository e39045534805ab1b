// Tracks where very many walls meet at one node, as files from other editors
// or scripts may hold: a fan of 30,000 sections around one node, and one
// section of 5,000 walls all anchored at the same node. Loading checks each
// node's wall list and the compiler input searches the walls at every node, so
// both must stay linear in the walls at a node.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "compile/compiler_input.h"
#include "compile/compiler_warnings.h"
#include "model/track_file.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

namespace {
constexpr int kFanSections = 30000;
constexpr int kWallsOnOneNode = 5000;

class IgnoredWarnings : public CCompilerWarnings {
 public:
  void ShowWarning(const std::string&) override {}
};

std::unique_ptr<CTrassoDoc> FanTrack() {
  auto doc = std::make_unique<CTrassoDoc>();
  TSNode* centre = doc->AddNode(0, 0, false);
  std::vector<TSNode*> rim;
  for (int i = 0; i < kFanSections; ++i) {
    const double angle = 2 * std::numbers::pi * i / kFanSections;
    rim.push_back(doc->AddNode(static_cast<TrackLength>(1e6 * std::cos(angle)),
                               static_cast<TrackLength>(1e6 * std::sin(angle)), false));
  }
  for (int i = 0; i < kFanSections; ++i) {
    std::vector<TSNode*> path{centre, rim[(i + 1) % kFanSections], rim[i]};
    doc->CreatePolygon(false, path, 0, 4000, 0, 0, 0, false);
  }
  return doc;
}

std::unique_ptr<CTrassoDoc> WallsOnOneNodeTrack() {
  auto doc = std::make_unique<CTrassoDoc>();
  TSNode* node = doc->AddNode(0, 0, false);
  auto polygon = std::make_unique<TSPolygon>();
  for (int i = 0; i < kWallsOnOneNode; ++i) {
    auto wall = std::make_unique<TSAnchorWall>();
    wall->m_pNode = node;
    wall->m_pPolygon = polygon.get();
    node->m_wallList.push_back(wall.get());
    polygon->m_wallList.push_back(std::move(wall));
  }
  doc->m_polygonList.push_back(std::move(polygon));
  return doc;
}

std::unique_ptr<CTrassoDoc> CrowdedTrack(std::int64_t which) {
  return which == 0 ? FanTrack() : WallsOnOneNodeTrack();
}

const char* CrowdedLabel(std::int64_t which) {
  return which == 0 ? "fan of 30,000 sections" : "5,000 walls on one node";
}

void BM_LoadCrowdedNode(benchmark::State& state) {
  const auto bytes = SaveTrackBytes(*CrowdedTrack(state.range(0)));
  for (auto _ : state) {
    auto doc = LoadTrackBytes(bytes);
    benchmark::DoNotOptimize(doc.get());
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.SetLabel(CrowdedLabel(state.range(0)));
}

void BM_CompilerInputCrowdedNode(benchmark::State& state) {
  const auto doc = CrowdedTrack(state.range(0));
  IgnoredWarnings warnings;
  for (auto _ : state) {
    std::ostringstream out;
    WriteCompilerInput(*doc, out, warnings);
    benchmark::DoNotOptimize(out.view().size());
  }
  state.SetLabel(CrowdedLabel(state.range(0)));
}
}  // namespace

BENCHMARK(BM_LoadCrowdedNode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompilerInputCrowdedNode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
