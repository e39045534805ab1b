// The editor's compile command and the real Mapforge, as a process.

#include <gtest/gtest.h>

#include "../compile/compile_test_support.h"
#include "platform/process.h"
#include "support/scratch_folder.h"
#include "support/track_generator.h"

namespace {
const std::string kBin = TRASSO_BIN_DIR;

CProcessResult Mapforge(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {"Mapforge"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunProcess(kBin + "/Mapforge", argv, "");
}

// Every shared edge of the 5 × 5 grid is one connection; Id 2 is the feature
// in the first section. All ten starting positions are on the track.
TEST(CompileEndToEnd, GeneratedTrackCompilesCleanlyThroughMapforge) {
  ScratchFolder folder;
  auto doc = GenerateGridTrack(5);
  ScriptedHost host;
  host.m_programFolder = kBin;
  host.m_tempFolder = folder.Path();
  host.m_answer = folder / "grid.trk";
  ASSERT_EQ(OnCompile(*doc, host).m_result, CompileResult::kSucceeded);
  EXPECT_TRUE(host.m_messages.empty() && host.m_warnings.empty());
  const std::string dump = Mapforge({"--dump", folder / "grid.trk"}).m_strOutput;
  EXPECT_NE(dump.find("connection: room 1 wall 2 - room 3 wall 0\n"), std::string::npos);
  std::size_t connections = 0;
  for (auto at = dump.find("connection: "); at != std::string::npos;
       at = dump.find("connection: ", at + 1))
    ++connections;
  EXPECT_EQ(connections, 2u * 5u * 4u);
}

TEST(CompileEndToEnd, MapforgeFindsNothingToWarnAboutInTheEditorsTextAndRefusesBadInput) {
  ScratchFolder folder;
  std::ofstream(folder / "in.txt") << CompilerInputOf(*GenerateGridTrack(30));
  const CProcessResult run = Mapforge({folder / "out.trk", folder / "in.txt"});
  EXPECT_TRUE(run.Succeeded()) << run.Describe();
  EXPECT_EQ(run.m_strOutput, "");

  std::ofstream(folder / "bad.txt") << "[Header]\nDescription=\nBackground=\n\n[Room]\nId=1\n";
  const CProcessResult bad = Mapforge({folder / "bad.trk", folder / "bad.txt"});
  EXPECT_EQ(std::pair(bad.m_ending, bad.m_nCode), std::pair(CProcessResult::Ending::kExited, 1));
  EXPECT_NE(bad.m_strOutput.find(folder / "bad.txt" + ":6: expected \"floor=\""), std::string::npos)
      << bad.m_strOutput;
  EXPECT_FALSE(std::filesystem::exists(folder / "bad.trk"));
  const CProcessResult usage = Mapforge({"only-one"});
  EXPECT_EQ(usage.m_nCode, 2);
  EXPECT_NE(usage.m_strOutput.find("usage:"), std::string::npos);
}

}  // namespace
