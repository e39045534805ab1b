#pragma once
// The Compile command without any user interface: choose the output file,
// write the compiler input to a temporary file, run the compiler on it, report
// a failure and remove the temporary file. The editor and the command-line
// tool each supply a host.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check/track_problem.h"
#include "compile/compiler_input.h"
#include "compile/compiler_warnings.h"

class CTempFile;
class CTrassoDoc;
struct CProcessResult;

// What the command needs from its surroundings. The track check's problems
// arrive through ListProblems, then the warnings of the writer through the
// inherited ShowWarning, before the compiler runs.
class CCompileHost : public CCompilerWarnings {
 public:
  // The chosen output path, or nothing when the user cancelled. Asked first,
  // before anything is created.
  virtual std::optional<std::string> AskOutputPath(const std::string& proposedPath) = 0;
  // Once the output path is chosen: the track check's problems, in the
  // check's order, to be listed without stopping the compile. The
  // starting-position problems are left out, as they follow at once as the
  // writer's warnings. The default lists nothing.
  virtual void ListProblems(const std::vector<TrackProblem>& problems);
  // A modal message with an OK button; `details` is the compiler's output or
  // the reason of the failure (shown as detailed text).
  virtual void ShowMessage(const std::string& text, const std::string& details) = 0;

  // Platform services; the defaults are the real ones.
  virtual std::string GetProgramFolder()
      const;  // looked in first, and the compiler's working directory
  virtual std::string GetTempFolder() const;
  virtual std::string GetSearchPath() const;
};

enum class CompileResult { kCancelled, kSucceeded, kFailed };

struct CCompileOutcome {
  CompileResult m_result;
  // Why it failed, also when no message was shown (no temporary file).
  std::string m_strReason;
};

// The name of the compiler's program.
inline constexpr const char* kCompilerName = "Mapforge";

// The document's file name cut at its last period, then at its last opening
// square bracket, with ".trk" appended, in the document's folder:
// "/tracks/Loop[2].tr" proposes "/tracks/Loop.trk".
std::string ProposeCompileOutputName(const std::string& documentPath);

// A compile ready to run: the compiler found, its input written to a
// temporary file that lives as long as the job, the output path absolute.
struct CCompileJob {
  CCompileJob();
  ~CCompileJob();
  std::string m_strProgram;              // the compiler's path
  std::vector<std::string> m_arguments;  // argument 0 included
  std::string m_strWorkingDir;           // the program folder
  std::string m_strOutputPath;           // absolute
  // When the output file was last written before the compile, if it existed:
  // the compiler must write it again.
  std::optional<std::filesystem::file_time_type> m_outputWrittenBefore;
  std::unique_ptr<CTempFile> m_pInput;  // the compiler input
  CompilerInputMap m_inputMap;          // which object each block of it was written for
  // The command as a shell would take it, for the user to read.
  std::string CommandLine() const;
};

// The first half of Compile, on the document's thread: asks for the output
// file, lists the track's problems (they never stop it), writes the compiler
// input (its warnings reach the host in order) and finds the compiler. The
// job, or null with the outcome: cancelled, or failed with the failure already
// shown.
std::unique_ptr<CCompileJob> PrepareCompile(CTrassoDoc& doc, CCompileHost& host,
                                            CCompileOutcome& outcome);
// The second half, once the compiler has ended: success needs exit status 0
// and an output file; a failure is shown with the compiler's output.
CCompileOutcome FinishCompile(const CCompileJob& job, const CProcessResult& run,
                              CCompileHost& host);

// Compiles the document's current content, waiting for the compiler; it
// neither saves nor marks the document, and never changes our working
// directory.
CCompileOutcome OnCompile(CTrassoDoc& doc, CCompileHost& host);
