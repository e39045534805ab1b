// The commands of the editor and the rules that enable and check them. Each
// command acts on what is active when it runs: the active window, its
// document, or its view; without one it is disabled.
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QToolBar>

#include "model/trasso_doc.h"
#include "platform/qt/command_table.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/shared_printer.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/window_list.h"
#include "resource_ids.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "shell/scale_dlg.h"
#include "shell/track_attr_bar.h"
#include "shell/trasso_app.h"
#include "view/trasso_view.h"

namespace {
constexpr int kTools[] = {ID_TOOL_SELECT,        ID_TOOL_ADD_SECTION,    ID_TOOL_ADD_FEATURE,
                          ID_TOOL_INSERT_OBJECT, ID_TOOL_MOVE_SELECTION, ID_TOOL_MOVE_NODES};

// Lines the minimized windows up along the bottom of the area, left to right.
void ArrangeIcons(QMdiArea& area) {
  int x = 0;
  for (QMdiSubWindow* window : area.subWindowList()) {
    if (!window->isMinimized()) continue;
    window->move(x, area.viewport()->height() - window->height());
    x += window->width();
  }
}
}  // namespace

void CTrassoApp::WireAppCommands() {
  CCommandTable& commands = *m_pCommands;
  for (int id : kTools) {
    commands.SetCheckable(id);
    commands.OnCommand(id, [this, id] { SetCurrentTool(id); });
    commands.OnUpdate(id, [this, id](CCmdUI& ui) { ui.SetCheck(m_nCurrentTool == id); });
  }
  commands.OnCommand(ID_HELP, [this] { OnHelp(); });
  commands.OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
  commands.OnCommand(ID_FILE_NEW, [this] { m_pDocManager->OnFileNew(); });
  commands.OnCommand(ID_FILE_OPEN, [this] { m_pDocManager->OnFileOpen(); });
  commands.OnCommand(ID_FILE_PRINT_SETUP, [this] {
    QPageSetupDialog dialog(&SharedPrinter(), m_pMainWnd.get());
    dialog.exec();
  });
  for (int i = 0; i < m_pRecentFileList->GetMaxSize(); ++i) {
    commands.OnCommand(ID_FILE_MRU_FILE1 + i, [this, i] { m_pDocManager->OpenRecentFile(i); });
    commands.OnUpdate(ID_FILE_MRU_FILE1 + i, [this, i](CCmdUI& ui) {
      ui.Enable(i < m_pRecentFileList->GetFiles().size());
    });
  }
  commands.OnCommand(ID_APP_EXIT, [this] { m_pMainWnd->close(); });
}

void CTrassoApp::WireDocumentCommands() {
  CCommandTable& commands = *m_pCommands;
  auto onDocument = [this, &commands](int id, std::function<void(CTrassoDoc&)> handler) {
    commands.OnCommand(id, [this, handler] {
      if (CTrassoDoc* doc = GetActiveDocument()) handler(*doc);
    });
    commands.OnUpdate(id, [this](CCmdUI& ui) { ui.Enable(GetActiveDocument() != nullptr); });
  };
  onDocument(ID_FILE_CLOSE, [this](CTrassoDoc& doc) { m_pDocManager->OnFileClose(doc); });
  onDocument(ID_FILE_SAVE, [this](CTrassoDoc& doc) { m_pDocManager->OnFileSave(doc); });
  onDocument(ID_FILE_SAVE_AS, [this](CTrassoDoc& doc) { m_pDocManager->OnFileSaveAs(doc); });
  onDocument(ID_WINDOW_NEW, [this](CTrassoDoc& doc) { m_pDocManager->OnWindowNew(doc); });
  onDocument(ID_EDIT_SELECT_ALL, [](CTrassoDoc& doc) { doc.SelectAll(); });
  onDocument(ID_EDIT_SCALE_SELECTION,
             [this](CTrassoDoc& doc) { OnScaleSelection(&doc, m_pMainWnd.get()); });
  commands.OnUpdate(ID_EDIT_SCALE_SELECTION, [this](CCmdUI& ui) {
    const CTrassoDoc* doc = GetActiveDocument();
    ui.Enable(doc && doc->OnUpdateScaleSelection());
  });
}

void CTrassoApp::WireViewCommands() {
  CCommandTable& commands = *m_pCommands;
  auto onView = [this, &commands](int id, void (CView::*handler)()) {
    commands.OnCommand(id, [this, handler] {
      if (CTrassoView* view = GetActiveView()) (view->*handler)();
    });
    commands.OnUpdate(id, [this](CCmdUI& ui) { ui.Enable(GetActiveView() != nullptr); });
  };
  onView(ID_FILE_PRINT, &CView::OnFilePrint);
  onView(ID_FILE_PRINT_DIRECT, &CView::OnFilePrintDirect);
  onView(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview);

  // The two editing commands of the tools toolbar, enabled when they can act.
  const std::tuple<int, void (CTrassoView::*)(), bool (CTrassoView::*)() const> edits[] = {
      {ID_CUT_SELECTION, &CTrassoView::OnCutSelection, &CTrassoView::CanCutSelection},
      {ID_INSERT_NODE, &CTrassoView::OnInsertNode, &CTrassoView::CanInsertNode},
  };
  for (auto [id, handler, canAct] : edits) {
    commands.OnCommand(id, [this, handler] {
      if (CTrassoView* view = GetActiveView()) (view->*handler)();
    });
    commands.OnUpdate(id, [this, canAct](CCmdUI& ui) {
      const CTrassoView* view = GetActiveView();
      ui.Enable(view && (view->*canAct)());
    });
  }
}

void CTrassoApp::WireFrameCommands() {
  CCommandTable& commands = *m_pCommands;
  CMainFrame& frame = *m_pMainWnd;
  // The two bars the platform shows and hides, and the panels whose View
  // entries would otherwise leave a closed panel lost for good.
  const std::pair<int, QWidget*> bars[] = {
      {ID_VIEW_TOOLBAR, frame.m_wndToolBar},
      {ID_VIEW_TOOLS, frame.m_wndToolsBar},
      {ID_VIEW_SELECTION_BAR, frame.m_pSelectionDock},
      {ID_VIEW_TRACK_BAR, frame.m_pTrackDock},
      {ID_VIEW_STATUS_BAR, frame.m_wndStatusBar},
      {ID_VIEW_COMPILE_OUTPUT, frame.m_pCompileDock},
      {ID_VIEW_TRACK_CHECK, frame.m_pTrackCheckDock},
  };
  for (auto [id, bar] : bars) {
    commands.SetCheckable(id);
    commands.OnCommand(id, [bar] { bar->setVisible(bar->isHidden()); });
    commands.OnUpdate(id, [bar](CCmdUI& ui) { ui.SetCheck(!bar->isHidden()); });
  }

  QMdiArea& area = *frame.GetMdiArea();
  const std::pair<int, std::function<void()>> arrangements[] = {
      {ID_WINDOW_CASCADE, [&area] { area.cascadeSubWindows(); }},
      {ID_WINDOW_TILE_HORZ, [&area] { area.tileSubWindows(); }},
      {ID_WINDOW_ARRANGE, [&area] { ArrangeIcons(area); }},
  };
  for (const auto& [id, arrange] : arrangements) {
    commands.OnCommand(id, arrange);
    commands.OnUpdate(id, [this](CCmdUI& ui) { ui.Enable(GetActiveChildFrame() != nullptr); });
  }
  commands.OnCommand(ID_WINDOW_SPLIT, [this] {
    if (CChildFrame* child = GetActiveChildFrame()) child->OnWindowSplit();
  });
  commands.OnCommand(ID_NEXT_PANE, [this] {
    if (CChildFrame* child = GetActiveChildFrame()) child->OnNextPane();
  });
  commands.OnCommand(ID_PREV_PANE, [this] {
    if (CChildFrame* child = GetActiveChildFrame()) child->OnPrevPane();
  });
  for (int id : {ID_WINDOW_SPLIT, ID_NEXT_PANE, ID_PREV_PANE}) {
    commands.OnUpdate(id, [this](CCmdUI& ui) { ui.Enable(GetActiveChildFrame() != nullptr); });
  }
  AddWindowList(*frame.m_pWindowMenu, commands, *m_pDocManager);
  commands.OnCommand(ID_BROWSE_BACKGROUND, [&frame] { frame.m_wndTrackBar->OnBrowseBackground(); });
}
