#pragma once
// For compile, CLI and end-to-end tests: recorded warnings, a scripted host, the input as text.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "check/track_problem.h"
#include "compile/compile_command.h"
#include "compile/compiler_input.h"

class RecordedWarnings : public CCompilerWarnings {
 public:
  void ShowWarning(const std::string& text) override { m_texts.push_back(text); }
  std::vector<std::string> m_texts;
};

class ScriptedHost : public CCompileHost {
 public:
  std::optional<std::string> AskOutputPath(const std::string& proposed) override {
    m_proposals.push_back(proposed);
    return m_answer;
  }
  void ShowMessage(const std::string& text, const std::string& details) override {
    m_messages.push_back(text + "\n" + details);
  }
  void ShowWarning(const std::string& text) override { m_warnings.push_back(text); }
  // Notes how many warnings came before the list.
  void ListProblems(const std::vector<TrackProblem>& problems) override {
    m_problemListsAt.push_back(m_warnings.size());
    for (const TrackProblem& problem : problems) m_problems.push_back(FormatProblem(problem));
  }
  std::string GetProgramFolder() const override { return m_programFolder; }
  std::string GetTempFolder() const override { return m_tempFolder; }
  std::string GetSearchPath() const override { return m_searchPath; }

  std::optional<std::string> m_answer;
  std::string m_programFolder, m_tempFolder, m_searchPath;
  std::vector<std::string> m_proposals, m_warnings, m_messages, m_problems;
  std::vector<std::size_t> m_problemListsAt;
};

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}
inline std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

inline std::string CompilerInputOf(CTrassoDoc& doc, RecordedWarnings& warnings) {
  std::ostringstream out;
  EXPECT_TRUE(WriteCompilerInput(doc, out, warnings));
  return out.str();
}

inline std::string CompilerInputOf(CTrassoDoc& doc) {
  RecordedWarnings ignored;
  return CompilerInputOf(doc, ignored);
}
