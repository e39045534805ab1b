#include <QDockWidget>
#include <QFileDialog>
#include <QTimer>
#include <QToolBar>

#include "app_fixture.h"
#include "resource_ids.h"
#include "shell/child_frame.h"
#include "view/trasso_view.h"

namespace {
struct Layout : AppTest {
  CMainFrame& Frame() { return *App().GetMainWnd(); }
  void Exit() {
    Trigger(ID_APP_EXIT);
    m_app.reset();
  }
};

// Answers the next file dialog with `file`, noting the folder it opened in.
void AnswerFileDialog(const QString& file, QString& shownFolder) {
  QTimer::singleShot(0, [file, &shownFolder] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shownFolder = dialog->directory().absolutePath();
    dialog->selectFile(file);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}
}  // namespace

TEST_F(Layout, TheFirstStartKeepsTheDefaultArrangementAndTheNextRestoresTheLastOne) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(Frame().size(), QSize(1100, 760));
  EXPECT_EQ(Frame().toolBarArea(Frame().m_pZoomHolder), Qt::LeftToolBarArea);
  EXPECT_EQ(Frame().dockWidgetArea(Frame().m_pTrackDock), Qt::RightDockWidgetArea);
  EXPECT_FALSE(Frame().m_wndToolBar->isHidden());
  Frame().resize(900, 700);
  Settle();
  const QSize chosen = Frame().size();  // as far as the bars let the frame shrink
  ASSERT_NE(chosen, QSize(1100, 760));
  Frame().addToolBar(Qt::RightToolBarArea, Frame().m_pZoomHolder);
  Frame().addDockWidget(Qt::LeftDockWidgetArea, Frame().m_pTrackDock);
  Frame().m_wndToolBar->hide();
  Exit();

  ASSERT_TRUE(Start());
  EXPECT_EQ(Frame().size(), chosen);
  EXPECT_EQ(Frame().toolBarArea(Frame().m_pZoomHolder), Qt::RightToolBarArea);
  EXPECT_EQ(Frame().dockWidgetArea(Frame().m_pTrackDock), Qt::LeftDockWidgetArea);
  EXPECT_TRUE(Frame().m_wndToolBar->isHidden());
  EXPECT_TRUE(Frame().m_pCompileDock->isHidden());  // still hidden until a compile
}

TEST_F(Layout, ZoomCommandsActOnTheActivePaneAndZoomToSelectionNeedsASelectedNode) {
  ASSERT_TRUE(Start());
  CTrassoDoc& doc = *Docs()[0];
  TSNode* node = TrackBuilder(doc).Node(500000, -300000);
  TrackBuilder(doc).Node(0, 0);
  doc.UpdateAllViews(nullptr);
  EXPECT_FALSE(IsEnabled(ID_VIEW_ZOOM_SELECTION));
  EXPECT_TRUE(IsEnabled(ID_VIEW_ZOOM_FIT));
  Trigger(ID_VIEW_ZOOM_FIT);
  CTrassoView& view = *App().GetActiveView();
  const auto shown = [&](const TSNode& n) {
    return view.rect().contains(view.GetClientDC().LPtoDP(view.WorldToLogical(n.m_x, n.m_y)));
  };
  EXPECT_TRUE(shown(*node));
  const double fitted = view.GetZoom();
  Trigger(ID_VIEW_ZOOM_IN);
  EXPECT_GT(view.GetZoom(), fitted);
  Trigger(ID_VIEW_ZOOM_OUT);
  Trigger(ID_VIEW_ZOOM_OUT);
  EXPECT_LT(view.GetZoom(), fitted);
  doc.Select(*node);
  EXPECT_TRUE(IsEnabled(ID_VIEW_ZOOM_SELECTION));
  Trigger(ID_VIEW_ZOOM_SELECTION);
  EXPECT_DOUBLE_EQ(view.GetZoom(), 10);
  EXPECT_TRUE(shown(*node));
}

TEST(FolderMemory, FileDialogsOpenInTheFolderOfTheLastFileChosen) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("tracks"));
  const QString tracks = QDir(dir.path()).absoluteFilePath("tracks");
  QFile file(tracks + "/a.tr");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  QSettings settings(dir.filePath("memory.ini"), QSettings::IniFormat);
  CDialogPrompts prompts;
  prompts.SetFolderMemory(&settings);
  QString folder;
  AnswerFileDialog(tracks + "/a.tr", folder);
  EXPECT_EQ(prompts.AskOpenPath({"Trax Files (*.tr)"}), (tracks + "/a.tr").toStdString());
  AnswerFileDialog(tracks + "/b.tr", folder);
  EXPECT_EQ(prompts.AskSavePath("b.tr", {"Trax Files (*.tr)"}, "tr"),
            (tracks + "/b.tr").toStdString());
  EXPECT_EQ(folder, tracks);
}
