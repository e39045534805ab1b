#include "shell/main_frame.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QToolBar>

#include "platform/qt/command_table.h"
#include "platform/qt/keyboard_locks.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "resource_ids.h"
#include "shell/compile_output_bar.h"
#include "shell/selection_attr_bar.h"
#include "shell/toolbar_images.h"
#include "shell/track_attr_bar.h"
#include "shell/track_check_bar.h"
#include "view/zoom_bar.h"

namespace {
constexpr QSize kButtonImage(16, 15);
// Titles of the bars, shown while they float.
constexpr int IDS_SELECTION_ATTRIBUTES = 10300;
constexpr int IDS_ZOOM_BAR = 10500;
constexpr int IDS_TRACK_ATTRIBUTES = 103100;
constexpr int IDS_COMPILE_OUTPUT = 12938;
constexpr int IDS_TRACK_CHECK = 12945;
constexpr int IDS_STANDARD_TOOLBAR = 12920;  // the View menu's texts
constexpr int IDS_TOOLS = 12921;
// The frame's size before the user changes it.
constexpr QSize kInitialSize(1100, 760);

QString BarTitle(int id) {
  return FromWindows1252(LoadResString(id)).remove('&');
}

QDockWidget* MakeDock(QWidget* panel, int nTitleId, const char* name, QWidget* parent) {
  auto* dock = new QDockWidget(BarTitle(nTitleId), parent);
  dock->setObjectName(QString::fromLatin1(name));
  dock->setWidget(panel);
  dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  return dock;
}
}  // namespace

CMainFrame::CMainFrame(CCommandTable& commands)
    : m_commands(commands), m_pMdiArea(new QMdiArea(this)) {
  setCentralWidget(m_pMdiArea);
  setAcceptDrops(true);
}

void CMainFrame::LoadFrame() {
  setWindowTitle(FromWindows1252(LoadResString(IDR_MAINFRAME)));
  resize(kInitialSize);
  BuildMenus();
  BuildAccelerators();
  OnCreate();
}

// The bars in the order they are created, then docked in the default
// arrangement: the standard toolbar at the top, the tools toolbar above the
// zoom bar at the left, the selection panel above the track panel at the
// right, the status bar at the bottom.
void CMainFrame::OnCreate() {
  CreateToolBars();
  CreateDockBars();
  CreateStatusBar();
  setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks | GroupedDragging);
  // The panels at the right run down to the status bar, so that a panel shown
  // at the bottom takes its height from the track windows alone.
  setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
  addToolBar(Qt::TopToolBarArea, m_wndToolBar);
  addToolBar(Qt::LeftToolBarArea, m_wndToolsBar);
  // Bars of one toolbar area line up along its edge, so the zoom bar comes
  // below the tools toolbar.
  addToolBar(Qt::LeftToolBarArea, m_pZoomHolder);
  addDockWidget(Qt::RightDockWidgetArea, m_pSelectionDock);
  addDockWidget(Qt::RightDockWidgetArea, m_pTrackDock, Qt::Vertical);
  addDockWidget(Qt::BottomDockWidgetArea, m_pCompileDock);
  addDockWidget(Qt::BottomDockWidgetArea, m_pTrackCheckDock);
  tabifyDockWidget(m_pCompileDock, m_pTrackCheckDock);
  for (QDockWidget* dock : {m_pCompileDock, m_pTrackCheckDock}) {
    dock->hide();
    dock->installEventFilter(this);
  }
}

void CMainFrame::FillToolBar(QToolBar* bar, std::initializer_list<int> ids) {
  for (int id : ids) {
    if (id == ID_SEPARATOR) {
      bar->addSeparator();
      continue;
    }
    QAction* action = m_commands.Action(id);
    action->setIcon(ToolbarImage(id));
    bar->addAction(action);
  }
}

void CMainFrame::CreateToolBars() {
  m_wndToolBar = new QToolBar(BarTitle(IDS_STANDARD_TOOLBAR), this);
  m_wndToolBar->setObjectName(QStringLiteral("ToolBar%1").arg(IDR_MAINFRAME));
  m_wndToolBar->setIconSize(kButtonImage);
  FillToolBar(m_wndToolBar, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR, ID_EDIT_CUT,
                             ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR, ID_EDIT_UNDO, ID_EDIT_REDO,
                             ID_SEPARATOR, ID_FILE_PRINT, ID_HELP});

  m_wndToolsBar = new QToolBar(BarTitle(IDS_TOOLS), this);
  m_wndToolsBar->setObjectName(QStringLiteral("ToolBar%1").arg(IDR_TOOLS));
  m_wndToolsBar->setIconSize(kButtonImage);
  FillToolBar(m_wndToolsBar,
              {ID_TOOL_SELECT, ID_TOOL_MOVE_NODES, ID_TOOL_MOVE_SELECTION, ID_TOOL_ADD_SECTION,
               ID_TOOL_ADD_FEATURE, ID_TOOL_INSERT_OBJECT, ID_TOOL_TRACE_PATH, ID_SEPARATOR,
               ID_CUT_SELECTION, ID_INSERT_NODE, ID_SEPARATOR, ID_VIEW_SNAP_TO_GRID});
}

void CMainFrame::CreateDockBars() {
  m_wndZoomBar = new CZoomBar;
  m_pZoomHolder = new QToolBar(BarTitle(IDS_ZOOM_BAR), this);
  m_pZoomHolder->setObjectName(QStringLiteral("ZoomBar%1").arg(IDD_ZOOM_BAR));
  m_pZoomHolder->addWidget(m_wndZoomBar);
  m_pZoomHolder->setAllowedAreas(Qt::LeftToolBarArea | Qt::RightToolBarArea);
  m_pZoomHolder->setOrientation(Qt::Vertical);

  m_wndSelectionBar = new CSelectionAttrBar;
  m_pSelectionDock = MakeDock(m_wndSelectionBar, IDS_SELECTION_ATTRIBUTES, "SelectionBar", this);
  m_wndTrackBar = new CTrackAttrBar;
  m_pTrackDock = MakeDock(m_wndTrackBar, IDS_TRACK_ATTRIBUTES, "TrackBar", this);
  m_wndCompileOutput = new CCompileOutputBar;
  m_pCompileDock = MakeDock(m_wndCompileOutput, IDS_COMPILE_OUTPUT, "CompileOutput", this);
  m_pCompileDock->setAllowedAreas(Qt::AllDockWidgetAreas);
  m_wndTrackCheck = new CTrackCheckBar;
  m_pTrackCheckDock = MakeDock(m_wndTrackCheck, IDS_TRACK_CHECK, "TrackCheck", this);
  m_pTrackCheckDock->setAllowedAreas(Qt::AllDockWidgetAreas);
}

void CMainFrame::CreateStatusBar() {
  m_wndStatusBar = new CStatusBar(this);
  m_wndStatusBar->SetIndicators({ID_SEPARATOR, ID_VIEW_TRACK_CHECK, ID_INDICATOR_POSITION,
                                 ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
  setStatusBar(m_wndStatusBar);
  UpdateKeyIndicators();
}

void CMainFrame::UpdateKeyIndicators() {
  const std::optional<KeyboardLocks> locks = QueryKeyboardLocks();
  const std::pair<int, bool> panes[] = {{ID_INDICATOR_CAPS, locks && locks->bCaps},
                                        {ID_INDICATOR_NUM, locks && locks->bNum},
                                        {ID_INDICATOR_SCRL, locks && locks->bScroll}};
  for (auto [id, on] : panes) {
    const QString text = on ? FromWindows1252(LoadResString(id)) : QString();
    const int index = m_wndStatusBar->CommandToIndex(id);
    if (m_wndStatusBar->GetPaneText(index) != text) m_wndStatusBar->SetPaneText(index, text, false);
  }
}

void CMainFrame::ShowDocumentMenu(bool bDocument) {
  const QList<QMenu*>& shown = bDocument ? m_menus129 : m_menus128;
  for (QMenu* menu : m_menus128 + m_menus129) menu->menuAction()->setVisible(shown.contains(menu));
}

void CMainFrame::SetActiveTitle(const QString& title, bool bModified) {
  const QString caption = FromWindows1252(LoadResString(IDR_MAINFRAME));
  setWindowTitle(title.isEmpty() ? caption : caption + QStringLiteral(" - ") + title + "[*]");
  setWindowModified(bModified);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (m_canClose && !m_canClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

// A panel shown by a command, or by a compile starting, is what the user
// wants to see, not the tab it shares the bottom with. Only an explicit show
// sends ShowToParent; switching tabs does not.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShowToParent) static_cast<QDockWidget*>(watched)->raise();
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.append(url.toLocalFile());
  }
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  emit FilesDropped(paths);
}
