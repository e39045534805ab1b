#pragma once
// The Compile command without any user interface: choose the output file,
// write the compiler input to a temporary file, run the compiler on it, report
// a failure and remove the temporary file. The editor and the command-line
// tool each supply a host.

#include <optional>
#include <string>

#include "compile/compiler_warnings.h"

class CTrassoDoc;

// What the command needs from its surroundings. The warnings of the writer
// arrive through the inherited ShowWarning, before the compiler runs.
class CCompileHost : public CCompilerWarnings {
 public:
  // The chosen output path, or nothing when the user cancelled. Asked first,
  // before anything is created.
  virtual std::optional<std::string> AskOutputPath(const std::string& proposedPath) = 0;
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

// Compiles the document's current content; it neither saves nor marks the
// document, and never changes our working directory.
CCompileOutcome OnCompile(CTrassoDoc& doc, CCompileHost& host);
