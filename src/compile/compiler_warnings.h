#pragma once
// Where the compiler input writer sends its warnings: message boxes in the
// editor, standard error in the command-line tool, a list in the tests.

#include <string>

class CCompilerWarnings {
 public:
  virtual ~CCompilerWarnings() = default;
  // Called once per warning, in order; the writer continues when it returns.
  virtual void ShowWarning(const std::string& text) = 0;
};
