// The track check panel in the whole editor: its counts, its rows, showing a
// problem's objects, its fix and undo, and following the active track.
#include <QDockWidget>
#include <QMdiArea>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "app_fixture.h"
#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "shell/track_check_bar.h"
#include "support/track_generator.h"
#include "view/trasso_view.h"

namespace {
struct TrackCheck : AppTest {
  // A square section holding the ten starting positions, the finish line and
  // both checkpoints (nodes 5 to 17), which has no problem; then the panel.
  void StartOnCleanTrack() {
    ASSERT_TRUE(Start());
    m_doc = Docs()[0];
    TrackBuilder t(*m_doc);
    m_room = t.Section({t.Node(0, 0), t.Node(0, 20000), t.Node(20000, 20000), t.Node(20000, 0)});
    for (int row = 0; row < 13; ++row) m_items.push_back(t.Item(1000 + row * 1000, 10000, row));
    t.Settle();
    Trigger(ID_VIEW_TRACK_CHECK);
    ASSERT_EQ(StatusSoon("No problems"), "No problems");
  }
  // Another starting position 1 (node 18) and a node of no use (node 19).
  void AddTwoWarnings() {
    TrackBuilder t(*m_doc);
    m_extraStart = t.Item(15000, 15000, 0);
    m_free = t.Node(100000, 90000);
  }

  CMainFrame& Frame() { return *App().GetMainWnd(); }
  CTrackCheckBar& Bar() { return *Frame().m_wndTrackCheck; }
  QTreeWidget& List() { return *Bar().findChild<QTreeWidget*>(); }
  std::string Title() { return Frame().m_pTrackCheckDock->windowTitle().toStdString(); }
  std::string Status() {
    const CStatusBar& bar = *Frame().m_wndStatusBar;
    return bar.GetPaneText(bar.CommandToIndex(ID_VIEW_TRACK_CHECK)).toStdString();
  }
  // The status pane once it says `text`, or when the wait is over.
  std::string StatusSoon(const std::string& text) {
    return QTest::qWaitFor([&] { return Status() == text; }) ? text : Status();
  }
  std::string Row(int row) {
    const QTreeWidgetItem* item = List().topLevelItem(row);
    return item ? (item->text(0) + " | " + item->text(1) + " | " + item->text(2)).toStdString()
                : std::string();
  }
  void DoubleClick(int row) {
    QTreeWidgetItem* item = List().topLevelItem(row);
    ASSERT_NE(item, nullptr) << row;
    List().scrollToItem(item);
    const QRect rect = List().visualItemRect(item);
    ASSERT_TRUE(List().viewport()->rect().contains(rect.center())) << row;
    // As the platform sends it: a click, then the second press as a double click.
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseRelease(List().viewport(), Qt::LeftButton, {}, rect.center());
  }
  // The selected nodes and walls, described by their anchor nodes' positions.
  std::vector<std::string> Selected() {
    std::vector<std::string> selected;
    auto at = [](const TSNode* n) { return std::to_string(n->m_x) + "," + std::to_string(n->m_y); };
    for (const auto& node : m_doc->m_nodeList)
      if (node->m_bSelected) selected.push_back("node " + at(node.get()));
    for (const auto& polygon : m_doc->m_polygonList)
      for (const auto& wall : polygon->m_wallList)
        if (wall->m_bSelected) selected.push_back("wall " + at(wall->m_pNode));
    return selected;
  }

  CTrassoDoc* m_doc = nullptr;
  TSPolygon* m_room = nullptr;
  std::vector<TSItem*> m_items;
  TSItem* m_extraStart = nullptr;
  TSNode* m_free = nullptr;
};

TEST_F(TrackCheck, CountsShowInTheTitleAndStatusBarAfterEditsAndFollowTheActiveTrack) {
  StartOnCleanTrack();
  EXPECT_TRUE(IsChecked(ID_VIEW_TRACK_CHECK));
  EXPECT_EQ(Title(), "Track check (0)");
  // The two panels share the bottom as tabs; the one shown last is in front.
  const auto inFront = [&](QDockWidget* dock) { return !dock->visibleRegion().isEmpty(); };
  Trigger(ID_VIEW_COMPILE_OUTPUT);
  EXPECT_EQ(Frame().tabifiedDockWidgets(Frame().m_pTrackCheckDock),
            QList<QDockWidget*>{Frame().m_pCompileDock});
  EXPECT_TRUE(inFront(Frame().m_pCompileDock) && !inFront(Frame().m_pTrackCheckDock));
  Trigger(ID_VIEW_TRACK_CHECK);
  EXPECT_FALSE(IsChecked(ID_VIEW_TRACK_CHECK));
  Trigger(ID_VIEW_TRACK_CHECK);
  EXPECT_TRUE(!inFront(Frame().m_pCompileDock) && inFront(Frame().m_pTrackCheckDock));

  AddTwoWarnings();
  EXPECT_EQ(Bar().GetWarningCount(), 0);  // checked from the event loop, not in the change
  EXPECT_EQ(StatusSoon("2 warnings"), "2 warnings");
  EXPECT_EQ(Title(), "Track check (2)");
  EXPECT_EQ(Row(0),
            "warning | Starting Position 1 is placed 2 times; only the first is used | "
            "Starting Position 1 on node 5, Starting Position 1 on node 18");
  EXPECT_EQ(Row(1), "warning | Node is used by no outline and holds no item | node 19");
  // A moved node is checked again: the first start leaves the track.
  m_items[0]->m_pNode->m_bSelected = 1;
  m_doc->MoveSelectedNodes(-30000, 0);
  EXPECT_EQ(StatusSoon("3 warnings"), "3 warnings");

  List().setCurrentItem(List().topLevelItem(1));
  Trigger(ID_FILE_NEW);  // an empty track lacks all: 3 errors, ten starts missing
  EXPECT_EQ(StatusSoon("3 errors, 10 warnings"), "3 errors, 10 warnings");
  EXPECT_EQ(Title(), "Track check (13)");
  EXPECT_EQ(List().currentItem(), nullptr);  // no row of the other track stays current
  EXPECT_EQ(Row(0), "warning | WARNING: Starting position 1 not found | ");
  Frame().GetMdiArea()->setActiveSubWindow(Frames(m_doc)[0]);
  EXPECT_EQ(StatusSoon("3 warnings"), "3 warnings");

  // Closing a track whose check is still to come leaves nothing behind.
  m_free->m_bSelected = 1;
  m_doc->MoveSelectedNodes(1000, 0);
  Prompts().m_boxAnswers = {QMessageBox::No};
  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(StatusSoon("3 errors, 10 warnings"), "3 errors, 10 warnings");
  Prompts().m_boxAnswers = {QMessageBox::No};
  Trigger(ID_FILE_CLOSE);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Title() == "Track check"; }));
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(List().topLevelItemCount(), 0);
}

TEST_F(TrackCheck, ActivatingARowSelectsItsObjectsAndCentresTheViewOnTheFirst) {
  StartOnCleanTrack();
  AddTwoWarnings();
  TrackBuilder t(*m_doc);
  // A feature off the track (polygon 2) and a section with a wall of length zero (polygon 3).
  t.Feature({t.Node(60000, 0), t.Node(60000, 5000), t.Node(65000, 5000)});
  t.Section({t.Node(0, 30000), t.Node(0, 40000), t.Node(0, 40000), t.Node(10000, 40000),
             t.Node(10000, 30000)});
  EXPECT_EQ(StatusSoon("1 error, 3 warnings"), "1 error, 3 warnings");
  ASSERT_EQ(Row(1), "error | Wall has length zero | wall 1 of section 3");

  DoubleClick(1);  // the edge: the zero wall and the wall after it
  EXPECT_EQ(Selected(), (std::vector<std::string>{"wall 0,40000", "wall 0,40000"}));
  DoubleClick(2);  // a feature: all its walls
  EXPECT_EQ(Selected(),
            (std::vector<std::string>{"wall 60000,0", "wall 60000,5000", "wall 65000,5000"}));
  List().setCurrentItem(List().topLevelItem(3));
  QTest::keyClick(&List(), Qt::Key_Return);  // Enter too; a node, in the middle of the view
  EXPECT_EQ(Selected(), std::vector<std::string>{"node 100000,90000"});
  CTrassoView& view = *App().GetActiveView();
  const WorldPoint centre = view.LogicalToWorld(view.GetClientDC().DPtoLP(view.rect().center()));
  EXPECT_NEAR(centre.x, 100000, 500);
  EXPECT_NEAR(centre.y, 90000, 500);

  // A stale row acts on the track as it is now, if it still says the same.
  m_doc->ClearSelection(false);
  m_free->m_bSelected = 1;
  m_doc->MoveSelectedNodes(1000, 0);
  m_doc->ClearSelection(false);
  DoubleClick(3);
  EXPECT_EQ(Selected(), std::vector<std::string>{"node 101000,90000"});
  m_doc->ClearSelection(false);
  m_doc->Select(*m_extraStart->m_pNode);
  m_doc->DeleteSelection();  // the rows move up: row 2 is now the unused node
  DoubleClick(2);
  EXPECT_EQ(Selected(), std::vector<std::string>{});
  EXPECT_EQ(Row(2), "warning | Node is used by no outline and holds no item | node 18");
}

TEST_F(TrackCheck, FixIsOneStepThatUndoTakesBackAndOnlyRowsWithAFixOfferIt) {
  StartOnCleanTrack();
  AddTwoWarnings();
  TrackBuilder t(*m_doc);
  t.Feature({t.Node(60000, 0), t.Node(60000, 5000), t.Node(65000, 5000)});
  EXPECT_EQ(StatusSoon("3 warnings"), "3 warnings");
  auto* fix = Bar().findChild<QToolButton*>();
  const auto holds = [&](const TSNode* node) {
    return std::ranges::any_of(m_doc->m_nodeList, [&](const auto& n) { return n.get() == node; });
  };
  List().setCurrentItem(List().topLevelItem(1));  // a feature off the track: nothing to fix
  EXPECT_FALSE(fix->isEnabled());
  List().setCurrentItem(List().topLevelItem(2));  // the unused node
  ASSERT_TRUE(fix->isEnabled());
  ASSERT_EQ(List().actions().size(), 1);  // the same fix in the row's context menu
  EXPECT_TRUE(List().actions()[0]->isEnabled());
  QTest::mouseClick(fix, Qt::LeftButton);
  EXPECT_FALSE(holds(m_free));
  EXPECT_EQ(Status(), "2 warnings");  // at once
  Settle();
  EXPECT_EQ(Command(ID_EDIT_UNDO)->text(), "&Undo Delete unused node\tCtrl+Z");
  Trigger(ID_EDIT_UNDO);
  EXPECT_TRUE(holds(m_free));
  EXPECT_EQ(StatusSoon("3 warnings"), "3 warnings");

  List().setCurrentItem(List().topLevelItem(0));  // the repeated start: the repeat goes
  QTest::mouseClick(fix, Qt::LeftButton);
  EXPECT_FALSE(holds(m_extraStart->m_pNode));
  EXPECT_TRUE(holds(m_items[0]->m_pNode));
  EXPECT_EQ(Row(0), "warning | Feature lies in no section; the compile leaves it out | feature 2");
  EXPECT_EQ(Row(1), "warning | Node is used by no outline and holds no item | node 18");
  EXPECT_EQ(List().currentItem(), List().topLevelItem(0));  // the next problem, in its place
  Trigger(ID_EDIT_UNDO);
  EXPECT_TRUE(holds(m_extraStart->m_pNode));
  EXPECT_EQ(StatusSoon("3 warnings"), "3 warnings");
}
}  // namespace

TEST_F(TrackCheck, AVeryLongListStopsAfterAThousandRowsButCountsEveryProblem) {
  StartOnCleanTrack();
  TrackBuilder t(*m_doc);
  for (int i = 0; i < 1002; ++i) t.Node(100000 + i * 1000, 0);
  EXPECT_EQ(StatusSoon("1002 warnings"), "1002 warnings");
  EXPECT_EQ(Title(), "Track check (1002)");
  ASSERT_EQ(List().topLevelItemCount(), 1001);
  EXPECT_EQ(Row(999), "warning | Node is used by no outline and holds no item | node 1017");
  EXPECT_EQ(Row(1000), " | \xE2\x80\xA6 and 2 more | ");
  EXPECT_FALSE(Bar().findChild<QToolButton*>()->isEnabled());
}

// A large track's first check waits for a pause, so that its window paints
// first; the check still comes.
TEST_F(TrackCheck, ALargeTrackOpenedIsCheckedAfterAPause) {
  StartOnCleanTrack();
  auto large = GenerateGridTrack(101);
  TrackBuilder(*large).Node(-90000, -90000);
  SaveTrackFile(*large, PathOf("large.tr"));
  Prompts().m_openAnswers = {PathOf("large.tr")};
  Trigger(ID_FILE_OPEN);
  ASSERT_EQ(Docs().size(), 2u);
  EXPECT_EQ(StatusSoon("1 warning"), "1 warning");
  EXPECT_EQ(Row(0), "warning | Node is used by no outline and holds no item | node 14507");
}
