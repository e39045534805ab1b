#include "cli/cli_commands.h"

#include "cli/example_track.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <set>

#include "check/problems_json.h"
#include "check/track_checker.h"
#include "compile/compile_command.h"
#include "compile/compiler_input.h"
#include "compile/connection_finder.h"
#include "model/element_types.h"
#include "model/track_file.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/archive_exception.h"
#include "platform/fatal_signals.h"
#include "platform/process.h"
#include "platform/windows1252.h"

namespace {
// The exit statuses of the check beyond 0.
constexpr int kOnlyWarnings = 3;
constexpr int kErrors = 4;

// A problem as the terminal shows it: one line of UTF-8.
std::string ProblemLine(const TrackProblem& problem) {
  return Windows1252ToUtf8(FormatProblem(problem)) + "\n";
}

// Warnings one per line on standard error, as the editor would show them.
class CStandardErrorWarnings : public CCompilerWarnings {
 public:
  void ShowWarning(const std::string& text) override { std::cerr << text << "\n"; }
};

// The Compile command without dialogs: the output is fixed beforehand, and
// messages go to standard error.
class CCliCompileHost : public CCompileHost {
 public:
  explicit CCliCompileHost(std::string output) : m_output(std::move(output)) {}
  std::optional<std::string> AskOutputPath(const std::string& proposed) override {
    return m_output.empty() ? proposed : m_output;
  }
  void ShowMessage(const std::string& text, const std::string& details) override {
    std::cerr << text << "\n" << details;
    if (!details.empty() && details.back() != '\n') std::cerr << "\n";
    m_bShown = true;
  }
  void ShowWarning(const std::string& text) override { std::cerr << text << "\n"; }
  void ListProblems(const std::vector<TrackProblem>& problems) override {
    for (const TrackProblem& problem : problems) std::cerr << ProblemLine(problem);
  }

  bool m_bShown = false;

 private:
  std::string m_output;
};

// The document, or null after "FILE: message" on standard error.
std::unique_ptr<CTrassoDoc> Load(const std::string& path) {
  try {
    return LoadTrackFile(path);
  } catch (const std::exception& e) {
    std::cerr << path << ": " << e.what() << "\n";
    return nullptr;
  }
}

// Compile's two halves around a run that relays the compiler's messages to
// standard error as they come, ends at the time limit and stops at once on a
// fatal signal. Every way out removes the temporary input with the job.
CCompileOutcome Compile(CTrassoDoc& doc, CCliCompileHost& host, std::chrono::milliseconds timeout,
                        const CFatalSignalWatch& signals) {
  CCompileOutcome outcome{CompileResult::kFailed, {}};
  const std::unique_ptr<CCompileJob> job = PrepareCompile(doc, host, outcome);
  if (!job) return outcome;
  CRunControl control;
  control.onOutput = [](std::string_view piece) {
    std::cerr.write(piece.data(), static_cast<std::streamsize>(piece.size()));
  };
  control.timeout = timeout;
  control.stopFd = signals.StopFd();
  CProcessResult run =
      RunProcess(job->m_strProgram, job->m_arguments, job->m_strWorkingDir, control);
  if (signals.Caught()) return {CompileResult::kCancelled, {}};
  run.m_strOutput.clear();  // shown already; the verdict adds only why it failed
  return FinishCompile(*job, run, host);
}

int CompileTrack(const std::string& track, const std::string& output,
                 std::chrono::milliseconds timeout, const CFatalSignalWatch& signals) {
  const auto doc = Load(track);
  if (!doc) return 1;
  if (doc->GetPathName().empty()) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(track, error);
    if (error) {
      std::cerr << track << ": " << error.message() << "\n";
      return 1;
    }
    doc->SetPathName(absolute.string());
  }
  CCliCompileHost host(output);
  const CCompileOutcome outcome = Compile(*doc, host, timeout, signals);
  if (outcome.m_result == CompileResult::kSucceeded) return 0;
  // A compile stopped by a signal has no reason to give.
  if (!host.m_bShown && !outcome.m_strReason.empty()) std::cerr << outcome.m_strReason << "\n";
  return 1;
}

}  // namespace

int RunInput(const std::string& track) {
  const auto doc = Load(track);
  if (!doc) return 1;
  CStandardErrorWarnings warnings;
  if (!WriteCompilerInput(*doc, std::cout, warnings) || !std::cout.flush()) {
    std::cerr << "standard output: write error\n";
    return 1;
  }
  return 0;
}

int RunCompile(const std::string& track, const std::string& output,
               std::chrono::milliseconds timeout) {
  const CFatalSignalWatch signals;
  const int status = CompileTrack(track, output, timeout, signals);
  // Only now, with the compiler's group killed and the document and the job
  // gone, is the signal left to end us.
  if (signals.Caught()) DieOfSignal(signals.Caught());
  return status;
}

int RunCheck(const std::string& track, bool json) {
  const auto doc = Load(track);
  if (!doc) return 1;
  const std::vector<TrackProblem> problems = CheckTrackProblems(*doc);
  if (json) {
    std::cout << ProblemsJson(problems) << "\n";
  } else {
    for (const TrackProblem& problem : problems) std::cout << ProblemLine(problem);
  }
  // A script must not take a list it could not read for a clean track.
  if (!std::cout.flush()) {
    std::cerr << "standard output: write error\n";
    return 1;
  }
  if (CountProblems(problems, ProblemSeverity::kError) > 0) return kErrors;
  return problems.empty() ? 0 : kOnlyWarnings;
}

int RunResave(const std::string& input, const std::string& output) {
  const auto doc = Load(input);
  if (!doc) return 1;
  try {
    SaveTrackFile(*doc, output);
  } catch (const std::exception& e) {
    std::cerr << output << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int RunInfo(const std::string& track) {
  const auto doc = Load(track);
  if (!doc) return 1;
  std::size_t sections = 0, features = 0, walls = 0, items = 0, freeElements = 0;
  for (const auto& polygon : doc->m_polygonList) {
    ++(polygon->m_bFeature ? features : sections);
    walls += polygon->m_wallList.size();
  }
  std::set<int> starts;
  for (const auto& node : doc->m_nodeList) {
    if (!node->m_pItem) continue;
    ++items;
    const int type = node->m_pItem->m_nType;
    if (type < 0 || type >= g_nItemTypes) continue;
    if (g_itemTypes[type].nFlag == 0)
      starts.insert(type + 1);
    else
      ++freeElements;
  }
  std::string present;
  for (int number : starts) present += (present.empty() ? "" : ", ") + std::to_string(number);
  std::cout << "nodes: " << doc->m_nodeList.size() << "\nsections: " << sections
            << "\nfeatures: " << features << "\nwalls: " << walls << "\nitems: " << items
            << "\nstarting positions: " << (present.empty() ? "none" : present)
            << "\nfree elements: " << freeElements << "\nconnections: " << CountConnections(*doc)
            << "\n";
  return 0;
}

int RunExample(const std::string& output) {
  CTrassoDoc doc;
  BuildExampleTrack(doc);
  try {
    SaveTrackFile(doc, output);
  } catch (const std::exception& e) {
    std::cerr << output << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
