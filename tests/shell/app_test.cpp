// The editor as it starts and its commands: menus, bars, tools, the panels
// following the active window, the command line, and Compile through a
// stand-in compiler.
#include <QCoreApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include "platform/qt/command_table.h"
#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "shell/app_fixture.h"
#include "shell/main_frame.h"
#include "shell/selection_attr_bar.h"
#include "shell/track_attr_bar.h"
#include "support/scratch_folder.h"
#include "support/track_builder.h"
#include "view/trasso_view.h"
#include "view/zoom_bar.h"

namespace {
class Editor : public AppTest {
 protected:
  CMainFrame& Frame() { return *App().GetMainWnd(); }
  // The entries' texts and command ids ("-" for separators) of the visible
  // menus or of a bar, one a line.
  std::string Entries(const QList<QAction*>& actions) {
    QStringList entries;
    for (QAction* action : actions) {
      int id = 0;
      for (int candidate = 32700; candidate < 60000 && !id; ++candidate) {
        if (Command(candidate) == action) id = candidate;
      }
      if (action->isSeparator())
        entries << "-";
      else if (action->menu())
        entries << action->text() + ": " +
                       QString::fromStdString(Entries(action->menu()->actions()));
      else if (action->isVisible())
        entries << action->text() + " " + QString::number(id);
    }
    return entries.join(" | ").toStdString();
  }
  std::string Menus() {
    QList<QAction*> visible;
    for (QAction* menu : Frame().menuBar()->actions()) {
      if (menu->isVisible()) visible << menu;
    }
    return Entries(visible);
  }
  TSPolygon* Room() {
    TrackBuilder t(*Documents()[0]);
    return t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  }
};
}  // namespace

TEST_F(Editor, StartsWithOneUntitledTrackTheDocumentMenusAndTheBarsInPlace) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->GetTitle(), "Trax1");
  EXPECT_EQ(Frame().windowTitle(), "Trasso(v1.01) - Trax1[*]");
  EXPECT_EQ(
      Menus(),
      "&File: &New\tCtrl+N 57600 | &Open...\tCtrl+O 57601 | &Close 57602 | &Save\tCtrl+S 57603"
      " | Save &As... 57604 | - | Compil&e\tF7 32793 | - | &Print...\tCtrl+P 57607 | Print "
      "Pre&view 57609 | P&rint Setup... 57606 | - | Recent File 57616 | - | E&xit 57665 | "
      "&Edit: &Undo\tCtrl+Z 57643 | - | Cu&t\tCtrl+X 57635 | &Copy\tCtrl+C 57634 | &Paste\t"
      "Ctrl+V 57637 | - | &Scale selection... 32798 | &View: &Standard Toolbar 59392 | Tools "
      "32794 | Slection attributes 32795 | Track Attributes 32796 | &Status Bar 59393 | "
      "&Window: &New Window 57648 | &Cascade 57650 | &Tile 57651 | &Arrange Icons 57649 | "
      "S&plit 57653 | &Help: &Help\tF1 32797 | &About Trasso... 57664");
  EXPECT_EQ(
      Entries(Frame().m_wndToolBar->actions()),
      "&New\tCtrl+N 57600 | &Open...\tCtrl+O 57601 | &Save\tCtrl+S 57603 | - | Cu&t\tCtrl+X "
      "57635 | &Copy\tCtrl+C 57634 | &Paste\tCtrl+V 57637 | - | &Print...\tCtrl+P 57607 | &Help"
      "\tF1 32797");
  EXPECT_EQ(Frame().toolBarArea(Frame().m_wndToolBar), Qt::TopToolBarArea);
  EXPECT_EQ(Frame().toolBarArea(Frame().m_wndToolsBar), Qt::LeftToolBarArea);
  EXPECT_EQ(Frame().toolBarArea(Frame().m_pZoomHolder), Qt::LeftToolBarArea);
  EXPECT_LT(Frame().m_wndToolsBar->geometry().bottom(), Frame().m_pZoomHolder->geometry().top());
  EXPECT_EQ(Frame().dockWidgetArea(Frame().m_pSelectionDock), Qt::RightDockWidgetArea);
  EXPECT_EQ(Frame().dockWidgetArea(Frame().m_pTrackDock), Qt::RightDockWidgetArea);
  EXPECT_LT(Frame().m_pSelectionDock->geometry().bottom(), Frame().m_pTrackDock->geometry().top());
  EXPECT_FALSE(Frame().m_pSelectionDock->isAreaAllowed(Qt::TopDockWidgetArea));
  EXPECT_FALSE(Frame().m_pZoomHolder->isAreaAllowed(Qt::BottomToolBarArea));
  EXPECT_EQ(Frame().m_wndToolBar->iconSize(), QSize(16, 15));
  // The prompt goes to the status bar, the text after the line break is the tip.
  EXPECT_EQ(Command(ID_FILE_NEW)->statusTip(), "Create a new document");
  EXPECT_EQ(Command(ID_FILE_NEW)->toolTip(), "New");
  EXPECT_EQ(Frame().m_wndStatusBar->GetPaneText(0), "Ready");
  EXPECT_EQ(Frame().m_wndStatusBar->CommandToIndex(ID_INDICATOR_POSITION), 1);
  EXPECT_EQ(Frame().m_wndStatusBar->CommandToIndex(ID_INDICATOR_SCRL), 4);
}

TEST_F(Editor, WithoutDocumentsTheShortMenusShowAndThePanelsAreDisabled) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_CLOSE);
  EXPECT_TRUE(Documents().empty());
  EXPECT_EQ(Frame().windowTitle(), "Trasso(v1.01)");
  EXPECT_EQ(Menus(),
            "&File: &New\tCtrl+N 57600 | &Open...\tCtrl+O 57601 | - | P&rint Setup... 57606 | - | "
            "Recent File 57616 | - | E&xit 57665 | &View: &Standard Toolbar 59392 | Tools 32794 | "
            "Slection attributes 32795 | Track Attributes 32796 | &Status Bar 59393 | "
            "&Help: &Help\tF1 32797 | &About Trasso... 57664");
  EXPECT_EQ(Frame().m_wndSelectionBar->GetDocument(), nullptr);
  EXPECT_EQ(Frame().m_wndZoomBar->GetView(), nullptr);
  EXPECT_FALSE(Frame().m_wndZoomBar->m_wndSlider->isEnabled());
  for (int id :
       {ID_FILE_SAVE, ID_FILE_PRINT, ID_CUT_SELECTION, ID_WINDOW_SPLIT, ID_FILE_MRU_FILE1}) {
    EXPECT_FALSE(IsEnabled(id)) << id;
  }
}

TEST_F(Editor, CommandsAreEnabledByWhatTheyNeed) {
  ASSERT_TRUE(Start());
  TSPolygon* room = Room();
  const auto enabled = [&] {
    std::string states;
    for (int id : {ID_EDIT_SCALE_SELECTION, ID_CUT_SELECTION, ID_INSERT_NODE})
      states += IsEnabled(id) ? '1' : '0';
    return states;
  };
  EXPECT_EQ(enabled(), "000");
  // Every edge: only Cut; one edge (the handles at both its ends): Insert too.
  SelectWallsOnly(room);
  EXPECT_EQ(enabled(), "010");
  room->m_wallList[2]->m_bSelected = room->m_wallList[3]->m_bSelected = false;
  EXPECT_EQ(enabled(), "011");
  Trigger(ID_INSERT_NODE);
  EXPECT_EQ(room->m_wallList.size(), 5u);
  // Scaling needs a node.
  room->m_wallList[0]->m_pNode->m_bSelected = true;
  EXPECT_EQ(enabled()[0], '1');
  SelectWallsOnly(room);
  Trigger(ID_CUT_SELECTION);
  EXPECT_TRUE(Documents()[0]->m_polygonList.empty());
  EXPECT_TRUE(Documents()[0]->IsModified());
  // Commands without behaviour stay disabled.
  for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_TOOL_TRACE_PATH}) {
    EXPECT_FALSE(IsEnabled(id)) << id;
  }
}

TEST_F(Editor, AddTrackSectionIsTheFirstToolAndToolChangesReachEveryViewAndDropTheirPaths) {
  ASSERT_TRUE(Start());
  auto* button = qobject_cast<QToolButton*>(
      Frame().m_wndToolsBar->widgetForAction(Command(ID_TOOL_ADD_SECTION)));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isChecked());
  EXPECT_EQ(
      Entries(Frame().m_wndToolsBar->actions()),
      "Select 32777 | Move, attach and detach nodes 32788 | Move selection 32786 | Add track "
      "section 32779 | Add 3D feature 32782 | Insert a starting position or an other object "
      "32784 | Trace a node path(pre-creates nodes) 32791 | - | Cut the selection (DEL) 32789 | "
      "Insert a node on the selected wall (select only 1 wall)(INSERT) 32783");
  Trigger(ID_FILE_NEW);
  Trigger(ID_WINDOW_NEW);
  ASSERT_EQ(CTrassoView::s_allViews.size(), 3u);
  for (CTrassoView* view : CTrassoView::s_allViews) {
    EXPECT_EQ(view->m_nTool, ID_TOOL_ADD_SECTION);
    view->m_path.push_back(view->GetDocument()->AddNode(1000, 1000, true));
  }
  // Choosing the current tool again keeps it checked, and drops the paths.
  Trigger(ID_TOOL_ADD_SECTION);
  EXPECT_TRUE(button->isChecked());
  EXPECT_TRUE(FirstView(Documents()[0])->m_path.empty());
  Trigger(ID_TOOL_MOVE_SELECTION);
  for (CTrassoView* view : CTrassoView::s_allViews)
    EXPECT_EQ(view->m_nTool, ID_TOOL_MOVE_SELECTION);
  EXPECT_FALSE(button->isChecked());
  EXPECT_TRUE(IsChecked(ID_TOOL_MOVE_SELECTION));
  EXPECT_EQ(App().GetToolCursor().shape(), Qt::BitmapCursor);
  Trigger(ID_TOOL_SELECT);
  EXPECT_EQ(App().GetToolCursor().shape(), Qt::CrossCursor);
}

TEST_F(Editor, ThePanelsAndTheZoomBarFollowTheActiveWindow) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  CTrassoDoc* first = Documents()[0];
  CTrassoDoc* second = Documents()[1];
  const auto served = [&](CTrassoDoc* doc) {
    EXPECT_EQ(Frame().m_wndSelectionBar->GetDocument(), doc);
    EXPECT_EQ(Frame().m_wndTrackBar->GetDocument(), doc);
    EXPECT_EQ(Frame().m_wndZoomBar->GetView(), doc ? FirstView(doc) : nullptr);
  };
  served(second);
  Activate(Frames(first)[0]);
  served(first);
  // The zoom of each view comes back with its window.
  FirstView(first)->SetZoom(10);
  Activate(Frames(second)[0]);
  Activate(Frames(first)[0]);
  EXPECT_EQ(Frame().m_wndZoomBar->m_wndSlider->value(), ZoomToSlider(10));
  Trigger(ID_FILE_CLOSE);
  Trigger(ID_FILE_CLOSE);
  served(nullptr);
}

TEST_F(Editor, ViewEntriesShowAndHideTheirBarsWithACheckMark) {
  ASSERT_TRUE(Start());
  const std::pair<int, QWidget*> bars[] = {
      {ID_VIEW_TOOLBAR, Frame().m_wndToolBar},           {ID_VIEW_TOOLS, Frame().m_wndToolsBar},
      {ID_VIEW_SELECTION_BAR, Frame().m_pSelectionDock}, {ID_VIEW_TRACK_BAR, Frame().m_pTrackDock},
      {ID_VIEW_STATUS_BAR, Frame().m_wndStatusBar},
  };
  for (auto [id, bar] : bars) {
    EXPECT_TRUE(IsChecked(id)) << id;
    Trigger(id);
    EXPECT_FALSE(IsChecked(id)) << id;
    for (auto [other, otherBar] : bars) EXPECT_EQ(otherBar->isHidden(), other == id) << other;
    Trigger(id);
  }
  // A panel the user closed comes back through its entry.
  Frame().m_pTrackDock->close();
  EXPECT_FALSE(IsChecked(ID_VIEW_TRACK_BAR));
  Trigger(ID_VIEW_TRACK_BAR);
  EXPECT_TRUE(Frame().m_pTrackDock->isVisible());
}

TEST_F(Editor, CompileAsksForTheOutputWarnsAndRunsTheCompilerOrShowsItsOutput) {
  const std::string track = WriteTrack("loop[2].tr");
  ASSERT_TRUE(Start({QString::fromStdString(track)}));
  ScopedEnv logEnv("FAKE_MAPFORGE_LOG", PathOf("compiler.log"));
  ScopedEnv copyEnv("FAKE_MAPFORGE_COPY", PathOf("input.txt"));
  Prompts().m_saveAnswers.push_back(PathOf("out.trk"));
  Trigger(ID_FILE_COMPILE);
  EXPECT_EQ(Prompts().m_proposedSaves, std::vector<std::string>{PathOf("loop.trk")});
  EXPECT_EQ(Prompts().m_filters[0], QStringList({"Veloria track(*.trk)", "suffix trk"}));
  // Starting positions 2 to 10 are missing: nine warnings, one at a time.
  ASSERT_EQ(Prompts().m_boxes.size(), 9u);
  EXPECT_EQ(Prompts().m_boxes[0].text, "WARNING: Starting position 2 not found");
  EXPECT_EQ(Prompts().m_boxes[8].caption, "Trasso");
  EXPECT_NE(ReadFile(PathOf("compiler.log")).find(PathOf("out.trk")), std::string::npos);
  EXPECT_NE(ReadFile(PathOf("input.txt")).find("[Initial_Position]"), std::string::npos);

  ScopedEnv exitEnv("FAKE_MAPFORGE_EXIT", "3");
  ScopedEnv noiseEnv("FAKE_MAPFORGE_NOISE", "20");
  Prompts().m_saveAnswers.push_back(PathOf("out.trk"));
  Trigger(ID_FILE_COMPILE);
  const ScriptedPrompts::Box& failure = Prompts().m_boxes.back();
  EXPECT_EQ(failure.text, "\"Unable to run compiler or compiler error\"");
  EXPECT_EQ(failure.caption, "Trasso");
  EXPECT_FALSE(failure.details.isEmpty());
}

TEST_F(Editor, TheCommandLineOpensTheNamedTrackOrFailsAfterItsMessage) {
  EXPECT_FALSE(Start({QString::fromStdString(PathOf("missing.tr"))}));
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes[0].text.contains("missing.tr"));
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso");
  Stop();

  ASSERT_TRUE(Start({QString::fromStdString(WriteTrack("loop.tr"))}));
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_EQ(Documents()[0]->GetTitle(), "loop.tr");
  EXPECT_EQ(Documents()[0]->m_polygonList.size(), 1u);
  EXPECT_FALSE(Documents()[0]->IsModified());
}

TEST_F(Editor, DroppedFilesOpen) {
  ASSERT_TRUE(Start());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(WriteTrack("dropped.tr")))});
  // A drop goes where the drag was let in.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&Frame(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&Frame(), &drop);
  Settle();
  ASSERT_EQ(Documents().size(), 2u);
  EXPECT_EQ(Documents()[1]->GetTitle(), "dropped.tr");
}
