// The command-line tool, run as a process.

#include "../compile/compile_test_support.h"
#include "model/track_check.h"
#include "model/track_file.h"
#include "platform/process.h"
#include "support/scratch_folder.h"
#include "support/track_builder.h"

namespace {
const std::string kBin = TRASSO_BIN_DIR;

// Runs the tool, expects `status`, and returns what it printed.
std::string Cli(std::vector<std::string> arguments, int status = 0) {
  arguments.insert(arguments.begin(), "trasso-cli");
  const CProcessResult run = RunProcess(kBin + "/trasso-cli", arguments, "");
  EXPECT_EQ(run.m_ending, CProcessResult::Ending::kExited) << run.Describe();
  EXPECT_EQ(run.m_nCode, status) << arguments.back() << ": " << run.m_strOutput;
  return run.m_strOutput;
}

// The example is a whole track: a closed loop with every starting position.
TEST(Cli, EveryCommandOnTheExampleAndOnATrackOfWarningsFailuresAndBadUsage) {
  ScratchFolder folder;
  const std::string track = folder / "Loop[2].tr";
  Cli({"example", track});
  const auto doc = LoadTrackFile(track);
  EXPECT_TRUE(CheckTrack(*doc, TrackCheckScope::kFull).empty());
  const std::string info = Cli({"info", track});
  for (const char* part : {"sections: 10\n", "starting positions: 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\n",
                           "free elements: 3\nconnections: 10\n"})
    EXPECT_TRUE(Contains(info, part)) << info;
  EXPECT_EQ(Cli({"input", track}), CompilerInputOf(*doc));
  EXPECT_FALSE(Contains(Cli({"compile", track}), "WARNING"));
  EXPECT_TRUE(std::filesystem::exists(folder / "Loop.trk"));
  Cli({"compile", "--timeout", "60", track, "-o", folder / "other.trk"});
  const CProcessResult dump =
      RunProcess(kBin + "/Mapforge", {"Mapforge", "--dump", folder / "other.trk"}, "");
  EXPECT_TRUE(Contains(dump.m_strOutput, "start 10 in room ")) << dump.m_strOutput;
  Cli({"resave", track, folder / "u.tr"});
  EXPECT_EQ(ReadFile(folder / "u.tr"), ReadFile(track));
  // A track of our own: warnings, counts, a compiler failure, bad files and bad usage.
  CTrassoDoc built;
  TrackBuilder t(built);
  TSNode *a = t.Node(0, 0), *b = t.Node(0, 9000);
  t.Section({t.Node(-9000, 0), t.Node(-9000, 9000), b, a});
  TSPolygon* room = t.Section({a, b, t.Node(9000, 9000), t.Node(9000, 0)});
  t.Feature({t.Node(1000, 1000), t.Node(1000, 2000), t.Node(2000, 2000)});
  t.Item(500, 500, 2);
  t.Item(600, 500, 0);
  t.Item(700, 500, 16);
  SaveTrackFile(built, folder / "t.tr");
  EXPECT_EQ(Cli({"info", folder / "t.tr"}),
            "nodes: 12\nsections: 2\nfeatures: 1\nwalls: 11\nitems: 3\n"
            "starting positions: 1, 3\nfree elements: 1\nconnections: 1\n");
  const std::string input = Cli({"input", folder / "t.tr"});
  EXPECT_TRUE(Contains(input, "WARNING: Starting position 2 not found\n") &&
              Contains(input, "WARNING: Starting position 10 not found\n"));

  room->m_wallList.resize(2);  // three walls are kept, the compiler refuses two
  SaveTrackFile(built, folder / "bad.tr");
  const std::string failed = Cli({"compile", folder / "bad.tr", "-o", folder / "bad.trk"}, 1);
  EXPECT_TRUE(Contains(failed, "\"Unable to run compiler or compiler error\"\n") &&
              Contains(failed, "[Room] 2 has 2 walls"))
      << failed;
  EXPECT_FALSE(std::filesystem::exists(folder / "bad.trk"));
  std::ofstream(folder / "junk.tr") << "not a track";
  EXPECT_EQ(Cli({"info", folder / "junk.tr"}, 1).rfind(folder / "junk.tr: ", 0), 0u);
  Cli({"input", folder / "missing.tr"}, 1);
  Cli({"resave", folder / "junk.tr", folder / "out.tr"}, 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "out.tr"));
  using Args = std::vector<std::string>;
  for (const Args& usage :
       {Args{}, Args{"info"}, Args{"compile", "a.tr", "-o"}, Args{"compile", "a.tr", "-x", "b"},
        Args{"frobnicate", "a"}, Args{"compile", "a.tr", "--timeout", "0"},
        Args{"compile", "a.tr", "--timeout", "-1"}, Args{"compile", "a.tr", "--timeout", "2s"},
        Args{"compile", "a.tr", "--timeout", "nan"}, Args{"compile", "a.tr", "--timeout", "1e7"}})
    EXPECT_TRUE(Contains(Cli(usage, 2), "usage: trasso-cli"));
  EXPECT_EQ(Cli({"--version"}), "trasso-cli 1.01\n");
  Cli({"--help"});
}

}  // namespace
