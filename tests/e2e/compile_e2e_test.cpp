#include <gtest/gtest.h>

#include <sstream>

#include "../compile/compile_test_support.h"
#include "support/scratch_folder.h"
#include "compile/compile_command.h"
#include "platform/process.h"
#include "support/track_generator.h"

namespace {
const std::string kBin = TRASSO_BIN_DIR;

class SilentHost : public CCompileHost {
 public:
  explicit SilentHost(std::string output) : m_output(std::move(output)) {}
  std::optional<std::string> AskOutputPath(const std::string&) override { return m_output; }
  void ShowMessage(const std::string& text, const std::string& details) override {
    m_messages += text + "\n" + details;
  }
  void ShowWarning(const std::string& text) override { m_messages += text + "\n"; }
  std::string GetProgramFolder() const override { return kBin; }

  std::string m_output, m_messages;
};

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}
}  // namespace

TEST(CompileEndToEnd, GeneratedTrackCompilesCleanlyThroughMapforge) {
  ScratchFolder folder;
  auto doc = GenerateGridTrack(5);
  SilentHost host(folder / "grid.trk");
  ASSERT_EQ(OnCompile(*doc, host).m_result, CompileResult::kSucceeded) << host.m_messages;
  EXPECT_EQ(host.m_messages, "");  // all ten starting positions are on the track

  const CProcessResult dump =
      RunProcess(kBin + "/Mapforge", {"Mapforge", "--dump", folder / "grid.trk"}, "");
  ASSERT_TRUE(dump.Succeeded()) << dump.m_strOutput;
  // Every shared edge of the 5 × 5 grid is one connection; Id 2 is the
  // feature in the first section.
  EXPECT_NE(dump.m_strOutput.find("connection: room 1 wall 2 - room 3 wall 0\n"),
            std::string::npos);
  EXPECT_EQ(Count(dump.m_strOutput, "connection: "), 2u * 5u * 4u);
}

TEST(CompileEndToEnd, MapforgeFindsNothingToWarnAboutInTheEditorsText) {
  ScratchFolder folder;
  auto doc = GenerateGridTrack(30);
  std::ofstream(folder / "in.txt") << CompilerInputOf(*doc);
  const CProcessResult run =
      RunProcess(kBin + "/Mapforge", {"Mapforge", folder / "out.trk", folder / "in.txt"}, "");
  EXPECT_TRUE(run.Succeeded()) << run.Describe();
  EXPECT_EQ(run.m_strOutput, "");
}

TEST(CompileEndToEnd, MapforgeRefusesBadInputAndWritesNothing) {
  ScratchFolder folder;
  std::ofstream(folder / "in.txt") << "[Header]\nDescription=\nBackground=\n\n[Room]\nId=1\n";
  const CProcessResult run =
      RunProcess(kBin + "/Mapforge", {"Mapforge", folder / "out.trk", folder / "in.txt"}, "");
  EXPECT_EQ(run.m_ending, CProcessResult::Ending::kExited);
  EXPECT_EQ(run.m_nCode, 1);
  EXPECT_NE(run.m_strOutput.find(folder / "in.txt" + ":6: expected \"floor=\""), std::string::npos)
      << run.m_strOutput;
  EXPECT_FALSE(std::filesystem::exists(folder / "out.trk"));

  const CProcessResult usage = RunProcess(kBin + "/Mapforge", {"Mapforge", "only-one"}, "");
  EXPECT_EQ(usage.m_nCode, 2);
  EXPECT_NE(usage.m_strOutput.find("usage:"), std::string::npos);
}
