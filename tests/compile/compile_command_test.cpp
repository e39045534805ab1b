#include "compile/compile_command.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <regex>

#include "compile_test_support.h"
#include "platform/process.h"
#include "support/scratch_folder.h"
#include "support/track_builder.h"

namespace {
const std::string kFakeFolder = TRASSO_FAKE_COMPILER_DIR;
const std::string kFailureText = "\"Unable to run compiler or compiler error\"";

struct Message {
  std::string text, details;
};

// Answers the output dialog from a script and records everything shown.
class ScriptedHost : public CCompileHost {
 public:
  std::optional<std::string> AskOutputPath(const std::string& proposed) override {
    m_proposals.push_back(proposed);
    return m_answer;
  }
  void ShowMessage(const std::string& text, const std::string& details) override {
    m_messages.push_back({text, details});
  }
  void ShowWarning(const std::string& text) override { m_warnings.push_back(text); }
  std::string GetProgramFolder() const override { return m_programFolder; }
  std::string GetTempFolder() const override { return m_tempFolder; }
  std::string GetSearchPath() const override { return m_searchPath; }

  std::optional<std::string> m_answer;
  std::string m_programFolder = kFakeFolder, m_tempFolder, m_searchPath;
  std::vector<std::string> m_proposals, m_warnings;
  std::vector<Message> m_messages;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string CurrentFolder() {
  return std::filesystem::current_path().string();
}

class CompileCommand : public ::testing::Test {
 protected:
  CompileCommand() : m_log(m_records / "log"), m_copy(m_records / "copy") {
    TrackBuilder t(m_doc);
    t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
    t.Item(1000, 1000, 0);
    m_doc.SetPathName("/tracks/Loop[2].tr");
    m_doc.SetModifiedFlag(false);
    m_host.m_tempFolder = m_temp.Path();
    m_host.m_answer = m_records / "Loop.trk";
  }

  // The arguments the compiler got, after its working directory and stdin.
  std::vector<std::string> Logged() const { return Lines(ReadFile(m_log)); }
  bool TempFolderIsEmpty() const { return std::filesystem::is_empty(m_temp.Path()); }

  CTrassoDoc m_doc;
  ScriptedHost m_host;
  ScratchFolder m_temp, m_records;
  std::string m_log, m_copy;
  ScopedEnv m_logEnv{"FAKE_MAPFORGE_LOG", m_log}, m_copyEnv{"FAKE_MAPFORGE_COPY", m_copy};
};
}  // namespace

TEST(CompileOutputName, IsCutAtTheLastPeriodThenAtTheLastBracket) {
  EXPECT_EQ(ProposeCompileOutputName("/tracks/Loop.tr"), "/tracks/Loop.trk");
  EXPECT_EQ(ProposeCompileOutputName("/tracks/Loop[2].tr"), "/tracks/Loop.trk");
  EXPECT_EQ(ProposeCompileOutputName("Loop[2][3].tr"), "Loop[2].trk");
  EXPECT_EQ(ProposeCompileOutputName(""), ".trk");
  EXPECT_EQ(ProposeCompileOutputName("/my.tracks/Loop"), "/my.trk");  // cut inside the folder
  EXPECT_EQ(ProposeCompileOutputName("/a[1]/b"), "/a.trk");
}

TEST_F(CompileCommand, RunsTheCompilerOnTheWrittenInputInItsOwnFolder) {
  const std::string before = CurrentFolder();
  const CCompileOutcome outcome = OnCompile(m_doc, m_host);

  EXPECT_EQ(outcome.m_result, CompileResult::kSucceeded);
  EXPECT_EQ(m_host.m_proposals, std::vector<std::string>{"/tracks/Loop.trk"});
  EXPECT_TRUE(m_host.m_messages.empty());
  EXPECT_EQ(m_host.m_warnings.size(), 9u);  // starting positions 2 to 10

  const auto logged = Logged();
  ASSERT_EQ(logged.size(), 5u);
  EXPECT_EQ(std::filesystem::path(logged[0]), std::filesystem::path(kFakeFolder));
  EXPECT_EQ(logged[1], "stdin=null");
  EXPECT_EQ(logged[2], "Mapforge");
  EXPECT_EQ(logged[3], m_records / "Loop.trk");
  EXPECT_TRUE(std::regex_match(logged[4], std::regex(m_temp.Path() + "/TS[A-Za-z0-9]{6}\\.TMP")))
      << logged[4];
  EXPECT_EQ(ReadFile(m_copy), CompilerInputOf(m_doc));

  EXPECT_TRUE(TempFolderIsEmpty());
  EXPECT_EQ(CurrentFolder(), before);
  EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(CompileCommand, NonzeroExitShowsTheFailureOnceWithTheOutput) {
  ScopedEnv exit("FAKE_MAPFORGE_EXIT", "3");
  const std::string before = CurrentFolder();
  EXPECT_EQ(OnCompile(m_doc, m_host).m_result, CompileResult::kFailed);

  ASSERT_EQ(m_host.m_messages.size(), 1u);
  EXPECT_EQ(m_host.m_messages[0].text, kFailureText);
  const std::string& details = m_host.m_messages[0].details;
  EXPECT_NE(details.find("fake compiler output\nfake compiler error\n"), std::string::npos);
  EXPECT_NE(details.find("exit status 3"), std::string::npos);
  EXPECT_TRUE(TempFolderIsEmpty());
  EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(CompileCommand, CrashOfTheCompilerIsAFailure) {
  ScopedEnv crash("FAKE_MAPFORGE_CRASH", "1");
  EXPECT_EQ(OnCompile(m_doc, m_host).m_result, CompileResult::kFailed);
  ASSERT_EQ(m_host.m_messages.size(), 1u);
  EXPECT_NE(m_host.m_messages[0].details.find("killed by signal 11"), std::string::npos);
  EXPECT_TRUE(TempFolderIsEmpty());
}

TEST_F(CompileCommand, KeepsOnlyTheEndOfLongOutput) {
  ScopedEnv noise("FAKE_MAPFORGE_NOISE", "300000");
  ScopedEnv exit("FAKE_MAPFORGE_EXIT", "1");
  OnCompile(m_doc, m_host);
  ASSERT_EQ(m_host.m_messages.size(), 1u);
  const std::string& details = m_host.m_messages[0].details;
  EXPECT_LE(details.size(), kProcessOutputLimit + 200);
  EXPECT_NE(details.find("fake compiler error\n"), std::string::npos);
}

TEST_F(CompileCommand, CompilerIsLookedUpInTheProgramFolderThenOnThePath) {
  ScratchFolder program;
  // Not executable, so not the compiler.
  std::ofstream(program / "Mapforge") << "not a program";
  m_host.m_programFolder = program.Path();
  m_host.m_searchPath = "relative/dir::" + kFakeFolder;

  EXPECT_EQ(OnCompile(m_doc, m_host).m_result, CompileResult::kSucceeded);
  // Found on the path, but run in the program folder all the same.
  EXPECT_EQ(Logged().at(0), program.Path());

  m_host.m_searchPath = "/nonexistent";
  EXPECT_EQ(OnCompile(m_doc, m_host).m_result, CompileResult::kFailed);
  ASSERT_EQ(m_host.m_messages.size(), 1u);
  EXPECT_EQ(m_host.m_messages[0].text, kFailureText);
  EXPECT_NE(m_host.m_messages[0].details.find("not found"), std::string::npos);
  EXPECT_TRUE(TempFolderIsEmpty());
}

TEST_F(CompileCommand, NothingInAPathIsEverInterpreted) {
  ScratchFolder work;
  const std::string before = CurrentFolder();
  std::filesystem::current_path(work.Path());
  const std::string attack = "a\"; touch p1; $(touch p2) `touch p3` 'x' | touch p4 > p5 & \\";
  const std::string strangeTemp = m_temp / ("t$(touch p6);`touch p7`\"");
  std::filesystem::create_directory(strangeTemp);
  m_host.m_tempFolder = strangeTemp;
  m_host.m_answer = m_records / (attack + ".trk");

  const CCompileOutcome outcome = OnCompile(m_doc, m_host);
  std::filesystem::current_path(before);
  EXPECT_EQ(outcome.m_result, CompileResult::kSucceeded);
  const auto logged = Logged();
  ASSERT_EQ(logged.size(), 5u);
  EXPECT_EQ(logged[3], m_records / (attack + ".trk"));
  EXPECT_EQ(logged[4].rfind(strangeTemp + "/TS", 0), 0u);
  for (const auto* folder : {&work.Path(), &kFakeFolder, &m_records.Path()}) {
    for (const char* name : {"p1", "p2", "p3", "p4", "p5", "p6", "p7"}) {
      EXPECT_FALSE(std::filesystem::exists(*folder + "/" + name)) << *folder << "/" << name;
    }
  }
}

TEST_F(CompileCommand, CancellingCreatesNothing) {
  m_host.m_answer.reset();
  EXPECT_EQ(OnCompile(m_doc, m_host).m_result, CompileResult::kCancelled);
  EXPECT_TRUE(m_host.m_messages.empty());
  EXPECT_TRUE(m_host.m_warnings.empty());
  EXPECT_TRUE(TempFolderIsEmpty());
  EXPECT_FALSE(std::filesystem::exists(m_log));
}

TEST_F(CompileCommand, NoTemporaryFileEndsWithoutMessageOrCompiler) {
  m_host.m_tempFolder = m_temp / "missing";
  const CCompileOutcome outcome = OnCompile(m_doc, m_host);
  EXPECT_EQ(outcome.m_result, CompileResult::kFailed);
  EXPECT_NE(outcome.m_strReason.find("missing"), std::string::npos);
  EXPECT_TRUE(m_host.m_messages.empty());
  EXPECT_FALSE(std::filesystem::exists(m_log));
}

TEST_F(CompileCommand, IncompletelyWrittenInputIsNeverCompiled) {
  // A file size limit stands in for a full disk: writes beyond it fail.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &small);
  const CCompileOutcome outcome = OnCompile(m_doc, m_host);
  setrlimit(RLIMIT_FSIZE, &saved);

  EXPECT_EQ(outcome.m_result, CompileResult::kFailed);
  ASSERT_EQ(m_host.m_messages.size(), 1u);
  EXPECT_EQ(m_host.m_messages[0].text, kFailureText);
  EXPECT_NE(m_host.m_messages[0].details.find("cannot write"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_log));
  EXPECT_TRUE(TempFolderIsEmpty());
}
