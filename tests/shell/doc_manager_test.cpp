// New, Open, Save, Save As and Close, the question before unsaved changes are
// lost, windows and titles, and the recent files.
#include <QFile>
#include <QMdiSubWindow>
#include <QSettings>

#include "model/trasso_doc.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/recent_file_list.h"
#include "resource_ids.h"
#include "shell/app_fixture.h"
#include "shell/main_frame.h"

namespace {
class Documents : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_TRUE(Start());
  }
  QString MainTitle() { return App().GetMainWnd()->windowTitle(); }
  static QString Title(QMdiSubWindow* frame) { return frame->windowTitle().remove("[*]"); }
  // Closes a window as its close button does.
  void Close(QMdiSubWindow* frame) {
    frame->close();
    Settle();
  }
  QStringList Recent() { return App().GetRecentFiles().GetFiles(); }
};
}  // namespace

TEST_F(Documents, NewTracksAreNumberedSaveAsksOnceAndTitlesShowTheNameAndChanges) {
  Trigger(ID_FILE_NEW);
  ASSERT_EQ(AppTest::Documents().size(), 2u);
  CTrassoDoc* doc = AppTest::Documents()[1];
  EXPECT_EQ(doc->GetTitle(), "Trax2");
  EXPECT_FALSE(Frames(doc)[0]->isWindowModified());
  doc->AddNode(0, 0, false);
  Settle();
  EXPECT_TRUE(Frames(doc)[0]->isWindowModified());
  EXPECT_TRUE(App().GetMainWnd()->isWindowModified());

  Prompts().m_saveAnswers.push_back(PathOf("first.tr"));
  Trigger(ID_FILE_SAVE);  // never saved, so Save asks for a name
  EXPECT_EQ(Prompts().m_proposedSaves, std::vector<std::string>{"Trax2.tr"});
  EXPECT_EQ(Prompts().m_filters[0], QStringList({"Trax Files (*.tr)", "suffix tr"}));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(PathOf("first.tr"))));
  EXPECT_EQ(doc->GetTitle(), "first.tr");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(Frames(doc)[0]->isWindowModified());
  EXPECT_EQ(MainTitle(), "Trasso(v1.01) - first.tr[*]");
  // Saved once, Save writes without asking.
  doc->AddNode(1000, 0, false);
  Trigger(ID_FILE_SAVE);
  EXPECT_EQ(Prompts().m_proposedSaves.size(), 1u);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(Documents, WindowsOnOneTrackAreNumberedAndOnlyTheLastAsksBeforeClosing) {
  CTrassoDoc* doc = AppTest::Documents()[0];
  Trigger(ID_WINDOW_NEW);
  ASSERT_EQ(Frames(doc).size(), 2u);
  EXPECT_EQ(Title(Frames(doc)[0]), "Trax1:1");
  EXPECT_EQ(Title(Frames(doc)[1]), "Trax1:2");
  EXPECT_EQ(MainTitle(), "Trasso(v1.01) - Trax1:2[*]");
  doc->AddNode(0, 0, false);
  Close(Frames(doc)[1]);
  EXPECT_TRUE(Prompts().m_boxes.empty());
  EXPECT_EQ(Title(Frames(doc)[0]), "Trax1");

  Prompts().m_boxAnswers = {QMessageBox::Cancel};
  Close(Frames(doc)[0]);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].text, "Save changes to Trax1?");
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso");
  EXPECT_EQ(AppTest::Documents().size(), 1u);
  // Yes, then Cancel in the Save As dialog: nothing is closed.
  Prompts().m_boxAnswers = {QMessageBox::Yes};
  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(AppTest::Documents().size(), 1u);
  Prompts().m_boxAnswers = {QMessageBox::Yes};
  Prompts().m_saveAnswers.push_back(PathOf("kept.tr"));
  Trigger(ID_FILE_CLOSE);
  EXPECT_TRUE(AppTest::Documents().empty());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(PathOf("kept.tr"))));
}

TEST_F(Documents, NoClosesWithoutSavingAndExitStopsAtTheFirstCancel) {
  Trigger(ID_FILE_NEW);
  Trigger(ID_FILE_NEW);
  for (CTrassoDoc* doc : AppTest::Documents()) doc->AddNode(0, 0, false);
  Prompts().m_boxAnswers = {QMessageBox::No, QMessageBox::Cancel};
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(Prompts().m_boxes.size(), 2u);
  EXPECT_EQ(AppTest::Documents().size(), 3u);
  EXPECT_TRUE(App().GetMainWnd()->isVisible());
  Prompts().m_boxAnswers = {QMessageBox::No, QMessageBox::No, QMessageBox::No};
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(Prompts().m_boxes.size(), 5u);
  EXPECT_TRUE(AppTest::Documents().empty());
  EXPECT_FALSE(App().GetMainWnd()->isVisible());
}

TEST_F(Documents, OpenReadsTheChosenFileOnceAndActivatesItAgain) {
  Prompts().m_openAnswers = {WriteTrack("loop.tr"), PathOf("./loop.tr")};
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Prompts().m_filters[0], QStringList({"Trax Files (*.tr)"}));
  ASSERT_EQ(AppTest::Documents().size(), 2u);
  CTrassoDoc* opened = AppTest::Documents()[1];
  EXPECT_EQ(opened->m_nodeList.size(), 5u);
  Activate(Frames(AppTest::Documents()[0])[0]);
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(AppTest::Documents().size(), 2u);
  EXPECT_EQ(App().GetDocManager().GetActiveDocument(), opened);
  EXPECT_EQ(Recent().size(), 1);
}

TEST_F(Documents, FilesThatFailToLoadOrSaveAreNamedAndChangeNothing) {
  const QString path = QString::fromStdString(PathOf("broken.tr"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a track at all");
  file.close();
  Prompts().m_openAnswers.push_back(path.toStdString());
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(AppTest::Documents().size(), 1u);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes[0].text.startsWith("Cannot open " + path + ":\n"));
  EXPECT_GT(Prompts().m_boxes[0].text.size(), path.size() + 15);
  EXPECT_TRUE(Recent().isEmpty());

  CTrassoDoc* doc = AppTest::Documents()[0];
  doc->AddNode(0, 0, false);
  Prompts().m_saveAnswers.push_back(PathOf("no/such/folder/new.tr"));
  Trigger(ID_FILE_SAVE_AS);
  ASSERT_EQ(Prompts().m_boxes.size(), 2u);
  EXPECT_TRUE(Prompts().m_boxes[1].text.startsWith("Cannot save "));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->GetTitle(), "Trax1");
}

TEST_F(Documents, RecentFilesSurviveARestartAndOpenAgain) {
  for (const char* name : {"a.tr", "b.tr", "c.tr", "d.tr", "e.tr"}) {
    Prompts().m_openAnswers.push_back(WriteTrack(name));
    Trigger(ID_FILE_OPEN);
  }
  Stop();
  ASSERT_TRUE(Start());
  const QString dir = m_dir.path() + "/";
  EXPECT_EQ(Recent(), QStringList({dir + "e.tr", dir + "d.tr", dir + "c.tr", dir + "b.tr"}));
  Settle();
  EXPECT_EQ(Command(ID_FILE_MRU_FILE1)->text(), "&1 " + dir + "e.tr");
  EXPECT_TRUE(IsEnabled(ID_FILE_MRU_FILE1 + 3));
  // The settings file is the one the user's other programs would look in.
  QSettings ini(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso");
  EXPECT_TRUE(ini.fileName().endsWith("/Trasso/Trasso.ini"));
  EXPECT_EQ(ini.value("Recent File List/File1").toString(), dir + "e.tr");

  Trigger(ID_FILE_MRU_FILE1 + 2);
  ASSERT_EQ(AppTest::Documents().size(), 2u);
  EXPECT_EQ(AppTest::Documents()[1]->GetTitle(), "c.tr");
  EXPECT_EQ(Recent(), QStringList({dir + "c.tr", dir + "e.tr", dir + "d.tr", dir + "b.tr"}));
  // An entry whose file is gone leaves the list after its message.
  QFile::remove(dir + "e.tr");
  Trigger(ID_FILE_MRU_FILE1 + 1);
  EXPECT_EQ(Recent(), QStringList({dir + "c.tr", dir + "d.tr", dir + "b.tr"}));
  EXPECT_EQ(Prompts().m_boxes.size(), 1u);
}
