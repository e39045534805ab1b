#include "compile/compile_command.h"

#include <signal.h>

#include <chrono>
#include <fstream>
#include <regex>

#include "compile_test_support.h"
#include "platform/process.h"
#include "platform/temp_file.h"
#include "support/scratch_folder.h"
#include "support/track_builder.h"

namespace {
const std::string kFakeFolder = TRASSO_FAKE_COMPILER_DIR;
const std::string kFailureText = "\"Unable to run compiler or compiler error\"";
namespace fs = std::filesystem;

class CompileCommand : public ::testing::Test {
 protected:
  CompileCommand() {
    TrackBuilder t(m_doc);
    t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
    t.Item(1000, 1000, 0);
    m_doc.SetPathName("/tracks/Loop[2].tr");
    m_doc.SetModifiedFlag(false);
    m_host.m_programFolder = kFakeFolder;
    m_host.m_tempFolder = m_temp.Path();
    m_host.m_answer = m_records / "Loop.trk";
  }
  // The compiler's working directory, whether its stdin is /dev/null, then its arguments.
  std::vector<std::string> Logged() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(m_log));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // Runs the command, which must leave no temporary file nor another working directory.
  CompileResult Compile() {
    const std::string before = fs::current_path();
    const CompileResult result = OnCompile(m_doc, m_host).m_result;
    EXPECT_TRUE(fs::is_empty(m_temp.Path()));
    EXPECT_EQ(fs::current_path(), before);
    return result;
  }
  // The one message shown, which must be the failure.
  std::string Failure() const {
    EXPECT_EQ(m_host.m_messages.size(), 1u);
    const std::string message = m_host.m_messages.empty() ? "" : m_host.m_messages[0];
    EXPECT_EQ(message.substr(0, kFailureText.size() + 1), kFailureText + "\n");
    return message;
  }

  CTrassoDoc m_doc;
  ScriptedHost m_host;
  ScratchFolder m_temp, m_records;
  std::string m_log = m_records / "log", m_copy = m_records / "copy";
  ScopedEnv m_logEnv{"FAKE_MAPFORGE_LOG", m_log}, m_copyEnv{"FAKE_MAPFORGE_COPY", m_copy};
};
}  // namespace

TEST(CompileOutputName, IsCutAtTheLastPeriodThenAtTheLastBracket) {
  // Folders keep their periods and brackets: the output stays beside the track.
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"/tracks/Loop.tr", "/tracks/Loop.trk"}, {"/tracks/Loop[2].tr", "/tracks/Loop.trk"},
      {"Loop[2][3].tr", "Loop[2].trk"}, {"", ".trk"}, {"/my.tracks/Loop", "/my.tracks/Loop.trk"},
      {"/a[1]/b", "/a[1]/b.trk"}, {"v1.2/track", "v1.2/track.trk"}};
  // clang-format on
  for (const auto& [document, output] : cases)
    EXPECT_EQ(ProposeCompileOutputName(document), output);
}

TEST_F(CompileCommand, RunsTheCompilerOnTheWrittenInputInItsOwnFolder) {
  EXPECT_EQ(Compile(), CompileResult::kSucceeded);
  EXPECT_EQ(m_host.m_proposals, std::vector<std::string>{"/tracks/Loop.trk"});
  // Warnings for starting positions 2 to 10, no message.
  EXPECT_EQ(std::pair(m_host.m_messages.size(), m_host.m_warnings.size()), std::pair(0ul, 9ul));
  const auto logged = Logged();
  ASSERT_EQ(logged.size(), 5u);
  EXPECT_EQ(fs::path(logged[0]), fs::path(kFakeFolder));
  EXPECT_EQ(logged[1] + " " + logged[2] + " " + logged[3],
            "stdin=null Mapforge " + m_records / "Loop.trk");
  EXPECT_TRUE(std::regex_match(logged[4], std::regex(m_temp.Path() + "/TS[0-9a-f]{8}[A-Za-z0-9]{6}\\.TMP")))
      << logged[4];
  EXPECT_EQ(ReadFile(m_copy), CompilerInputOf(m_doc));
  EXPECT_FALSE(m_doc.IsModified());
}

// Errors of the track check are listed, once and before the writer's warnings, and the compile
// goes on; the starting positions the writer warns of are not listed twice.
TEST_F(CompileCommand, ListsTheTrackProblemsBeforeTheWarningsAndCompilesAllTheSame) {
  TrackBuilder t(m_doc);
  t.Item(-5000, 0, 1);  // starting position 2, off the track
  t.Node(50000, 0);
  EXPECT_EQ(Compile(), CompileResult::kSucceeded);
  EXPECT_EQ(m_host.m_problemListsAt, std::vector<std::size_t>{0});
  EXPECT_EQ(m_host.m_problems, (std::vector<std::string>{
                                   "error: Finish Line not found",
                                   "error: CheckPoint 1 not found",
                                   "error: CheckPoint 2 not found",
                                   "warning: Node is used by no outline and holds no item (node 7)",
                               }));
  EXPECT_EQ(m_host.m_warnings.at(0), "WARNING: Starting position 2 not on track");
  EXPECT_EQ(m_host.m_warnings.size(), 9u);
}

// A failing compiler: its exit status or signal and the end of its output are shown.
TEST_F(CompileCommand, FailureShowsTheEndingAndTheEndOfTheOutput) {
  const ScopedEnv noise("FAKE_MAPFORGE_NOISE", "300000");
  const std::tuple<const char*, const char*, const char*> failures[] = {
      {"FAKE_MAPFORGE_EXIT", "3", "exit status 3"},
      {"FAKE_MAPFORGE_CRASH", "1", "killed by signal 11"}};
  for (const auto& [name, value, ending] : failures) {
    const ScopedEnv env(name, value);
    m_host.m_messages.clear();
    EXPECT_EQ(Compile(), CompileResult::kFailed);
    const std::string message = Failure();
    EXPECT_TRUE(Contains(message, "fake compiler output\nfake compiler error\n")) << ending;
    EXPECT_TRUE(Contains(message, ending)) << message.substr(0, 200);
    EXPECT_LE(message.size(), kProcessOutputLimit + 200);
  }
}

TEST_F(CompileCommand, CompilerIsLookedUpInTheProgramFolderThenOnThePath) {
  ScratchFolder program;
  std::ofstream(program / "Mapforge") << "not executable, so not the compiler";
  m_host.m_programFolder = program.Path();
  m_host.m_searchPath = "relative/dir::" + kFakeFolder;
  EXPECT_EQ(Compile(), CompileResult::kSucceeded);
  EXPECT_EQ(Logged().at(0), program.Path());  // run in the program folder all the same

  m_host.m_searchPath = "/nonexistent";
  EXPECT_EQ(Compile(), CompileResult::kFailed);
  EXPECT_TRUE(Contains(Failure(), "not found"));
}

TEST_F(CompileCommand, NothingInAPathIsEverInterpreted) {
  ScratchFolder work;
  const fs::path before = fs::current_path();
  fs::current_path(work.Path());
  const std::string attack = "a\"; touch p1; $(touch p2) `touch p3` 'x' | touch p4 > p5 & \\";
  const std::string strangeTemp = m_temp / ("t$(touch p6);`touch p7`\"");
  fs::create_directory(strangeTemp);
  m_host.m_tempFolder = strangeTemp;
  m_host.m_answer = m_records / (attack + ".trk");
  const CompileResult result = OnCompile(m_doc, m_host).m_result;
  fs::current_path(before);
  EXPECT_EQ(result, CompileResult::kSucceeded);
  const auto logged = Logged();
  ASSERT_EQ(logged.size(), 5u);
  EXPECT_EQ(logged[3], m_records / (attack + ".trk"));
  EXPECT_EQ(logged[4].rfind(strangeTemp + "/TS", 0), 0u);
  for (const std::string& folder : {work.Path(), kFakeFolder, m_records.Path()}) {
    for (const char* name : {"p1", "p2", "p3", "p4", "p5", "p6", "p7"})
      EXPECT_FALSE(fs::exists(folder + "/" + name)) << folder << "/" << name;
  }
}

// Cancelling, no temporary file and a short write: the compiler never runs.
TEST_F(CompileCommand, NothingIsCompiledWithoutACompleteInputFile) {
  m_host.m_answer.reset();
  EXPECT_EQ(Compile(), CompileResult::kCancelled);
  EXPECT_TRUE(m_host.m_messages.empty() && m_host.m_warnings.empty() &&
              m_host.m_problemListsAt.empty());

  m_host.m_answer = m_records / "Loop.trk";
  m_host.m_tempFolder = m_temp / "missing";
  const CCompileOutcome outcome = OnCompile(m_doc, m_host);
  EXPECT_TRUE(outcome.m_result == CompileResult::kFailed && m_host.m_messages.empty() &&
              Contains(outcome.m_strReason, "missing"))
      << outcome.m_strReason;

  m_host.m_tempFolder = m_temp.Path();
  {
    FileSizeLimit limit(64);
    EXPECT_EQ(Compile(), CompileResult::kFailed);
  }
  EXPECT_TRUE(Contains(Failure(), "cannot write"));
  EXPECT_FALSE(fs::exists(m_log));
}

// What the compile output panel shows: the program's path, then the arguments after argument 0.
TEST(CompileJob, CommandLineQuotesWhatAShellWouldSplit) {
  CCompileJob job;
  job.m_strProgram = "/opt/bin/Mapforge";
  job.m_arguments = {"Mapforge", "/t/my track.trk", "/tmp/TS1.TMP", "it's"};
  EXPECT_EQ(job.CommandLine(), "/opt/bin/Mapforge '/t/my track.trk' /tmp/TS1.TMP 'it'\\''s'");
}

// Exit status 0 is not enough: the output file must have been written by this run.
TEST_F(CompileCommand, ACompilerThatWritesNoTrackFailsEvenOverAnOldOne) {
  const ScopedEnv silent("FAKE_MAPFORGE_NO_OUTPUT", "1");
  for (bool old : {false, true}) {
    if (old) std::ofstream(m_records / "Loop.trk") << "an older track\n";
    m_host.m_messages.clear();
    EXPECT_EQ(Compile(), CompileResult::kFailed);
    EXPECT_TRUE(Contains(Failure(), "exit status 0 but no " + (m_records / "Loop.trk")));
  }
}

TEST(Process, RunsReportsFindsProgramsAndTempFilesGoWithTheirObject) {
  const CProcessResult missing = RunProcess("/nonexistent/Mapforge", {"Mapforge"}, "");
  EXPECT_TRUE(missing.m_ending == CProcessResult::Ending::kNotStarted &&
              Contains(missing.Describe(), "could not be run"));
  ScratchFolder folder;
  EXPECT_FALSE(RunProcess(kFakeFolder + "/Mapforge", {"Mapforge"}, folder / "gone").Succeeded());
  EXPECT_EQ(FindProgram("Mapforge", kFakeFolder, ""), kFakeFolder + "/Mapforge");
  EXPECT_EQ(FindProgram("Mapforge", "", "/nonexistent:" + kFakeFolder + "/"),
            kFakeFolder + "/Mapforge");
  EXPECT_EQ(FindProgram("Mapforge", "", ":.:tests/fake_compiler"), "");
  EXPECT_EQ(FindProgram("Mapforge", "/nonexistent", ""), "");
  EXPECT_EQ(GetProgramFolder().back(), '/');
  // A child left holding the output open must not hang Compile: the run ends with the program.
  const auto start = std::chrono::steady_clock::now();
  const CProcessResult run = RunProcess(
      "/bin/sh", {"sh", "-c", "sleep 60 & echo $! > child; echo done; exit 3"}, folder.Path());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  kill(std::stoi(ReadFile(folder / "child")), SIGKILL);
  EXPECT_EQ(run.Describe() + ": " + run.m_strOutput, "exit status 3: done\n");
  std::string error;
  for (bool write : {true, false}) {
    auto file = CTempFile::Create(folder.Path(), "TS", ".TMP", error);
    ASSERT_TRUE(file);
    const std::string path = file->GetPath();
    EXPECT_TRUE(!write || file->WriteAndClose("some text\n", error));
    EXPECT_EQ(ReadFile(path), write ? "some text\n" : "");
    file.reset();
    EXPECT_FALSE(fs::exists(path));
  }
  EXPECT_FALSE(CTempFile::Create(folder / "missing", "TS", ".TMP", error));
  EXPECT_TRUE(Contains(error, "missing"));
  for (const char* tmp : {"/var/somewhere", ""}) {
    const ScopedEnv env("TMPDIR", tmp);
    EXPECT_EQ(GetTempFolder(), *tmp ? tmp : "/tmp");
  }
}
