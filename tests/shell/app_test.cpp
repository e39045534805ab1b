// The editor as it starts and its commands: menus, bars, tools, the panels
// following the active window, the command line, dropped files, and F1.
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "shell/app_fixture.h"
#include "shell/child_frame.h"
#include "shell/help_document.h"
#include "shell/main_frame.h"
#include "shell/selection_attr_bar.h"
#include "shell/track_attr_bar.h"
#include "view/trasso_view.h"
#include "view/zoom_bar.h"

// Widget tests need a QApplication, on the offscreen platform unless told
// otherwise; listing the tests (as the build does) needs none.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The editor's settings file goes to a folder of the run's own, never to
  // the user's; Qt reads the variable once, so it is set before anything else.
  QTemporaryDir config;
  if (!config.isValid()) return 1;
  setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

namespace {
class Editor : public AppTest {
 protected:
  CMainFrame& Frame() { return *App().GetMainWnd(); }
  CTrassoView* FirstView(CTrassoDoc* doc) {
    auto* frame = qobject_cast<CChildFrame*>(Frames(doc).front()->widget());
    return qobject_cast<CTrassoView*>(frame->GetSplitter().GetPane(0, 0));
  }
  // The texts and command ids of the entries of a bar or of the visible
  // menus, "-" for separators.
  std::string Entries(const QList<QAction*>& actions) {
    QStringList entries;
    for (QAction* action : actions) {
      int id = 32699;
      while (++id < 60000 && Command(id) != action) continue;
      if (action->isSeparator()) {
        entries << "-";
      } else if (action->menu() && action->isVisible()) {
        entries << action->text() + ": " +
                       QString::fromStdString(Entries(action->menu()->actions()));
      } else if (action->isVisible()) {
        entries << action->text().section('\t', 0, 0) + " " + QString::number(id % 60000);
      }
    }
    return entries.join(" | ").toStdString();
  }
};

// Takes the desktop's part: records every local file the editor asks to open.
class FileOpener : public QObject {
  Q_OBJECT
 public:
  FileOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
  ~FileOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  QStringList m_opened;
 public slots:
  void Open(const QUrl& url) { m_opened.append(url.toLocalFile()); }
};
}  // namespace

TEST_F(Editor, StartsWithOneUntitledTrackTheDocumentMenusAndTheBars) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(Docs().size(), 1u);
  EXPECT_EQ(Frame().windowTitle(), "Trasso(v1.01) - Trax1[*]");
  EXPECT_EQ(Entries(Frame().menuBar()->actions()),
            "&File: &New 57600 | &Open... 57601 | &Close 57602 | &Save 57603 | Save &As... 57604 | "
            "- | Compil&e 32793 | - | &Print... 57607 | Print Pre&view 57609 | P&rint Setup... "
            "57606 | - | Recent File 57616 | - | E&xit 57665 | &Edit: &Undo 57643 | - | Cu&t 57635 "
            "| &Copy 57634 | &Paste 57637 | - | &Scale selection... 32798 | &View: &Standard "
            "Toolbar 59392 | Tools 32794 | Slection attributes 32795 | Track Attributes 32796 | "
            "&Status Bar 59393 | &Window: &New Window 57648 | &Cascade 57650 | &Tile 57651 | "
            "&Arrange Icons 57649 | S&plit 57653 | &Help: &Help 32797 | &About Trasso... 57664");
  EXPECT_EQ(Entries(Frame().m_wndToolBar->actions()),
            "&New 57600 | &Open... 57601 | &Save 57603 | - | Cu&t 57635 | &Copy 57634 | &Paste "
            "57637 | - | &Print... 57607 | &Help 32797");
  // The prompt goes to the status bar, the text after the line break is the tip.
  EXPECT_EQ(Command(ID_FILE_NEW)->statusTip() + "|" + Command(ID_FILE_NEW)->toolTip(),
            "Create a new document|New");
  EXPECT_EQ(Frame().m_wndStatusBar->GetPaneText(0), "Ready");

  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(Frame().windowTitle(), "Trasso(v1.01)");
  EXPECT_EQ(Entries(Frame().menuBar()->actions()).substr(0, 75),
            "&File: &New 57600 | &Open... 57601 | - | P&rint Setup... 57606 | - | Recent");
  for (int id :
       {ID_FILE_SAVE, ID_FILE_PRINT, ID_CUT_SELECTION, ID_WINDOW_SPLIT, ID_FILE_MRU_FILE1}) {
    EXPECT_FALSE(IsEnabled(id)) << id;
  }
}

TEST_F(Editor, CommandsAreEnabledByWhatTheyNeed) {
  ASSERT_TRUE(Start());
  TrackBuilder t(*Docs()[0]);
  TSPolygon* room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  const auto enabled = [&] {
    std::string states;
    for (int id : {ID_EDIT_SCALE_SELECTION, ID_CUT_SELECTION, ID_INSERT_NODE, ID_EDIT_UNDO,
                   ID_EDIT_COPY, ID_EDIT_PASTE, ID_TOOL_TRACE_PATH, ID_FILE_COMPILE}) {
      states += IsEnabled(id) ? '1' : '0';
    }
    return states;
  };
  EXPECT_EQ(enabled(), "00000001");
  // Every edge: only Cut; one edge (the handles at both its ends): Insert too.
  SelectWallsOnly(room);
  EXPECT_EQ(enabled(), "01000001");
  room->m_wallList[2]->m_bSelected = room->m_wallList[3]->m_bSelected = false;
  EXPECT_EQ(enabled(), "01100001");
  Trigger(ID_INSERT_NODE);
  EXPECT_EQ(room->m_wallList.size(), 5u);
  room->m_wallList[0]->m_pNode->m_bSelected = true;  // scaling needs a node
  EXPECT_EQ(enabled()[0], '1');
  SelectWallsOnly(room);
  Trigger(ID_CUT_SELECTION);
  EXPECT_TRUE(Docs()[0]->m_polygonList.empty());
}

TEST_F(Editor, AddTrackSectionIsTheFirstToolAndToolChangesReachEveryViewAndDropTheirPaths) {
  ASSERT_TRUE(Start());
  auto* button = qobject_cast<QToolButton*>(
      Frame().m_wndToolsBar->widgetForAction(Command(ID_TOOL_ADD_SECTION)));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isChecked());
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
  EXPECT_TRUE(FirstView(Docs()[0])->m_path.empty());
  Trigger(ID_TOOL_MOVE_SELECTION);
  for (CTrassoView* view : CTrassoView::s_allViews)
    EXPECT_EQ(view->m_nTool, ID_TOOL_MOVE_SELECTION);
  EXPECT_FALSE(button->isChecked());
  EXPECT_EQ(App().GetToolCursor().shape(), Qt::BitmapCursor);
  Trigger(ID_TOOL_SELECT);
  EXPECT_EQ(App().GetToolCursor().shape(), Qt::CrossCursor);
}

TEST_F(Editor, ThePanelsAndTheZoomBarFollowTheActiveWindow) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  const auto served = [&](CTrassoDoc* doc) {
    EXPECT_EQ(Frame().m_wndSelectionBar->GetDocument(), doc);
    EXPECT_EQ(Frame().m_wndTrackBar->GetDocument(), doc);
    EXPECT_EQ(Frame().m_wndZoomBar->GetView(), doc ? FirstView(doc) : nullptr);
  };
  CTrassoDoc *first = Docs()[0], *second = Docs()[1];
  served(second);
  FirstView(first)->SetZoom(10);
  Frame().GetMdiArea()->setActiveSubWindow(Frames(first)[0]);
  Settle();
  served(first);
  EXPECT_EQ(Frame().m_wndZoomBar->m_wndSlider->value(), 0);  // the zoom comes with its window
  Trigger(ID_FILE_CLOSE);
  Trigger(ID_FILE_CLOSE);
  served(nullptr);
  EXPECT_FALSE(Frame().m_wndZoomBar->m_wndSlider->isEnabled());
}

TEST_F(Editor, ViewEntriesShowAndHideTheirBarsWithACheckMark) {
  ASSERT_TRUE(Start());
  const std::pair<int, QWidget*> bars[] = {{ID_VIEW_TOOLBAR, Frame().m_wndToolBar},
                                           {ID_VIEW_TOOLS, Frame().m_wndToolsBar},
                                           {ID_VIEW_SELECTION_BAR, Frame().m_pSelectionDock},
                                           {ID_VIEW_TRACK_BAR, Frame().m_pTrackDock},
                                           {ID_VIEW_STATUS_BAR, Frame().m_wndStatusBar}};
  for (auto [id, bar] : bars) {
    Trigger(id);
    EXPECT_FALSE(IsChecked(id)) << id;
    for (auto [other, otherBar] : bars) EXPECT_EQ(otherBar->isHidden(), other == id) << other;
    Trigger(id);
    EXPECT_TRUE(IsChecked(id)) << id;
  }
  // A panel the user closed comes back through its entry.
  Frame().m_pTrackDock->close();
  EXPECT_FALSE(IsChecked(ID_VIEW_TRACK_BAR));
  Trigger(ID_VIEW_TRACK_BAR);
  EXPECT_TRUE(Frame().m_pTrackDock->isVisible());
}

TEST_F(Editor, TheCommandLineOrADropOpensTheNamedTrackOrFailsAfterItsMessage) {
  EXPECT_FALSE(Start({QString::fromStdString(PathOf("missing.tr"))}));
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes[0].text.contains("missing.tr"));
  Stop();
  ASSERT_TRUE(Start({QString::fromStdString(WriteTrack("loop.tr"))}));
  ASSERT_EQ(Docs().size(), 1u);
  EXPECT_EQ(Docs()[0]->GetTitle(), "loop.tr");
  EXPECT_EQ(Docs()[0]->m_polygonList.size(), 1u);
  EXPECT_FALSE(Docs()[0]->IsModified());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(WriteTrack("dropped.tr")))});
  // A drop goes where the drag was let in.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&Frame(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&Frame(), &drop);
  Settle();
  ASSERT_EQ(Docs().size(), 2u);
  EXPECT_EQ(Docs()[1]->GetTitle(), "dropped.tr");
}

// Help documents are looked for in Help/ beside the working folder, never
// inside it, then as the installed guide beside the program's folder; a
// folder named like one is none.
TEST_F(Editor, F1OpensTheFirstHelpDocumentFoundWithTheDesktopsViewerOrSaysThereIsNone) {
  const QDir root(m_dir.path());
  for (const char* folder : {"work", "Help/EditorHelp.doc", "share/doc/trasso/user-guide.html"})
    root.mkpath(folder);
  const QString work = root.filePath("work"), bin = root.filePath("bin");
  EXPECT_EQ(FindHelpDocuments(work, bin), QStringList());
  root.rmdir("Help/EditorHelp.doc");
  root.rmdir("share/doc/trasso/user-guide.html");
  const QString own = root.filePath("Help/EditorHelp.doc");
  const QString guide = root.filePath("share/doc/trasso/user-guide.html");
  QFile(guide).open(QIODevice::WriteOnly);
  EXPECT_EQ(FindHelpDocuments(work, bin), QStringList({guide}));
  QFile(own).open(QIODevice::WriteOnly);
  EXPECT_EQ(FindHelpDocuments(work, bin), QStringList({own, guide}));
  EXPECT_EQ(FindHelpDocuments(m_dir.path(), bin), QStringList({guide}));

  ASSERT_TRUE(Start());
  FileOpener opener;
  const QString previous = QDir::currentPath();
  for (const QString& folder : {m_dir.path(), work}) {
    ASSERT_TRUE(QDir::setCurrent(folder));
    Trigger(ID_HELP);
  }
  QDir::setCurrent(previous);
  EXPECT_EQ(opener.m_opened, QStringList({own}));
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso Help Error");
  EXPECT_EQ(Prompts().m_boxes[0].text,
            "To be able to display Trasso Help\nyou must have a Word document viewer "
            "installed\non your system\n\n");
  EXPECT_EQ(Prompts().m_boxes[0].icon, QMessageBox::Critical);
}

#include "app_test.moc"
