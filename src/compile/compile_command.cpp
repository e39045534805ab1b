#include "compile/compile_command.h"

#include <filesystem>
#include <sstream>

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

// Runs `Mapforge OUTPUT INPUT` in the program folder. What went wrong, or
// nothing on success.
std::optional<std::string> RunCompiler(const CCompileHost& host, const std::string& output,
                                       const std::string& input) {
  const std::string folder = host.GetProgramFolder();
  const std::string program = FindProgram(kCompilerName, folder, host.GetSearchPath());
  if (program.empty()) {
    return std::string(kCompilerName) + " was not found in " + (folder.empty() ? "?" : folder) +
           " or on the search path";
  }
  const CProcessResult run = RunProcess(program, {kCompilerName, output, input}, folder);
  if (run.Succeeded()) return std::nullopt;
  std::string details = run.m_strOutput;
  if (!details.empty() && details.back() != '\n') details += '\n';
  return details + program + ": " + run.Describe();
}

CCompileOutcome CompileTo(CTrassoDoc& doc, CCompileHost& host, const std::string& output) {
  // The compiler runs in another folder, so it must get absolute paths; a
  // relative one cannot be made absolute once our working folder is gone.
  std::error_code pathError;
  const std::string outputPath = std::filesystem::absolute(output, pathError).string();
  if (pathError) return Fail(host, output + ": " + pathError.message());
  const std::string tempFolder =
      std::filesystem::absolute(host.GetTempFolder(), pathError).string();
  if (pathError) return Fail(host, host.GetTempFolder() + ": " + pathError.message());

  std::string error;
  // Deleted when this function returns, however it returns.
  const std::unique_ptr<CTempFile> input = CTempFile::Create(tempFolder, "TS", ".TMP", error);
  if (!input) return {CompileResult::kFailed, error};

  std::ostringstream text;
  WriteCompilerInput(doc, text, host);
  // A truncated input would compile a truncated track and look like success.
  if (!input->WriteAndClose(text.view(), error)) return Fail(host, error);

  if (auto failure = RunCompiler(host, outputPath, input->GetPath())) return Fail(host, *failure);
  return {CompileResult::kSucceeded, {}};
}
}  // namespace

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

CCompileOutcome OnCompile(CTrassoDoc& doc, CCompileHost& host) {
  const std::optional<std::string> output =
      host.AskOutputPath(ProposeCompileOutputName(doc.GetPathName()));
  if (!output) return {CompileResult::kCancelled, {}};
  // Whatever goes wrong (memory, the file system) is a failed compile with its
  // reason, never an abort of the program; the temporary file goes either way.
  try {
    return CompileTo(doc, host, *output);
  } catch (const std::exception& e) {
    return Fail(host, e.what());
  }
}
