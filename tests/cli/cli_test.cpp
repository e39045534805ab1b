#include <gtest/gtest.h>

#include "../compile/compile_test_support.h"
#include "support/scratch_folder.h"
#include "model/track_check.h"
#include "model/track_file.h"
#include "platform/process.h"
#include "support/track_builder.h"
#include "support/track_generator.h"

namespace {
const std::string kCli = std::string(TRASSO_BIN_DIR) + "/trasso-cli";

CProcessResult Cli(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "trasso-cli");
  return RunProcess(kCli, arguments, "");
}

void ExpectExit(const CProcessResult& run, int status) {
  EXPECT_EQ(run.m_ending, CProcessResult::Ending::kExited) << run.Describe();
  EXPECT_EQ(run.m_nCode, status) << run.m_strOutput;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}
}  // namespace

TEST(Cli, InputPrintsTheCompilerInputAndWarnsOnStandardError) {
  ScratchFolder folder;
  auto grid = GenerateGridTrack(3);
  SaveTrackFile(*grid, folder / "grid.tr");
  const CProcessResult input = Cli({"input", folder / "grid.tr"});
  ExpectExit(input, 0);
  EXPECT_EQ(input.m_strOutput, CompilerInputOf(*grid));  // every starting position present

  CTrassoDoc empty;
  SaveTrackFile(empty, folder / "empty.tr");
  const CProcessResult warned = Cli({"input", folder / "empty.tr"});
  ExpectExit(warned, 0);
  EXPECT_TRUE(Contains(warned.m_strOutput, "WARNING: Starting position 1 not found\n"));
  EXPECT_TRUE(Contains(warned.m_strOutput, "WARNING: Starting position 10 not found\n"));
}

TEST(Cli, CompileRunsMapforgeBesideIt) {
  ScratchFolder folder;
  auto grid = GenerateGridTrack(4);
  SaveTrackFile(*grid, folder / "Loop[2].tr");
  ExpectExit(Cli({"compile", folder / "Loop[2].tr"}), 0);
  EXPECT_TRUE(std::filesystem::exists(folder / "Loop.trk"));

  ExpectExit(Cli({"compile", folder / "Loop[2].tr", "-o", folder / "other.trk"}), 0);
  const CProcessResult dump = RunProcess(std::string(TRASSO_BIN_DIR) + "/Mapforge",
                                         {"Mapforge", "--dump", folder / "other.trk"}, "");
  ExpectExit(dump, 0);
  EXPECT_TRUE(Contains(dump.m_strOutput, "start 10 in room "));
}

TEST(Cli, FailedCompileShowsTheMessageAndTheCompilersReport) {
  ScratchFolder folder;
  CTrassoDoc doc;
  TrackBuilder t(doc);
  TSPolygon* room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000)});
  room->m_wallList.pop_back();  // two walls: the compiler refuses the room
  SaveTrackFile(doc, folder / "bad.tr");
  const CProcessResult run = Cli({"compile", folder / "bad.tr", "-o", folder / "bad.trk"});
  ExpectExit(run, 1);
  EXPECT_TRUE(Contains(run.m_strOutput, "\"Unable to run compiler or compiler error\"\n"));
  EXPECT_TRUE(Contains(run.m_strOutput, "[Room] 1 has 2 walls"));
  EXPECT_FALSE(std::filesystem::exists(folder / "bad.trk"));
}

TEST(Cli, InfoAndResave) {
  ScratchFolder folder;
  CTrassoDoc doc;
  TrackBuilder t(doc);
  auto* a = t.Node(0, 0);
  auto* b = t.Node(0, 9000);
  t.Section({t.Node(-9000, 0), t.Node(-9000, 9000), b, a});
  t.Section({a, b, t.Node(9000, 9000), t.Node(9000, 0)});
  t.Feature({t.Node(1000, 1000), t.Node(1000, 2000), t.Node(2000, 2000)});
  t.Item(500, 500, 2);
  t.Item(600, 500, 0);
  t.Item(700, 500, 16);
  SaveTrackFile(doc, folder / "t.tr");
  const CProcessResult info = Cli({"info", folder / "t.tr"});
  ExpectExit(info, 0);
  EXPECT_EQ(info.m_strOutput,
            "nodes: 12\nsections: 2\nfeatures: 1\nwalls: 11\nitems: 3\n"
            "starting positions: 1, 3\nfree elements: 1\nconnections: 1\n");

  ExpectExit(Cli({"resave", folder / "t.tr", folder / "u.tr"}), 0);
  EXPECT_EQ(ReadFile(folder / "u.tr"), ReadFile(folder / "t.tr"));
}

TEST(Cli, BadFilesAndBadUsage) {
  ScratchFolder folder;
  std::ofstream(folder / "junk.tr") << "not a track";
  const CProcessResult junk = Cli({"info", folder / "junk.tr"});
  ExpectExit(junk, 1);
  EXPECT_EQ(junk.m_strOutput.rfind(folder / "junk.tr: ", 0), 0u) << junk.m_strOutput;
  ExpectExit(Cli({"input", folder / "missing.tr"}), 1);
  ExpectExit(Cli({"resave", folder / "junk.tr", folder / "out.tr"}), 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "out.tr"));

  for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                {"info"},
                                                                {"compile", "a.tr", "-o"},
                                                                {"compile", "a.tr", "-x", "b"},
                                                                {"frobnicate", "a"}}) {
    const CProcessResult usage = Cli(args);
    ExpectExit(usage, 2);
    EXPECT_TRUE(Contains(usage.m_strOutput, "usage: trasso-cli"));
  }
  const CProcessResult version = Cli({"--version"});
  ExpectExit(version, 0);
  EXPECT_EQ(version.m_strOutput, "trasso-cli 1.01\n");
  ExpectExit(Cli({"--help"}), 0);
}

// The example is a whole track: a closed loop that compiles without a warning.
TEST(Cli, ExampleTrackIsALoopWithEveryStartingPosition) {
  ScratchFolder folder;
  ExpectExit(Cli({"example", folder / "loop.tr"}), 0);
  const auto doc = LoadTrackFile(folder / "loop.tr");
  EXPECT_TRUE(CheckTrack(*doc, TrackCheckScope::kFull).empty());
  const CProcessResult info = Cli({"info", folder / "loop.tr"});
  ExpectExit(info, 0);
  EXPECT_TRUE(Contains(info.m_strOutput, "sections: 10\n"));
  EXPECT_TRUE(Contains(info.m_strOutput, "starting positions: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\n"));
  EXPECT_TRUE(Contains(info.m_strOutput, "free elements: 3\nconnections: 10\n"));
  const CProcessResult compile = Cli({"compile", folder / "loop.tr", "-o", folder / "loop.trk"});
  ExpectExit(compile, 0);
  EXPECT_FALSE(Contains(compile.m_strOutput, "WARNING"));
}
