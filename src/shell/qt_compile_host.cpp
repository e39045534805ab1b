#include "shell/qt_compile_host.h"

#include <utility>

#include "compile/compile_strings.h"
#include "platform/qt/file_filter.h"
#include "platform/qt/prompts.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"

namespace {
constexpr int IDS_QUIET_WARNINGS = 12943;
}  // namespace

std::optional<std::string> CQtCompileHost::AskOutputPath(const std::string& proposedPath) {
  return m_prompts.AskSavePath(proposedPath, ConvertFileFilter(LoadResString(IDS_TRK_FILTER)),
                               QStringLiteral("trk"));
}

void CQtCompileHost::ListProblems(const std::vector<TrackProblem>& problems) {
  if (!m_log) return;
  for (const TrackProblem& problem : problems) m_log(FromWindows1252(FormatProblem(problem)));
}

void CQtCompileHost::ShowWarning(const std::string& text) {
  const QString warning = FromWindows1252(text);
  if (m_log) m_log(warning);
  const bool first = std::exchange(m_bFirstWarning, false);
  if (m_bQuietWarnings) return;
  if (first && m_bOfferQuietWarnings) {
    m_bQuietWarnings =
        m_prompts.MessageBoxWithCheck(AppTitle(), warning, QMessageBox::Warning,
                                      FromWindows1252(LoadResString(IDS_QUIET_WARNINGS)));
  } else {
    m_prompts.MessageBox(AppTitle(), warning, QMessageBox::Warning);
  }
}

// The compiler's output may be in any encoding; the local one is the best guess.
void CQtCompileHost::ShowMessage(const std::string& text, const std::string& details) {
  if (m_log) m_log(FromWindows1252(text));
  m_prompts.MessageBox(AppTitle(), FromWindows1252(text), QMessageBox::Warning, QMessageBox::Ok,
                       QString::fromLocal8Bit(details));
}
