#include "compile/compile_command.h"

#include <filesystem>
#include <sstream>

#include "check/track_checker.h"
#include "compile/compile_strings.h"
#include "compile/compiler_input.h"
#include "model/trasso_doc.h"
#include "platform/process.h"
#include "platform/string_table.h"
#include "platform/temp_file.h"

namespace {
CCompileOutcome Fail(CCompileHost& host, std::string reason) {
  host.ShowMessage(std::string(LoadResString(IDS_COMPILER_FAILED)), reason);
  return {CompileResult::kFailed, std::move(reason)};
}

// Quotes an argument when a shell would split or expand it.
std::string Quoted(const std::string& argument) {
  if (!argument.empty() &&
      argument.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                 "0123456789-_./=:+,@%") == std::string::npos) {
    return argument;
  }
  std::string quoted = "'";
  for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::unique_ptr<CCompileJob> PrepareJob(CTrassoDoc& doc, CCompileHost& host,
                                        const std::string& output, CCompileOutcome& outcome) {
  auto fail = [&](std::string reason) {
    outcome = Fail(host, std::move(reason));
    return nullptr;
  };
  // The compiler runs in another folder, so it must get absolute paths; a
  // relative one cannot be made absolute once our working folder is gone.
  std::error_code pathError;
  auto job = std::make_unique<CCompileJob>();
  job->m_strOutputPath = std::filesystem::absolute(output, pathError).string();
  if (pathError) return fail(output + ": " + pathError.message());
  const std::string tempFolder =
      std::filesystem::absolute(host.GetTempFolder(), pathError).string();
  if (pathError) return fail(host.GetTempFolder() + ": " + pathError.message());
  std::string error;
  // Deleted with the job, however the compile ends.
  job->m_pInput = CTempFile::Create(tempFolder, "TS", ".TMP", error);
  if (!job->m_pInput) {
    outcome = {CompileResult::kFailed, error};
    return nullptr;
  }
  std::ostringstream text;
  WriteCompilerInput(doc, text, host, &job->m_inputMap);
  // A truncated input would compile a truncated track and look like success.
  if (!job->m_pInput->WriteAndClose(text.view(), error)) return fail(error);
  job->m_strWorkingDir = host.GetProgramFolder();
  job->m_strProgram = FindProgram(kCompilerName, job->m_strWorkingDir, host.GetSearchPath());
  if (job->m_strProgram.empty()) {
    return fail(std::string(kCompilerName) + " was not found in " +
                (job->m_strWorkingDir.empty() ? "?" : job->m_strWorkingDir) +
                " or on the search path");
  }
  job->m_arguments = {kCompilerName, job->m_strOutputPath, job->m_pInput->GetPath()};
  const auto written = std::filesystem::last_write_time(job->m_strOutputPath, pathError);
  if (!pathError) job->m_outputWrittenBefore = written;
  outcome = {CompileResult::kSucceeded, {}};
  return job;
}

// The check's problems but those the compiler input writer warns of itself.
std::vector<TrackProblem> ProblemsToList(CTrassoDoc& doc) {
  std::vector<TrackProblem> problems = CheckTrackProblems(doc);
  std::erase_if(problems, [](const TrackProblem& problem) {
    return problem.kind == ProblemKind::kStartMissing ||
           problem.kind == ProblemKind::kStartOffTrack;
  });
  return problems;
}
}  // namespace

void CCompileHost::ListProblems(const std::vector<TrackProblem>&) {}

std::string CCompileHost::GetProgramFolder() const {
  return ::GetProgramFolder();
}
std::string CCompileHost::GetTempFolder() const {
  return ::GetTempFolder();
}
std::string CCompileHost::GetSearchPath() const {
  return ::GetSearchPath();
}

std::string ProposeCompileOutputName(const std::string& documentPath) {
  // Only the file name is cut, so that the output stays in the track's folder
  // whatever periods or brackets the folders' names hold.
  const std::size_t nameStart = documentPath.rfind('/') + 1;
  std::string name = documentPath.substr(nameStart);
  name = name.substr(0, name.rfind('.'));
  name = name.substr(0, name.rfind('['));
  return documentPath.substr(0, nameStart) + name + ".trk";
}

CCompileJob::CCompileJob() = default;
CCompileJob::~CCompileJob() = default;

std::string CCompileJob::CommandLine() const {
  std::string line = Quoted(m_strProgram);
  for (std::size_t i = 1; i < m_arguments.size(); ++i) line += ' ' + Quoted(m_arguments[i]);
  return line;
}

std::unique_ptr<CCompileJob> PrepareCompile(CTrassoDoc& doc, CCompileHost& host,
                                            CCompileOutcome& outcome) {
  const std::optional<std::string> output =
      host.AskOutputPath(ProposeCompileOutputName(doc.GetPathName()));
  if (!output) {
    outcome = {CompileResult::kCancelled, {}};
    return nullptr;
  }
  // Whatever goes wrong (memory, the file system) is a failed compile with its
  // reason, never an abort of the program; the temporary file goes either way.
  try {
    host.ListProblems(ProblemsToList(doc));
    return PrepareJob(doc, host, *output, outcome);
  } catch (const std::exception& e) {
    outcome = Fail(host, e.what());
    return nullptr;
  }
}

CCompileOutcome FinishCompile(const CCompileJob& job, const CProcessResult& run,
                              CCompileHost& host) {
  std::string details = run.m_strOutput;
  if (!details.empty() && details.back() != '\n') details += '\n';
  if (!run.Succeeded()) return Fail(host, details + job.m_strProgram + ": " + run.Describe());
  // A compiler that says it succeeded but wrote nothing made no track.
  std::error_code error;
  const auto written = std::filesystem::last_write_time(job.m_strOutputPath, error);
  if (error || !std::filesystem::is_regular_file(job.m_strOutputPath, error) ||
      written == job.m_outputWrittenBefore) {
    return Fail(host, details + job.m_strProgram + ": exit status 0 but no " + job.m_strOutputPath +
                          " was written");
  }
  return {CompileResult::kSucceeded, {}};
}

CCompileOutcome OnCompile(CTrassoDoc& doc, CCompileHost& host) {
  CCompileOutcome outcome{CompileResult::kFailed, {}};
  const std::unique_ptr<CCompileJob> job = PrepareCompile(doc, host, outcome);
  if (!job) return outcome;
  try {
    return FinishCompile(
        *job, RunProcess(job->m_strProgram, job->m_arguments, job->m_strWorkingDir), host);
  } catch (const std::exception& e) {
    return Fail(host, e.what());
  }
}
