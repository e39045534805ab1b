// The editor's compile command and the real Mapforge, as a process.

#include "../compile/compile_test_support.h"
#include "platform/process.h"
#include "support/scratch_folder.h"
#include "support/track_generator.h"

namespace {
const std::string kBin = TRASSO_BIN_DIR;

CProcessResult Mapforge(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "Mapforge");
  return RunProcess(kBin + "/Mapforge", arguments, "");
}

// Each shared edge of the 5 × 5 grid is one connection; Id 2 is the first section's feature.
TEST(CompileEndToEnd, GeneratedTracksCompileWithoutWarningsAndMapforgeRefusesBadInput) {
  ScratchFolder folder;
  ScriptedHost host;
  host.m_programFolder = kBin;
  host.m_tempFolder = folder.Path();
  host.m_answer = folder / "grid.trk";
  ASSERT_EQ(OnCompile(*GenerateGridTrack(5), host).m_result, CompileResult::kSucceeded);
  EXPECT_TRUE(host.m_messages.empty() && host.m_warnings.empty());
  const std::string dump = Mapforge({"--dump", folder / "grid.trk"}).m_strOutput;
  EXPECT_TRUE(Contains(dump, "connection: room 1 wall 2 - room 3 wall 0\n")) << dump;
  EXPECT_EQ(Count(dump, "connection: "), 2u * 5u * 4u);
  std::ofstream(folder / "in.txt") << CompilerInputOf(*GenerateGridTrack(30));
  const CProcessResult run = Mapforge({folder / "out.trk", folder / "in.txt"});
  EXPECT_TRUE(run.Succeeded() && run.m_strOutput.empty()) << run.Describe() << run.m_strOutput;

  std::ofstream(folder / "bad.txt") << "[Header]\nDescription=\nBackground=\n\n[Room]\nId=1\n";
  const CProcessResult bad = Mapforge({folder / "bad.trk", folder / "bad.txt"});
  EXPECT_EQ(std::tuple(bad.m_ending, bad.m_nCode, std::filesystem::exists(folder / "bad.trk")),
            std::tuple(CProcessResult::Ending::kExited, 1, false));
  EXPECT_TRUE(Contains(bad.m_strOutput, folder / "bad.txt" + ":6: expected \"floor=\""));
  const CProcessResult usage = Mapforge({"only-one"});
  EXPECT_TRUE(usage.m_nCode == 2 && Contains(usage.m_strOutput, "usage:")) << usage.m_strOutput;
}

}  // namespace
