#include "compile.h"

#include <algorithm>

#include "file_io.h"
#include "input_parser.h"
#include "track_checks.h"
#include "trk_file.h"

namespace mapforge {
namespace {
// Past this many, errors mostly echo the first ones, and a broken input would
// otherwise bury the report under thousands of lines.
constexpr int kMaxErrors = 100;

void Report(const std::string& input, const Diagnostics& diagnostics, std::ostream& messages) {
  int errors = 0;
  for (const Diagnostic& d : diagnostics) {
    if (d.error && ++errors > kMaxErrors) {
      messages << "too many errors\n";
      return;
    }
    messages << input << ":" << d.line << ": " << (d.error ? "" : "warning: ") << d.message << "\n";
  }
}
}  // namespace

int Compile(const std::string& output, const std::string& input, std::ostream& messages) {
  std::string text, error;
  if (!ReadWholeFile(input, text, error)) {
    messages << input << ": " << error << "\n";
    return 1;
  }
  Diagnostics diagnostics;
  const TrackInput track = ParseCompilerInput(text, diagnostics);
  if (!HasErrors(diagnostics)) CheckReferences(track, diagnostics);
  if (!HasErrors(diagnostics)) CheckGeometry(track, diagnostics);
  std::stable_sort(diagnostics.begin(), diagnostics.end(),
                   [](const auto& a, const auto& b) { return a.line < b.line; });
  Report(input, diagnostics, messages);
  if (HasErrors(diagnostics)) return 1;
  if (!WriteFileAtomically(output, EncodeTrk(track), error)) {
    messages << output << ": " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace mapforge
