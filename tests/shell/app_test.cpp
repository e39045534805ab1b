// The whole editor, with scripted dialogs and its own settings: menus, tools, F1, documents.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QTextDocument>
#include <QWheelEvent>

#include "app_fixture.h"
#include "model/track_file.h"
#include "model/ts_polygon.h"
#include "platform/qt/command_table.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/prompts.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "shell/child_frame.h"
#include "shell/compile_output_bar.h"
#include "shell/help_document.h"
#include "shell/main_frame.h"
#include "shell/selection_attr_bar.h"
#include "shell/trasso_app.h"
#include "support/scratch_folder.h"
#include "support/track_builder.h"
#include "view/trasso_view.h"
#include "view/zoom_bar.h"

namespace {
struct Editor : AppTest {
  CMainFrame& Frame() { return *App().GetMainWnd(); }
  // The texts and command ids of the visible entries, "-" for separators.
  std::string Entries(const QList<QAction*>& actions) {
    QStringList entries;
    for (QAction* action : actions) {
      int id = 32699;
      while (++id < 0x10000 && Command(id) != action) continue;
      if (action->isSeparator())
        entries << "-";
      else if (action->menu() && action->isVisible())
        entries << action->text() + ": " +
                       QString::fromStdString(Entries(action->menu()->actions()));
      else if (action->isVisible())
        entries << action->text().section('\t', 0, 0) + " " + QString::number(id % 0x10000);
    }
    return entries.join(" | ").toStdString();
  }
};

TEST_F(Editor, StartsWithOneUntitledTrackTheDocumentMenusAndTheBars) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(Frame().windowTitle(), "Trasso(v1.01) - Trax1[*]");
  EXPECT_EQ(
      Entries(Frame().menuBar()->actions()),
      "&File: &New 57600 | &Open... 57601 | &Close 57602 | &Save 57603 | Save &As... 57604 | "
      "- | Compil&e 32793 | Stop compilin&g 32800 | - | &Print... 57607 | Print Pre&view 57609 | "
      "P&rint Setup... "
      "57606 | - | Recent File 57616 | - | E&xit 57665 | &Edit: &Undo 57643 | &Redo 57644 | - | "
      "Cu&t 57635 | &Copy 57634 | &Paste 57637 | Select &All 57642 | - | &Scale selection... "
      "32798 | &View: &Standard "
      "Toolbar 59392 | Tools 32794 | Slection attributes 32795 | Track Attributes 32796 | "
      "&Compile Output 32799 | &Track Check 32801 | &Status Bar 59393 | - | Zoom to &Fit 32802 | "
      "Zoom to &Selection 32803 | Zoom &In 32804 | Zoom &Out 32805 | - | &Grid 32807 | "
      "S&nap to Grid 32808 | Grid Se&ttings... 32809 | - | Item &Labels 32811 | "
      "Co&mpact Marks When Zoomed Out 32812 | &Window: "
      "&New Window 57648 | &Cascade 57650 | "
      "&Tile 57651 | "
      "&Arrange Icons 57649 | S&plit 57653 | - | &1 Trax1 65280 | &Help: &Help 32797 | "
      "&About Trasso... 57664");
  EXPECT_EQ(Frame().m_wndStatusBar->GetPaneText(0), "Ready");

  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(Frame().windowTitle(), "Trasso(v1.01)");
  for (int id : {ID_FILE_SAVE, ID_FILE_PRINT, ID_CUT_SELECTION, ID_WINDOW_SPLIT, ID_FILE_MRU_FILE1})
    EXPECT_FALSE(IsEnabled(id)) << id;
}

TEST_F(Editor, SelectionEnablesCutInsertAndScaleAndToolChangesReachEveryViewAndDropPaths) {
  ASSERT_TRUE(Start({QString::fromStdString(WriteTrack("loop.tr"))}));
  EXPECT_EQ(Docs()[0]->GetTitle(), "loop.tr");
  TSPolygon* room = Docs()[0]->m_polygonList[0].get();
  const auto enabled = [&] {
    std::string states;
    for (int id : {ID_EDIT_SCALE_SELECTION, ID_CUT_SELECTION, ID_INSERT_NODE, ID_EDIT_UNDO,
                   ID_EDIT_PASTE, ID_TOOL_TRACE_PATH})
      states += IsEnabled(id) ? '1' : '0';
    return states;
  };
  EXPECT_EQ(enabled(), "000000");
  // Every edge: only Cut; one edge, both its handles: Insert too.
  for (const auto& wall : room->m_wallList) Docs()[0]->Select(*wall);
  EXPECT_EQ(enabled(), "010000");
  room->m_wallList[2]->m_bSelected = room->m_wallList[3]->m_bSelected = false;
  EXPECT_EQ(enabled(), "011000");
  Docs()[0]->Select(*room->m_wallList[0]->m_pNode);  // scaling needs a node
  EXPECT_EQ(enabled(), "111000");
  Trigger(ID_INSERT_NODE);
  EXPECT_EQ(room->m_wallList.size(), 5u);
  Select(room);
  Trigger(ID_CUT_SELECTION);
  EXPECT_TRUE(Docs()[0]->m_polygonList.empty());
  // Add Track Section is the first tool; tool changes reach every view and drop their paths.
  Trigger(ID_FILE_NEW);
  Trigger(ID_WINDOW_NEW);
  ASSERT_EQ(CTrassoView::s_allViews.size(), 3u);
  for (CTrassoView* view : CTrassoView::s_allViews) {
    EXPECT_EQ(view->m_nTool, ID_TOOL_ADD_SECTION);
    view->m_path.push_back(view->GetDocument()->AddNode(1000, 1000, true));
  }
  Trigger(ID_TOOL_ADD_SECTION);  // chosen again: stays checked, and drops the paths
  EXPECT_TRUE(IsChecked(ID_TOOL_ADD_SECTION));
  for (CTrassoView* view : CTrassoView::s_allViews) EXPECT_TRUE(view->m_path.empty());
  for (int tool :
       {ID_TOOL_ADD_FEATURE, ID_TOOL_INSERT_OBJECT, ID_TOOL_MOVE_NODES, ID_TOOL_MOVE_SELECTION}) {
    Trigger(tool);  // a cursor of ours, its hot spot on an opaque pixel
    const QCursor cursor = App().GetToolCursor();
    EXPECT_GT(cursor.pixmap().toImage().pixelColor(cursor.hotSpot()).alpha(), 0) << tool;
  }
  for (CTrassoView* view : CTrassoView::s_allViews)
    EXPECT_EQ(view->m_nTool, ID_TOOL_MOVE_SELECTION);
  EXPECT_FALSE(IsChecked(ID_TOOL_ADD_SECTION));
  Trigger(ID_TOOL_SELECT);
  EXPECT_EQ(App().GetToolCursor().shape(), Qt::CrossCursor);
}

// Help is in Help/ beside the working folder, then the installed guide; a folder so named is none.
// The compile runs while the editor goes on; Stop ends the compiler and what it started.
TEST_F(Editor, CompileRunsInTheBackgroundAndStopEndsItAndEverythingItStarted) {
  ASSERT_TRUE(Start());
  QDir(m_dir.path()).mkdir("tmp");
  const ScopedEnv temp("TMPDIR", PathOf("tmp")), slow("FAKE_MAPFORGE_SLEEP", "30"),
      child("FAKE_MAPFORGE_CHILD", PathOf("child"));
  const auto alive = [](const std::string& pid) {
    const std::string stat = ReadFile("/proc/" + pid + "/stat");
    return !stat.empty() && stat.find(") Z ") == std::string::npos;
  };
  CCompileOutputBar& output = *Frame().m_wndCompileOutput;
  Prompts().m_saveAnswers = {PathOf("loop.trk")};
  Prompts().m_bTick = true;  // the first of the ten warnings sends the rest to the panel
  Trigger(ID_FILE_COMPILE);
  EXPECT_EQ(Prompts().m_boxes.size(), 1u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !ReadFile(PathOf("child")).empty(); }, 10000));
  EXPECT_TRUE(Frame().m_pCompileDock->isVisible() && IsEnabled(ID_FILE_STOP_COMPILE));
  EXPECT_FALSE(IsEnabled(ID_FILE_COMPILE));
  EXPECT_EQ(Frame().m_wndStatusBar->GetPaneText(0), QString::fromUtf8("Compiling loop.trk\u2026"));
  EXPECT_TRUE(output.Text().startsWith("$ ") && output.Text().contains("Starting position 10"));
  // The track check's errors come first, in the panel only.
  EXPECT_TRUE(
      output.Text().contains("\nerror: CheckPoint 2 not found\nWARNING: Starting position 1 "
                             "not found\n"));
  Prompts().m_boxAnswers = {QMessageBox::No};
  Trigger(ID_FILE_CLOSE);  // asks whether to stop the compile; No keeps the track open
  EXPECT_EQ(Prompts().m_boxes.back().text, "A compile of Trax1 is running. Stop it?");
  Trigger(ID_FILE_NEW);  // the editor goes on
  EXPECT_EQ(Docs().size(), 2u);
  QTest::keyClick(output.findChild<QPlainTextEdit*>(), Qt::Key_Escape);
  ASSERT_TRUE(QTest::qWaitFor([&] { return output.Text().endsWith("Compiling stopped"); }, 10000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !alive(ReadFile(PathOf("child"))); }, 10000));
  EXPECT_TRUE(QDir(QString::fromStdString(PathOf("tmp"))).isEmpty());

  const ScopedEnv quick("FAKE_MAPFORGE_SLEEP", "0");
  Prompts().m_saveAnswers = {PathOf("loop.trk")};
  Trigger(ID_FILE_COMPILE);
  ASSERT_TRUE(QTest::qWaitFor([&] { return output.Text().contains("Compiled "); }, 10000));
  EXPECT_TRUE(output.Text().contains("fake compiler output\nfake compiler error\nCompiled " +
                                     QString::fromStdString(PathOf("loop.trk")) + " (6 bytes)"));
}

TEST_F(Editor, DoubleClickingACompilerMessageSelectsTheObjectOfItsInputLine) {
  ASSERT_TRUE(Start());
  CTrassoDoc& doc = *Docs()[0];
  TrackBuilder t(doc);
  TSPolygon* room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
  const ScopedEnv say("FAKE_MAPFORGE_SAY_LINE", "6");  // the room's Id, after four header lines
  Prompts().m_saveAnswers = {PathOf("loop.trk")};
  Trigger(ID_FILE_COMPILE);
  auto* log = Frame().m_wndCompileOutput->findChild<QPlainTextEdit*>();
  ASSERT_TRUE(QTest::qWaitFor([&] { return log->toPlainText().contains("Compiled "); }, 10000));
  doc.ClearSelection(false);
  const QRect line = log->cursorRect(log->document()->find("look here"));
  QTest::mouseDClick(log->viewport(), Qt::LeftButton, {}, line.center());
  EXPECT_TRUE(std::ranges::all_of(room->m_wallList, [](const auto& w) { return w->m_bSelected; }));
}

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

  // The desktop's opener is a script that logs what it shows and exits with the status given.
  ASSERT_TRUE(Start());
  const QString opener = root.filePath("opener"), log = root.filePath("opened");
  auto help = [&](const QString& folder, int status) {
    QFile::remove(opener);
    QFile script(opener);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexit %2\n").arg(log).arg(status).toUtf8());
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    script.close();
    App().SetHelpOpener(status < 0 ? root.filePath("no-opener") : opener);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder));
    const std::size_t boxes = Prompts().m_boxes.size();
    Trigger(ID_HELP);
    QDir::setCurrent(previous);
    QTRY_VERIFY(Prompts().m_boxes.size() > boxes || (status == 0 && QFile::exists(log)));
    QTest::qWait(100);
  };
  help(m_dir.path(), 0);  // no document
  help(work, 0);          // shown
  help(work, 4);          // the desktop could not show it
  help(work, -1);         // no opener at all
  QFile file(log);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromLocal8Bit(file.readAll()), own + "\n" + own + "\n");
  ASSERT_EQ(Prompts().m_boxes.size(), 3u);
  EXPECT_EQ(Prompts().m_boxes[0].icon, QMessageBox::Critical);
  EXPECT_EQ(Prompts().m_boxes[0].caption + ": " + Prompts().m_boxes[0].text,
            "Trasso Help Error: To be able to display Trasso Help\nyou must have a Word document "
            "viewer installed\non your system\n\n");
}

// Tracks travel through the system clipboard under the document type, so between documents too.
TEST_F(Editor, CutCopyAndPasteGoThroughTheClipboardAndRefusedContentsChangeNothing) {
  ASSERT_TRUE(Start({QString::fromStdString(WriteTrack("loop.tr"))}));
  QCursor::setPos(Frame().menuBar()->mapToGlobal(QPoint(1, 1)));
  EXPECT_FALSE(IsEnabled(ID_EDIT_COPY) || IsEnabled(ID_EDIT_CUT) || IsEnabled(ID_EDIT_PASTE));
  Trigger(ID_EDIT_SELECT_ALL);
  Trigger(ID_EDIT_COPY);
  Trigger(ID_FILE_NEW);
  Trigger(ID_EDIT_PASTE);                     // the pointer is off the view: one unit right, down
  CTrassoView* view = App().GetActiveView();  // then over it: centred under the pointer
  const QPoint centre = view->rect().center();
  QCursor::setPos(view->mapToGlobal(centre));
  const WorldPoint world = view->LogicalToWorld(view->GetClientDC().DPtoLP(centre));
  Trigger(ID_EDIT_PASTE);
  const auto& pasted = Docs()[1]->m_nodeList;
  ASSERT_EQ(pasted.size(), 10u);
  EXPECT_EQ(std::tuple(pasted[0]->m_x, pasted[0]->m_y, pasted[7]->m_x, pasted[7]->m_y,
                       pasted[9]->m_pItem != nullptr),
            std::tuple(1000, -1000, world.x + 10000, world.y + 10000, true));
  App().GetMainWnd()->GetMdiArea()->setActiveSubWindow(Frames(Docs()[0])[0]);
  QApplication::clipboard()->clear();
  Trigger(ID_EDIT_CUT);
  Trigger(ID_EDIT_PASTE);  // what was cut comes back, once
  auto* garbage = new QMimeData;
  garbage->setData("application/x-trax-document", "not a track");
  QApplication::clipboard()->setMimeData(garbage);
  Trigger(ID_EDIT_PASTE);
  EXPECT_EQ(std::pair(Docs()[0]->m_nodeList.size(), Docs()[0]->GetHistory().UndoName()),
            std::pair(5ul, std::string("Paste")));
  EXPECT_TRUE(Frame().m_wndStatusBar->GetPaneText(0).startsWith("Cannot paste: a count of "));
  QApplication::clipboard()->clear();
}

struct Documents : AppTest {
  std::string Titles(CTrassoDoc* doc) {
    std::string titles = App().GetMainWnd()->windowTitle().toStdString();
    for (QMdiSubWindow* frame : Frames(doc)) titles += " / " + frame->windowTitle().toStdString();
    return titles;
  }
  QStringList Recent() { return App().GetRecentFiles().GetFiles(); }
};

TEST_F(Documents, NewTracksAreNumberedSaveAsksOnceAndTitlesShowTheNameAndChanges) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  CTrassoDoc* doc = Docs()[1];
  doc->AddNode(0, 0, false);
  Trigger(ID_WINDOW_NEW);
  EXPECT_EQ(Titles(doc), "Trasso(v1.01) - Trax2:2[*] / Trax2:1[*] / Trax2:2[*]");
  EXPECT_TRUE(Frames(doc)[0]->isWindowModified() && App().GetMainWnd()->isWindowModified());
  Frames(doc)[1]->close();  // one of two windows: no question
  Settle();
  EXPECT_TRUE(Prompts().m_boxes.empty());
  App().GetMainWnd()->GetMdiArea()->setActiveSubWindow(Frames(doc)[0]);
  Prompts().m_saveAnswers.push_back(PathOf("first.tr"));
  Trigger(ID_FILE_SAVE);  // never saved, so Save asks for a name
  EXPECT_EQ(Prompts().m_asked, std::vector<std::string>{"save Trax2.tr Trax Files (*.tr) .tr"});
  EXPECT_FALSE(doc->IsModified() || Frames(doc)[0]->isWindowModified() ||
               !QFile::exists(QString::fromStdString(PathOf("first.tr"))));
  EXPECT_EQ(Titles(doc), "Trasso(v1.01) - first.tr[*] / first.tr[*]");
  doc->AddNode(1000, 0, false);
  Trigger(ID_FILE_SAVE);  // saved once, Save writes without asking
  EXPECT_EQ(std::pair(Prompts().m_asked.size(), doc->IsModified()), std::pair(1ul, false));
}

TEST_F(Documents, ClosingTheLastWindowOfAChangedTrackAsksAndExitStopsAtTheFirstCancel) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  for (CTrassoDoc* doc : Docs()) doc->AddNode(0, 0, false);
  Prompts().m_boxAnswers = {QMessageBox::Cancel, QMessageBox::Yes};
  Frames(Docs()[0])[0]->close();
  Settle();
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].caption + ": " + Prompts().m_boxes[0].text,
            "Trasso: Save changes to Trax1?");
  Trigger(ID_FILE_CLOSE);  // Yes, then Cancel in the Save As dialog
  EXPECT_EQ(Docs().size(), 2u);
  Prompts().m_boxAnswers = {QMessageBox::No, QMessageBox::Cancel};
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(std::pair(Docs().size(), App().GetMainWnd()->isVisible()), std::pair(2ul, true));
  Prompts().m_boxAnswers = {QMessageBox::Yes, QMessageBox::No};
  Prompts().m_saveAnswers.push_back(PathOf("kept.tr"));
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(std::tuple(Prompts().m_boxes.size(), Docs().size(), App().GetMainWnd()->isVisible()),
            std::tuple(6ul, 0ul, false));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(PathOf("kept.tr"))));
}

TEST_F(Documents, OpenReadsAFileOnceNamesOneThatFailsAndRecentFilesSurviveARestart) {
  ASSERT_TRUE(Start());
  Prompts().m_openAnswers = {WriteTrack("loop.tr"), PathOf("./loop.tr"), PathOf("broken.tr")};
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Prompts().m_asked, std::vector<std::string>{"open Trax Files (*.tr)"});
  ASSERT_EQ(Docs().size(), 2u);
  CTrassoDoc* opened = Docs()[1];
  EXPECT_EQ(opened->m_nodeList.size(), 5u);
  App().GetMainWnd()->GetMdiArea()->setActiveSubWindow(Frames(Docs()[0])[0]);
  Trigger(ID_FILE_OPEN);  // the same file again: activated
  EXPECT_EQ(Docs().size(), 2u);
  EXPECT_EQ(App().GetDocManager().GetActiveDocument(), opened);

  QFile file(QString::fromStdString(PathOf("broken.tr")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a track at all") > 0);
  file.close();
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Docs().size(), 2u);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  const QString text = Prompts().m_boxes[0].text;
  EXPECT_TRUE(text.startsWith("Cannot open " + file.fileName() + ":\n")) << text.toStdString();
  EXPECT_GT(text.size(), file.fileName().size() + 15);                     // and why
  EXPECT_FALSE(Recent().size() != 1 || IsEnabled(ID_FILE_MRU_FILE1 + 1));  // no stale entries
  // Recent files survive a restart and open again.
  for (const char* name : {"a.tr", "b.tr", "c.tr", "d.tr", "e.tr"}) {
    Prompts().m_openAnswers.push_back(WriteTrack(name));
    Trigger(ID_FILE_OPEN);
  }
  m_app.reset();  // ends as the program ends, keeping the settings file
  ASSERT_TRUE(Start());
  const QString dir = m_dir.path() + "/";
  EXPECT_EQ(Recent(), QStringList({dir + "e.tr", dir + "d.tr", dir + "c.tr", dir + "b.tr"}));
  EXPECT_EQ(Command(ID_FILE_MRU_FILE1)->text(), "&1 " + dir + "e.tr");
  EXPECT_TRUE(IsEnabled(ID_FILE_MRU_FILE1 + 3));
  EXPECT_EQ(QSettings(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso")
                .value("Recent File List/File1"),
            dir + "e.tr");
  Trigger(ID_FILE_MRU_FILE1);  // opened again, an entry moves to the front, once
  Trigger(ID_FILE_MRU_FILE1 + 2);
  ASSERT_EQ(Docs().size(), 3u);
  EXPECT_EQ(Docs()[1]->GetTitle() + Docs()[2]->GetTitle(), "e.trc.tr");
  EXPECT_EQ(Recent(), QStringList({dir + "c.tr", dir + "e.tr", dir + "d.tr", dir + "b.tr"}));
  QFile::remove(dir + "d.tr");  // a gone file's entry leaves after its message
  Trigger(ID_FILE_MRU_FILE1 + 2);
  EXPECT_EQ(Recent(), QStringList({dir + "c.tr", dir + "e.tr", dir + "b.tr"}));
  EXPECT_EQ(Prompts().m_boxes.size(), 1u);
}

struct KeysTest : AppTest {
  void StartOnSection() {
    ASSERT_TRUE(Start());
    m_doc = Docs()[0];
    TrackBuilder t(*m_doc);
    m_room = t.Section({t.Node(0, 0), t.Node(0, 9000), t.Node(9000, 9000), t.Node(9000, 0)});
    t.Settle();
    QApplication::setActiveWindow(App().GetMainWnd());
    Settle();
  }
  CChildFrame& Child() { return *App().GetActiveChildFrame(); }
  QWidget* Focus() const { return QApplication::focusWidget(); }

  CTrassoDoc* m_doc = nullptr;
  TSPolygon* m_room = nullptr;
};

TEST_F(KeysTest, TheKeysReachTheActiveViewAfterSplitsAndFromThePanels) {
  StartOnSection();
  CSplitterWnd& splitter = Child().GetSplitter();
  splitter.DoKeyboardSplit();
  QTest::keyClick(&splitter, Qt::Key_Return);
  ASSERT_NE(splitter.GetPane(1, 1), nullptr);
  EXPECT_EQ(Focus(), Child().GetActiveView());
  splitter.DoKeyboardSplit();
  QTest::keyClick(&splitter, Qt::Key_Escape);
  CView* active = Child().GetActiveView();
  EXPECT_EQ(Focus(), active);

  auto* field = App().GetMainWnd()->m_wndSelectionBar->findChild<QLineEdit*>();
  field->setFocus();
  QTest::keyClick(field, Qt::Key_F6);
  EXPECT_NE(Focus(), active);
  EXPECT_EQ(Focus(), Child().GetActiveView());
  QTest::keyClick(App().GetMainWnd()->m_wndZoomBar, Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_EQ(Focus(), active);

  for (int i : {0, 1}) Docs()[0]->Select(*m_room->m_wallList[i]);
  for (Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::ShiftModifier, Qt::AltModifier}) {
    QTest::keyClick(Focus(), Qt::Key_Insert, modifier);
    QTest::keyClick(Focus(), Qt::Key_Delete, modifier);
  }
  EXPECT_EQ(m_room->m_wallList.size(), 4u);
  EXPECT_FALSE(m_doc->IsModified());
  QTest::keyClick(Focus(), Qt::Key_Insert);
  EXPECT_EQ(m_room->m_wallList.size(), 5u);
}

// Typing in a field is one step; the entries name it; Escape takes back a traced path's nodes.
TEST_F(KeysTest, UndoAndRedoNameTheStepTheirKeysWorkAndEscapeCancelsAPath) {
  StartOnSection();
  m_doc->SelectAll();
  Settle();
  auto* floor = App().GetMainWnd()->m_wndSelectionBar->findChild<QLineEdit*>("1006");
  floor->setFocus();
  floor->selectAll();
  QTest::keyClicks(floor, "12");
  QWidget* view = Child().GetActiveView();
  view->setFocus();
  Settle();
  EXPECT_EQ(Command(ID_EDIT_UNDO)->text(), "&Undo Floor level\tCtrl+Z");
  QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(std::tuple(m_room->m_nFloorLevel, floor->text(), m_doc->IsModified()),
            std::tuple(0, QString("0.000"), false));
  EXPECT_EQ(Command(ID_EDIT_REDO)->text(), "&Redo Floor level\tCtrl+Y");
  QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(m_room->m_nFloorLevel, 12000);

  const std::size_t nodes = m_doc->m_nodeList.size();
  Trigger(ID_TOOL_ADD_SECTION);
  for (int x : {20, 60}) QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(x, 40));
  EXPECT_EQ(m_doc->m_nodeList.size(), nodes + 2);
  QTest::keyClick(view, Qt::Key_Escape);
  EXPECT_EQ(m_doc->m_nodeList.size(), nodes);
  EXPECT_FALSE(IsEnabled(ID_EDIT_REDO));
  EXPECT_EQ(Command(ID_EDIT_UNDO)->text(), "&Undo Floor level\tCtrl+Z");
}

TEST_F(KeysTest, TheWheelChangesAListOnlyWhenItHasTheFocusAndTheSliderPagesByAFifth) {
  StartOnSection();
  SelectWallsOnly(m_room);
  m_doc->UpdateAllViews(nullptr, 0, nullptr);
  constexpr int kWallTypeList = 1001;
  auto* list =
      static_cast<QComboBox*>(GetDlgItem(App().GetMainWnd()->m_wndSelectionBar, kWallTypeList));
  auto wheel = [list] {
    const QPointF at(list->width() / 2.0, list->height() / 2.0);
    QWheelEvent event(at, list->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &event);
    return list->currentIndex();
  };
  EXPECT_EQ(wheel(), 0);
  EXPECT_FALSE(m_doc->IsModified());
  list->setFocus();
  EXPECT_EQ(wheel(), 1);
  EXPECT_EQ(m_room->m_wallList[0]->m_nWallType, 1);
  QSlider* slider = App().GetMainWnd()->m_wndZoomBar->m_wndSlider;
  slider->setValue(50);
  slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(slider->value(), 70);
}
}  // namespace

// Listing the tests, as the build does, needs no QApplication and no display.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings and recovery files go to the run's own folder, never the user's; set
  // before Qt reads them, once.
  QTemporaryDir config;
  if (!config.isValid()) return 1;
  setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  setenv("XDG_STATE_HOME", config.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
