// The states of the commands, the panels following the active window, the
// View entries, and Compile through a stand-in compiler.
#include <QDockWidget>
#include <QMdiSubWindow>
#include <QSlider>
#include <QToolBar>
#include <cstdlib>

#include "model/trasso_doc.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/qt/doc_manager.h"
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

TEST_F(AppTest, CommandsWithoutBehaviourStayDisabled) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Documents()[0];
  TrackBuilder t(*doc);
  Select(t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)}));
  for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_TOOL_TRACE_PATH}) {
    EXPECT_FALSE(IsEnabled(id)) << id;
  }
  for (int id : {ID_FILE_NEW, ID_FILE_SAVE, ID_FILE_COMPILE, ID_FILE_PRINT, ID_WINDOW_SPLIT,
                 ID_TOOL_SELECT, ID_HELP, ID_VIEW_TOOLS}) {
    EXPECT_TRUE(IsEnabled(id)) << id;
  }
}

TEST_F(AppTest, ScaleSelectionNeedsASelectedNode) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Documents()[0];
  TrackBuilder t(*doc);
  TSPolygon* room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  EXPECT_FALSE(IsEnabled(ID_EDIT_SCALE_SELECTION));
  SelectWallsOnly(room);
  EXPECT_FALSE(IsEnabled(ID_EDIT_SCALE_SELECTION));
  room->m_wallList[0]->m_pNode->m_bSelected = true;
  EXPECT_TRUE(IsEnabled(ID_EDIT_SCALE_SELECTION));
}

TEST_F(AppTest, ThePanelsAndTheZoomBarFollowTheActiveWindow) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  CMainFrame& frame = *App().GetMainWnd();
  CTrassoDoc* first = Documents()[0];
  CTrassoDoc* second = Documents()[1];
  EXPECT_EQ(frame.m_wndSelectionBar->GetDocument(), second);
  EXPECT_EQ(frame.m_wndTrackBar->GetDocument(), second);
  EXPECT_EQ(frame.m_wndZoomBar->GetView(), FirstView(second));

  Activate(Frames(first)[0]);
  EXPECT_EQ(frame.m_wndSelectionBar->GetDocument(), first);
  EXPECT_EQ(frame.m_wndTrackBar->GetDocument(), first);
  EXPECT_EQ(frame.m_wndZoomBar->GetView(), FirstView(first));
  EXPECT_TRUE(frame.m_wndZoomBar->m_wndSlider->isEnabled());

  // The zoom of each view comes back with its window.
  FirstView(first)->SetZoom(10);
  Activate(Frames(second)[0]);
  Activate(Frames(first)[0]);
  EXPECT_EQ(frame.m_wndZoomBar->m_wndSlider->value(), ZoomToSlider(10));

  Trigger(ID_FILE_CLOSE);
  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(frame.m_wndSelectionBar->GetDocument(), nullptr);
  EXPECT_EQ(frame.m_wndTrackBar->GetDocument(), nullptr);
  EXPECT_EQ(frame.m_wndZoomBar->GetView(), nullptr);
}

TEST_F(AppTest, ViewEntriesShowAndHideTheirBarsWithACheckMark) {
  ASSERT_TRUE(Start());
  CMainFrame& frame = *App().GetMainWnd();
  const std::pair<int, QWidget*> bars[] = {
      {ID_VIEW_TOOLBAR, frame.m_wndToolBar},           {ID_VIEW_TOOLS, frame.m_wndToolsBar},
      {ID_VIEW_SELECTION_BAR, frame.m_pSelectionDock}, {ID_VIEW_TRACK_BAR, frame.m_pTrackDock},
      {ID_VIEW_STATUS_BAR, frame.m_wndStatusBar},
  };
  for (auto [id, bar] : bars) {
    EXPECT_TRUE(IsChecked(id)) << id;
    Trigger(id);
    EXPECT_FALSE(IsChecked(id)) << id;
    for (auto [other, otherBar] : bars) EXPECT_EQ(otherBar->isHidden(), other == id) << other;
    Trigger(id);
    EXPECT_TRUE(IsChecked(id)) << id;
  }
  // A panel the user closed comes back through its entry.
  frame.m_pTrackDock->close();
  EXPECT_FALSE(IsChecked(ID_VIEW_TRACK_BAR));
  Trigger(ID_VIEW_TRACK_BAR);
  EXPECT_TRUE(frame.m_pTrackDock->isVisible());
}

TEST_F(AppTest, CompileAsksForTheOutputWarnsAndRunsTheCompiler) {
  const std::string track = WriteTrack("loop[2].tr");
  ASSERT_TRUE(Start({QString::fromStdString(track)}));
  const std::string log = PathOf("compiler.log");
  const std::string input = PathOf("input.txt");
  ScopedEnv logEnv("FAKE_MAPFORGE_LOG", log);
  ScopedEnv copyEnv("FAKE_MAPFORGE_COPY", input);
  const std::string output = PathOf("out.trk");
  Prompts().m_saveAnswers.push_back(output);
  Trigger(ID_FILE_COMPILE);

  ASSERT_EQ(Prompts().m_proposedSaves.size(), 1u);
  EXPECT_EQ(Prompts().m_proposedSaves[0], PathOf("loop.trk"));
  EXPECT_EQ(Prompts().m_saveFilters[0], QStringList({"Veloria track(*.trk)"}));
  EXPECT_EQ(Prompts().m_saveSuffixes[0], "trk");
  // Starting positions 2 to 10 are missing: nine warnings, one at a time.
  ASSERT_EQ(Prompts().m_boxes.size(), 9u);
  EXPECT_EQ(Prompts().m_boxes[0].text, "WARNING: Starting position 2 not found");
  EXPECT_EQ(Prompts().m_boxes[8].caption, "Trasso");
  EXPECT_NE(ReadFile(log).find(output), std::string::npos);
  EXPECT_NE(ReadFile(input).find("[Initial_Position]"), std::string::npos);
}

TEST_F(AppTest, AFailedCompileShowsTheCompilersOutput) {
  ASSERT_TRUE(Start());
  ScopedEnv exitEnv("FAKE_MAPFORGE_EXIT", "3");
  ScopedEnv noiseEnv("FAKE_MAPFORGE_NOISE", "20");
  Prompts().m_saveAnswers.push_back(PathOf("out.trk"));
  Trigger(ID_FILE_COMPILE);
  ASSERT_FALSE(Prompts().m_boxes.empty());
  const ScriptedPrompts::Box& failure = Prompts().m_boxes.back();
  EXPECT_EQ(failure.text, "\"Unable to run compiler or compiler error\"");
  EXPECT_EQ(failure.caption, "Trasso");
  EXPECT_FALSE(failure.details.isEmpty());
}

TEST_F(AppTest, CutAndInsertNodeFollowTheSelectionOfTheActiveView) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Documents()[0];
  TrackBuilder t(*doc);
  TSPolygon* room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  EXPECT_FALSE(IsEnabled(ID_CUT_SELECTION));
  EXPECT_FALSE(IsEnabled(ID_INSERT_NODE));

  // One selected edge (the handles at both its ends): both act; all edges:
  // only Cut.
  room->m_wallList[0]->m_bSelected = true;
  room->m_wallList[1]->m_bSelected = true;
  EXPECT_TRUE(IsEnabled(ID_CUT_SELECTION));
  EXPECT_TRUE(IsEnabled(ID_INSERT_NODE));
  Trigger(ID_INSERT_NODE);
  EXPECT_EQ(room->m_wallList.size(), 5u);

  SelectWallsOnly(room);
  EXPECT_FALSE(IsEnabled(ID_INSERT_NODE));
  Trigger(ID_CUT_SELECTION);
  EXPECT_TRUE(doc->m_polygonList.empty());
  EXPECT_TRUE(doc->IsModified());
}
