// The editor as it starts: menus, bars, the current tool and the command line.
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "model/trasso_doc.h"
#include "platform/qt/command_table.h"
#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "shell/app_fixture.h"
#include "shell/main_frame.h"
#include "shell/selection_attr_bar.h"
#include "view/trasso_view.h"
#include "view/zoom_bar.h"

namespace {
// A menu as text: the entries' texts, "-" for separators, each followed by
// its command id where it has one.
QStringList Entries(const QMenu* menu, const CCommandTable& commands) {
  QStringList entries;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      entries << "-";
    } else if (action->isVisible()) {
      int id = 0;
      for (int candidate = 32700; candidate < 60000 && !id; ++candidate) {
        if (commands.Find(candidate) == action) id = candidate;
      }
      entries << action->text() + " " + QString::number(id);
    }
  }
  return entries;
}

QStringList VisibleMenus(const QMainWindow& frame) {
  QStringList titles;
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->isVisible()) titles << action->text();
  }
  return titles;
}

QMenu* VisibleMenu(const QMainWindow& frame, const QString& title) {
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->isVisible() && action->text() == title) return action->menu();
  }
  return nullptr;
}

QList<int> ButtonIds(const QToolBar* bar, const CCommandTable& commands) {
  QList<int> ids;
  for (QAction* action : bar->actions()) {
    int id = 0;
    for (int candidate = 32700; candidate < 60000 && !action->isSeparator() && !id; ++candidate) {
      if (commands.Find(candidate) == action) id = candidate;
    }
    ids << id;
  }
  return ids;
}
}  // namespace

TEST_F(AppTest, StartsWithOneUntitledTrackAndTheDocumentMenus) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = *App().GetMainWnd();
  const CCommandTable& commands = App().GetCommands();
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->GetTitle(), "Trax1");
  EXPECT_EQ(frame.windowTitle(), "Trasso(v1.01) - Trax1[*]");
  EXPECT_EQ(VisibleMenus(frame), QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}));
  EXPECT_EQ(Entries(VisibleMenu(frame, "&File"), commands),
            QStringList({"&New\tCtrl+N 57600", "&Open...\tCtrl+O 57601", "&Close 57602",
                         "&Save\tCtrl+S 57603", "Save &As... 57604", "-", "Compil&e\tF7 32793", "-",
                         "&Print...\tCtrl+P 57607", "Print Pre&view 57609", "P&rint Setup... 57606",
                         "-", "Recent File 57616", "-", "E&xit 57665"}));
  EXPECT_EQ(Entries(VisibleMenu(frame, "&Edit"), commands),
            QStringList({"&Undo\tCtrl+Z 57643", "-", "Cu&t\tCtrl+X 57635", "&Copy\tCtrl+C 57634",
                         "&Paste\tCtrl+V 57637", "-", "&Scale selection... 32798"}));
  EXPECT_EQ(Entries(VisibleMenu(frame, "&View"), commands),
            QStringList({"&Standard Toolbar 59392", "Tools 32794", "Slection attributes 32795",
                         "Track Attributes 32796", "&Status Bar 59393"}));
  EXPECT_EQ(Entries(VisibleMenu(frame, "&Window"), commands),
            QStringList({"&New Window 57648", "&Cascade 57650", "&Tile 57651",
                         "&Arrange Icons 57649", "S&plit 57653"}));
  EXPECT_EQ(Entries(VisibleMenu(frame, "&Help"), commands),
            QStringList({"&Help\tF1 32797", "&About Trasso... 57664"}));
}

TEST_F(AppTest, WithoutDocumentsTheShortMenusShowAndThePanelsAreDisabled) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_CLOSE);
  CMainFrame& frame = *App().GetMainWnd();
  EXPECT_TRUE(Documents().empty());
  EXPECT_EQ(frame.windowTitle(), "Trasso(v1.01)");
  EXPECT_EQ(VisibleMenus(frame), QStringList({"&File", "&View", "&Help"}));
  EXPECT_EQ(Entries(VisibleMenu(frame, "&File"), App().GetCommands()),
            QStringList({"&New\tCtrl+N 57600", "&Open...\tCtrl+O 57601", "-",
                         "P&rint Setup... 57606", "-", "Recent File 57616", "-", "E&xit 57665"}));
  EXPECT_FALSE(IsEnabled(ID_FILE_MRU_FILE1));
  EXPECT_EQ(frame.m_wndSelectionBar->GetDocument(), nullptr);
  EXPECT_EQ(frame.m_wndZoomBar->GetView(), nullptr);
  EXPECT_FALSE(frame.m_wndZoomBar->m_wndSlider->isEnabled());
  for (int id : {ID_FILE_SAVE, ID_FILE_PRINT, ID_CUT_SELECTION, ID_WINDOW_SPLIT}) {
    EXPECT_FALSE(IsEnabled(id)) << id;
  }
}

TEST_F(AppTest, BarsStartInTheirDefaultPlacesWithTheirButtonsInOrder) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = *App().GetMainWnd();
  const CCommandTable& commands = App().GetCommands();
  EXPECT_EQ(ButtonIds(frame.m_wndToolBar, commands),
            QList<int>({57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 32797}));
  EXPECT_EQ(ButtonIds(frame.m_wndToolsBar, commands),
            QList<int>({32777, 32788, 32786, 32779, 32782, 32784, 32791, 0, 32789, 32783}));
  EXPECT_EQ(frame.toolBarArea(frame.m_wndToolBar), Qt::TopToolBarArea);
  EXPECT_EQ(frame.toolBarArea(frame.m_wndToolsBar), Qt::LeftToolBarArea);
  EXPECT_EQ(frame.toolBarArea(frame.m_pZoomHolder), Qt::LeftToolBarArea);
  EXPECT_LT(frame.m_wndToolsBar->geometry().bottom(), frame.m_pZoomHolder->geometry().top());
  EXPECT_EQ(frame.dockWidgetArea(frame.m_pSelectionDock), Qt::RightDockWidgetArea);
  EXPECT_EQ(frame.dockWidgetArea(frame.m_pTrackDock), Qt::RightDockWidgetArea);
  EXPECT_LT(frame.m_pSelectionDock->geometry().bottom(), frame.m_pTrackDock->geometry().top());
  EXPECT_FALSE(frame.m_pSelectionDock->isAreaAllowed(Qt::TopDockWidgetArea));
  EXPECT_FALSE(frame.m_pZoomHolder->isAreaAllowed(Qt::BottomToolBarArea));
  EXPECT_TRUE(frame.m_wndToolsBar->isAreaAllowed(Qt::BottomToolBarArea));
  EXPECT_EQ(frame.m_wndToolBar->iconSize(), QSize(16, 15));

  // The prompt goes to the status bar, the text after the line break is the tip.
  EXPECT_EQ(commands.Find(ID_FILE_NEW)->statusTip(), "Create a new document");
  EXPECT_EQ(commands.Find(ID_FILE_NEW)->toolTip(), "New");
  EXPECT_EQ(commands.Find(ID_TOOL_ADD_SECTION)->statusTip(), "Add track section");
  CStatusBar& status = *frame.m_wndStatusBar;
  EXPECT_EQ(status.GetPaneText(0), "Ready");
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_POSITION), 1);
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_SCRL), 4);
}

TEST_F(AppTest, AddTrackSectionIsTheToolOfEveryViewUntilAnotherIsChosen) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = *App().GetMainWnd();
  auto* button = qobject_cast<QToolButton*>(
      frame.m_wndToolsBar->widgetForAction(App().GetCommands().Find(ID_TOOL_ADD_SECTION)));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isChecked());
  EXPECT_FALSE(IsChecked(ID_TOOL_SELECT));
  Trigger(ID_FILE_NEW);
  Trigger(ID_WINDOW_NEW);
  for (CTrassoView* view : CTrassoView::s_allViews) EXPECT_EQ(view->m_nTool, ID_TOOL_ADD_SECTION);
  // Choosing the current tool again keeps it checked.
  Trigger(ID_TOOL_ADD_SECTION);
  EXPECT_TRUE(button->isChecked());
}

TEST_F(AppTest, ToolChangesReachEveryViewOfEveryDocumentAndDropTheirPaths) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  Trigger(ID_WINDOW_NEW);
  ASSERT_EQ(CTrassoView::s_allViews.size(), 3u);
  for (CTrassoDoc* doc : Documents()) {
    FirstView(doc)->m_path.push_back(doc->AddNode(1000, 1000, true));
  }
  Trigger(ID_TOOL_MOVE_SELECTION);
  for (CTrassoView* view : CTrassoView::s_allViews) {
    EXPECT_EQ(view->m_nTool, ID_TOOL_MOVE_SELECTION);
    EXPECT_TRUE(view->m_path.empty());
  }
  EXPECT_TRUE(IsChecked(ID_TOOL_MOVE_SELECTION));
  EXPECT_FALSE(IsChecked(ID_TOOL_ADD_SECTION));
  EXPECT_EQ(App().GetToolCursor().shape(), Qt::BitmapCursor);
  Trigger(ID_TOOL_SELECT);
  EXPECT_EQ(App().GetToolCursor().shape(), Qt::CrossCursor);
  Trigger(ID_TOOL_MOVE_SELECTION);

  // The same tool again still drops a path begun since.
  CTrassoDoc* doc = Documents()[0];
  FirstView(doc)->m_path.push_back(doc->AddNode(2000, 2000, true));
  Trigger(ID_TOOL_MOVE_SELECTION);
  EXPECT_TRUE(FirstView(doc)->m_path.empty());
}

TEST_F(AppTest, CommandLineOpensTheNamedTrack) {
  const std::string path = WriteTrack("loop.tr");
  ASSERT_TRUE(Start({QString::fromStdString(path)}));
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->GetTitle(), "loop.tr");
  EXPECT_EQ(Documents()[0]->m_polygonList.size(), 1u);
  EXPECT_FALSE(Documents()[0]->IsModified());
}

TEST_F(AppTest, CommandLineWithAFileThatCannotBeOpenedFailsAfterItsMessage) {
  EXPECT_FALSE(Start({QString::fromStdString(PathOf("missing.tr"))}));
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes[0].text.contains("missing.tr"));
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso");
}

TEST_F(AppTest, DroppedFilesOpen) {
  ASSERT_TRUE(Start());
  const std::string path = WriteTrack("dropped.tr");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  CMainFrame& frame = *App().GetMainWnd();
  // A drop goes where the drag was let in.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&frame, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&frame, &drop);
  Settle();
  ASSERT_EQ(Documents().size(), 2u);
  EXPECT_EQ(Documents()[1]->GetTitle(), "dropped.tr");
}

TEST_F(AppTest, HelpWithoutAHelpDocumentSaysSo) {
  ASSERT_TRUE(Start());
  const QString cwd = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
  Trigger(ID_HELP);
  QDir::setCurrent(cwd);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso Help Error");
  EXPECT_EQ(Prompts().m_boxes[0].text,
            "To be able to display Trasso Help\nyou must have a Word document viewer "
            "installed\non your system\n\n");
  EXPECT_EQ(Prompts().m_boxes[0].icon, QMessageBox::Critical);
}
