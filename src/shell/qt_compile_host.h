#pragma once
// The Compile command's host in the editor: the output file is chosen with a
// save dialog, the warnings and the failure are message boxes, and the track
// check's problems go to the compile output only.

#include <QString>
#include <functional>

#include "compile/compile_command.h"

class CPrompts;

class CQtCompileHost : public CCompileHost {
 public:
  explicit CQtCompileHost(CPrompts& prompts) : m_prompts(prompts) {}

  // Also gets every problem, warning and message, for the compile output.
  std::function<void(const QString&)> m_log;
  // The first warning offers to send the rest to the compile output only.
  bool m_bOfferQuietWarnings = false;

  std::optional<std::string> AskOutputPath(const std::string& proposedPath) override;
  void ListProblems(const std::vector<TrackProblem>& problems) override;
  void ShowWarning(const std::string& text) override;
  void ShowMessage(const std::string& text, const std::string& details) override;

 private:
  CPrompts& m_prompts;
  bool m_bFirstWarning = true;
  bool m_bQuietWarnings = false;
};
