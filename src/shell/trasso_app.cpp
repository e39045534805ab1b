#include "shell/trasso_app.h"

#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QMdiSubWindow>

#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "platform/qt/command_table.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/prompts.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "resource_ids.h"
#include "shell/about_dlg.h"
#include "shell/app_icon.h"
#include "shell/child_frame.h"
#include "shell/compile_runner.h"
#include "shell/frame_layout.h"
#include "shell/help_document.h"
#include "shell/help_opener.h"
#include "shell/main_frame.h"
#include "shell/recovery_manager.h"
#include "shell/selection_attr_bar.h"
#include "shell/track_attr_bar.h"
#include "shell/track_check_bar.h"
#include "shell/trasso_doc_template.h"
#include "view/drawing_objects.h"
#include "view/tool_cursors.h"
#include "view/trasso_view.h"

namespace {
constexpr int kRecentFileCount = 4;
}  // namespace

CTrassoApp::CTrassoApp(std::unique_ptr<CPrompts> prompts)
    : m_nCurrentTool(ID_TOOL_ADD_SECTION),
      m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Trasso"),
                 QStringLiteral("Trasso")),
      m_pPrompts(prompts ? std::move(prompts) : std::make_unique<CDialogPrompts>()),
      m_pHelpOpener(new CHelpOpener(this)) {}

CTrassoApp::~CTrassoApp() {
  qApp->removeEventFilter(this);
  m_pRecovery.reset();
  // The views let go of the bars while they close, so the bars go last.
  m_pDocManager.reset();
  if (GetViewServices() == this) SetViewServices(nullptr);
}

bool CTrassoApp::InitInstance(const QStringList& arguments) {
  QApplication::setWindowIcon(AppIcon());  // every window's, dialogs' too
  m_pRecentFileList = std::make_unique<CRecentFileList>(m_settings, kRecentFileCount);
  m_pDocTemplate = std::make_unique<CTrassoDocTemplate>();
  GetDrawingObjects();

  m_pCommands = std::make_unique<CCommandTable>();
  m_pMainWnd = std::make_unique<CMainFrame>(*m_pCommands);
  m_pMainWnd->LoadFrame();
  RestoreFrameLayout(*m_pMainWnd, m_settings);
  if (auto* dialogs = dynamic_cast<CDialogPrompts*>(m_pPrompts.get())) {
    dialogs->SetParent(m_pMainWnd.get());
    dialogs->SetFolderMemory(&m_settings);
  }
  m_pDocManager = std::make_unique<CDocManager>(*m_pDocTemplate, *m_pMainWnd->GetMdiArea(),
                                                *m_pPrompts, *m_pRecentFileList);
  SetViewServices(this);

  connect(m_pMainWnd.get(), &CMainFrame::FilesDropped, this, [this](const QStringList& paths) {
    for (const QString& path : paths)
      m_pDocManager->OpenDocumentFile(path.toLocal8Bit().toStdString());
  });
  m_pMainWnd->m_canClose = [this] {
    if (!m_pDocManager->SaveAllModified()) return false;
    m_pDocManager->CloseAllDocuments();
    SaveFrameLayout(*m_pMainWnd, m_settings);
    return true;
  };
  connect(m_pCommands.get(), &CCommandTable::AboutToUpdate, this, &CTrassoApp::OnIdle);
  connect(m_pDocManager.get(), &CDocManager::DocumentsChanged, m_pCommands.get(),
          &CCommandTable::RequestUpdate);
  connect(qApp, &QApplication::focusChanged, m_pCommands.get(), &CCommandTable::RequestUpdate);
  // Keystrokes in a panel field join one step until the focus leaves the field.
  connect(qApp, &QApplication::focusChanged, this, [this] {
    // The focus also moves while the application is taken down.
    if (!m_pDocManager) return;
    for (CDocument* doc : m_pDocManager->GetDocuments())
      static_cast<CTrassoDoc*>(doc)->GetHistory().SealMerge();
  });
  qApp->installEventFilter(this);
  WireAppCommands();
  WireDocumentCommands();
  WireViewCommands();
  WireGridCommands();
  WireHistoryCommands();
  WireCompileCommands();
  WireTrackCheckCommands();
  WireClipboardCommands();
  WireFrameCommands();
  WireZoomCommands();
  WireViewOptionCommands();

  // Lays the frame out before the first window opens, so that the window can
  // be sized to the area it will have.
  m_pMainWnd->layout()->setGeometry(m_pMainWnd->rect());
  StartRecovery();
  const int restored = OfferRecovery();
  if (arguments.isEmpty()) {
    if (restored == 0) m_pDocManager->OnFileNew();
  } else if (!m_pDocManager->OpenDocumentFile(arguments.first().toLocal8Bit().toStdString())) {
    return false;
  }
  m_pMainWnd->show();
  m_pCommands->UpdateAll();
  return true;
}

void CTrassoApp::SetCurrentTool(int id) {
  m_nCurrentTool = id;
  CTrassoView::SetToolForAllViews(id);
}

QCursor CTrassoApp::GetToolCursor() const {
  return LoadToolCursor(m_nCurrentTool);
}

CDocumentPanel* CTrassoApp::GetSelectionBar() const {
  return m_pMainWnd ? m_pMainWnd->m_wndSelectionBar : nullptr;
}
CDocumentPanel* CTrassoApp::GetTrackBar() const {
  return m_pMainWnd ? m_pMainWnd->m_wndTrackBar : nullptr;
}
CDocumentPanel* CTrassoApp::GetTrackCheckBar() const {
  return m_pMainWnd ? m_pMainWnd->m_wndTrackCheck : nullptr;
}
CStatusBar* CTrassoApp::GetStatusBar() const {
  return m_pMainWnd ? m_pMainWnd->m_wndStatusBar : nullptr;
}
CZoomBar* CTrassoApp::GetZoomBar() const {
  return m_pMainWnd ? m_pMainWnd->m_wndZoomBar : nullptr;
}

void CTrassoApp::OnHelp() {
  // Only files that exist are offered: asking the desktop for a missing one
  // would only show its own, less helpful, error.
  const QStringList documents =
      FindHelpDocuments(QDir::currentPath(), QCoreApplication::applicationDirPath());
  m_pHelpOpener->Open(documents, [this] {
    m_pPrompts->MessageBox(FromWindows1252(LoadResString(IDS_HELP_ERROR_CAPTION)),
                           FromWindows1252(LoadResString(IDS_HELP_ERROR)), QMessageBox::Critical);
  });
}

void CTrassoApp::SetHelpOpener(const QString& program) {
  m_pHelpOpener->SetProgram(program);
}

void CTrassoApp::OnAppAbout() {
  CAboutDlg dialog(m_pMainWnd.get());
  dialog.exec();
}

CChildFrame* CTrassoApp::GetActiveChildFrame() const {
  QMdiSubWindow* window = m_pDocManager ? m_pDocManager->GetActiveFrame() : nullptr;
  return window ? qobject_cast<CChildFrame*>(window->widget()) : nullptr;
}

CTrassoDoc* CTrassoApp::GetActiveDocument() const {
  return m_pDocManager ? static_cast<CTrassoDoc*>(m_pDocManager->GetActiveDocument()) : nullptr;
}

// The pane that last had the focus in the active window, or its first pane.
CTrassoView* CTrassoApp::GetActiveView() const {
  CChildFrame* frame = GetActiveChildFrame();
  if (!frame) return nullptr;
  if (auto* view = qobject_cast<CTrassoView*>(frame->GetActiveView())) return view;
  return qobject_cast<CTrassoView*>(frame->GetSplitter().GetPane(0, 0));
}

void CTrassoApp::SelectAndShow(CTrassoDoc& doc, const std::vector<TSSelectable*>& objects,
                               const TSNode* at) {
  doc.ClearSelection(false);
  for (TSSelectable* object : objects) doc.Select(*object);
  doc.UpdateAllViews(nullptr, 0, nullptr);
  CTrassoView* view = GetActiveView();
  if (at && view && view->GetDocument() == &doc) view->CenterOn({at->m_x, at->m_y});
}

bool CTrassoApp::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
      m_pCommands->RequestUpdate();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void CTrassoApp::OnIdle() {
  if (m_pRecovery) m_pRecovery->LookAtDocuments();
  m_pDocManager->UpdateFrameTitles();
  QMdiSubWindow* frame = m_pDocManager->GetActiveFrame();
  const CDocument* doc = m_pDocManager->GetActiveDocument();
  const QString title = frame ? frame->windowTitle().remove(QStringLiteral("[*]")) : QString();
  m_pMainWnd->SetActiveTitle(title, doc && doc->IsModified());
  m_pMainWnd->ShowDocumentMenu(!m_pDocManager->GetDocuments().empty());
  m_pMainWnd->SetRecentFiles(m_pRecentFileList->GetFiles());
  m_pMainWnd->UpdateKeyIndicators();
}
