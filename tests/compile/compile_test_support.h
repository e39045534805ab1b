#pragma once
// Shared by the compile tests: a warning sink that records, and the compiler
// input of a document as one string.

#include <sstream>
#include <string>
#include <vector>

#include "compile/compiler_input.h"
#include "compile/compiler_warnings.h"

class RecordedWarnings : public CCompilerWarnings {
 public:
  void ShowWarning(const std::string& text) override { m_texts.push_back(text); }
  std::vector<std::string> m_texts;
};

inline std::string CompilerInputOf(CTrassoDoc& doc, RecordedWarnings& warnings) {
  std::ostringstream out;
  WriteCompilerInput(doc, out, warnings);
  return out.str();
}

inline std::string CompilerInputOf(CTrassoDoc& doc) {
  RecordedWarnings ignored;
  return CompilerInputOf(doc, ignored);
}
