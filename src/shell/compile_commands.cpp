// Compile and Stop compiling. The compile is prepared as before, with its
// questions and warnings, and then runs in the background: the editor stays
// usable, the compile output panel follows it, and the failure box still
// appears when it fails.
#include <QDockWidget>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/qt/command_table.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/windows1252.h"
#include "platform/temp_file.h"
#include "resource_ids.h"
#include "shell/compile_output_bar.h"
#include "shell/compile_runner.h"
#include "shell/main_frame.h"
#include "shell/qt_compile_host.h"
#include "shell/trasso_app.h"

namespace {
enum : int {
  IDS_COMPILING = 12939,
  IDS_COMPILED = 12940,
  IDS_COMPILE_STOPPED = 12941,
  IDS_STOP_RUNNING_COMPILE = 12942,
};

void ShowStatus(CMainFrame& frame, const QString& text) {
  CStatusBar* bar = frame.m_wndStatusBar;
  if (bar) bar->SetPaneText(bar->CommandToIndex(ID_SEPARATOR), text);
}
}  // namespace

void CTrassoApp::WireCompileCommands() {
  CCommandTable& commands = *m_pCommands;
  commands.OnCommand(ID_FILE_COMPILE, [this] {
    if (CTrassoDoc* doc = GetActiveDocument()) StartCompile(*doc);
  });
  commands.OnUpdate(ID_FILE_COMPILE, [this](CCmdUI& ui) {
    CTrassoDoc* doc = GetActiveDocument();
    ui.Enable(doc && !m_compiles.contains(doc));
  });
  commands.OnCommand(ID_FILE_STOP_COMPILE, [this] {
    if (auto it = m_compiles.find(GetActiveDocument()); it != m_compiles.end()) it->second->Stop();
  });
  commands.OnUpdate(ID_FILE_STOP_COMPILE,
                    [this](CCmdUI& ui) { ui.Enable(m_compiles.contains(GetActiveDocument())); });
  // The panel's Stop acts on the compile it shows last.
  connect(m_pMainWnd->m_wndCompileOutput, &CCompileOutputBar::StopRequested, this, [this] {
    for (auto& [doc, runner] : m_compiles) runner->Stop();
  });
  connect(m_pMainWnd->m_wndCompileOutput, &CCompileOutputBar::LineActivated, this,
          &CTrassoApp::ShowInputLine);
  m_pDocManager->m_canCloseDocument = [this](CDocument& doc) {
    return CanCloseWhileCompiling(static_cast<CTrassoDoc&>(doc));
  };
}

void CTrassoApp::StartCompile(CTrassoDoc& doc) {
  CCompileOutputBar& output = *m_pMainWnd->m_wndCompileOutput;
  CQtCompileHost host(*m_pPrompts);
  // The check's problems and the warnings, shown once the command line heads the output.
  std::vector<QString> logged;
  host.m_log = [&logged](const QString& text) { logged.push_back(text); };
  host.m_bOfferQuietWarnings = true;
  CCompileOutcome outcome{CompileResult::kFailed, {}};
  std::unique_ptr<CCompileJob> job = PrepareCompile(doc, host, outcome);
  if (!job) return;
  // The document may have closed while a warning box was open.
  const std::vector<CDocument*> open = m_pDocManager->GetDocuments();
  if (std::ranges::find(open, &doc) == open.end()) return;

  output.Begin(QString::fromLocal8Bit(job->CommandLine()), !m_compiles.empty());
  for (const QString& line : logged) output.AppendLine(line);
  m_pMainWnd->m_pCompileDock->show();
  const QString name = QFileInfo(QString::fromLocal8Bit(job->m_strOutputPath)).fileName();
  m_shownCompile = ShownCompile{&doc, job->m_pInput->GetPath(), job->m_inputMap};
  auto runner = std::make_unique<CCompileRunner>(doc, std::move(job));
  connect(runner.get(), &CCompileRunner::OutputLine, &output, &CCompileOutputBar::AppendLine);
  connect(runner.get(), &CCompileRunner::Finished, this,
          [this, runner = runner.get()] { OnCompileFinished(*runner); });
  CCompileRunner& started = *runner;
  m_compiles[&doc] = std::move(runner);
  output.SetStopEnabled(true);
  ShowStatus(*m_pMainWnd, ResText(IDS_COMPILING).arg(name));
  started.Start();
  m_pCommands->RequestUpdate();
}

void CTrassoApp::OnCompileFinished(CCompileRunner& runner) {
  CCompileOutputBar& output = *m_pMainWnd->m_wndCompileOutput;
  auto it = m_compiles.find(&runner.GetDocument());
  if (it == m_compiles.end() || it->second.get() != &runner) return;
  // Out of the table first: the failure box below runs an event loop.
  std::unique_ptr<CCompileRunner> finished = std::move(it->second);
  m_compiles.erase(it);
  output.SetStopEnabled(!m_compiles.empty());
  ShowStatus(*m_pMainWnd, ResText(IDS_IDLE_MESSAGE));
  m_pCommands->RequestUpdate();
  if (finished->WasStopped()) {
    output.AppendLine(ResText(IDS_COMPILE_STOPPED));
  } else {
    CQtCompileHost host(*m_pPrompts);
    host.m_log = [&output](const QString& text) { output.AppendLine(text); };
    const CCompileJob& job = finished->GetJob();
    if (FinishCompile(job, finished->GetResult(), host).m_result == CompileResult::kSucceeded) {
      const QFileInfo track(QString::fromLocal8Bit(job.m_strOutputPath));
      output.AppendLine(ResText(IDS_COMPILED).arg(track.filePath()).arg(track.size()));
    }
  }
  // Deleted once the signal that called here has returned.
  finished.release()->deleteLater();
}

bool CTrassoApp::CanCloseWhileCompiling(CTrassoDoc& doc) {
  auto it = m_compiles.find(&doc);
  if (it == m_compiles.end()) return true;
  const QString title = QString::fromStdString(doc.GetTitle());
  if (m_pPrompts->MessageBox(AppTitle(), ResText(IDS_STOP_RUNNING_COMPILE).arg(title),
                             QMessageBox::Question,
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
    return false;
  }
  // The question ran an event loop, in which the compile may have ended.
  it = m_compiles.find(&doc);
  if (it != m_compiles.end()) it->second->StopAndWait();
  return true;
}

void CTrassoApp::ShowInputLine(const QString& line) {
  static const QRegularExpression kLocation(QStringLiteral("^(.+):(\\d+): "));
  const QRegularExpressionMatch match = kLocation.match(line);
  CTrassoDoc* doc = m_shownCompile.doc;
  if (!match.hasMatch() ||
      match.captured(1).toLocal8Bit().toStdString() != m_shownCompile.inputPath)
    return;
  const std::vector<CDocument*> open = m_pDocManager->GetDocuments();
  if (std::ranges::find(open, doc) == open.end()) return;
  const CompilerInputBlock* block =
      FindInputBlock(m_shownCompile.map, match.captured(2).toULongLong());
  if (!block) return;
  // The track may have changed since: only objects it still holds are shown.
  const TSNode* at = nullptr;
  std::vector<TSSelectable*> objects;
  if (std::ranges::any_of(doc->m_polygonList,
                          [&](const auto& p) { return p.get() == block->polygon; })) {
    for (const auto& wall : block->polygon->m_wallList) objects.push_back(wall.get());
    if (!block->polygon->m_wallList.empty()) at = block->polygon->m_wallList.front()->m_pNode;
  } else if (std::ranges::any_of(doc->m_nodeList,
                                 [&](const auto& n) { return n.get() == block->node; })) {
    at = block->node;
    objects.push_back(const_cast<TSNode*>(at));
  }
  SelectAndShow(*doc, objects, at);
}
