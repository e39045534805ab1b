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
QString Title(QMdiSubWindow* frame) {
  return frame->windowTitle().remove("[*]");
}
}  // namespace

TEST_F(AppTest, NewTracksAreNumberedAndSaveAsProposesTheTitle) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  ASSERT_EQ(Documents().size(), 2u);
  EXPECT_EQ(Documents()[1]->GetTitle(), "Trax2");

  const std::string path = PathOf("first.tr");
  Prompts().m_saveAnswers.push_back(path);
  Documents()[1]->AddNode(0, 0, false);
  Trigger(ID_FILE_SAVE);  // never saved, so Save asks for a name
  ASSERT_EQ(Prompts().m_proposedSaves.size(), 1u);
  EXPECT_EQ(Prompts().m_proposedSaves[0], "Trax2.tr");
  EXPECT_EQ(Prompts().m_saveFilters[0], QStringList({"Trax Files (*.tr)"}));
  EXPECT_EQ(Prompts().m_saveSuffixes[0], "tr");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
  EXPECT_EQ(Documents()[1]->GetTitle(), "first.tr");
  EXPECT_FALSE(Documents()[1]->IsModified());
  EXPECT_EQ(App().GetMainWnd()->windowTitle(), "Trasso(v1.01) - first.tr[*]");

  // Saved once, Save writes without asking.
  Documents()[1]->AddNode(1000, 0, false);
  Trigger(ID_FILE_SAVE);
  EXPECT_EQ(Prompts().m_proposedSaves.size(), 1u);
  EXPECT_FALSE(Documents()[1]->IsModified());
}

TEST_F(AppTest, UnsavedChangesShowInTheWindowTitles) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Documents()[0];
  QMdiSubWindow* frame = Frames(doc)[0];
  EXPECT_FALSE(frame->isWindowModified());
  doc->AddNode(0, 0, false);
  Settle();
  EXPECT_TRUE(frame->isWindowModified());
  EXPECT_TRUE(App().GetMainWnd()->isWindowModified());
}

TEST_F(AppTest, NewWindowsOnOneDocumentAreNumbered) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Documents()[0];
  Trigger(ID_WINDOW_NEW);
  ASSERT_EQ(Frames(doc).size(), 2u);
  EXPECT_EQ(Title(Frames(doc)[0]), "Trax1:1");
  EXPECT_EQ(Title(Frames(doc)[1]), "Trax1:2");
  EXPECT_EQ(App().GetMainWnd()->windowTitle(), "Trasso(v1.01) - Trax1:2[*]");

  // Closing one of two windows asks nothing, even with changes.
  doc->AddNode(0, 0, false);
  Frames(doc)[1]->close();
  Settle();
  ASSERT_EQ(Documents().size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes.empty());
  EXPECT_EQ(Title(Frames(doc)[0]), "Trax1");
}

TEST_F(AppTest, ClosingTheLastWindowOfAChangedTrackAsksFirst) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Documents()[0];
  doc->AddNode(0, 0, false);

  Prompts().m_boxAnswers.push_back(QMessageBox::Cancel);
  Frames(doc)[0]->close();
  Settle();
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].text, "Save changes to Trax1?");
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso");
  EXPECT_EQ(Documents().size(), 1u);

  Prompts().m_boxAnswers.push_back(QMessageBox::No);
  Frames(doc)[0]->close();
  Settle();
  EXPECT_TRUE(Documents().empty());
}

TEST_F(AppTest, YesSavesBeforeClosingAndACancelledSaveKeepsTheTrack) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Documents()[0];
  doc->AddNode(0, 0, false);

  // Yes, then Cancel in the Save As dialog: nothing is closed.
  Prompts().m_boxAnswers.push_back(QMessageBox::Yes);
  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(Documents().size(), 1u);

  const std::string path = PathOf("kept.tr");
  Prompts().m_boxAnswers.push_back(QMessageBox::Yes);
  Prompts().m_saveAnswers.push_back(path);
  Trigger(ID_FILE_CLOSE);
  EXPECT_TRUE(Documents().empty());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
}

TEST_F(AppTest, ExitStopsAtTheFirstCancel) {
  ASSERT_TRUE(Start());
  Trigger(ID_FILE_NEW);
  Trigger(ID_FILE_NEW);
  for (CTrassoDoc* doc : Documents()) doc->AddNode(0, 0, false);
  Prompts().m_boxAnswers = {QMessageBox::No, QMessageBox::Cancel};
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(Prompts().m_boxes.size(), 2u);
  EXPECT_EQ(Documents().size(), 3u);
  EXPECT_TRUE(App().GetMainWnd()->isVisible());

  Prompts().m_boxAnswers = {QMessageBox::No, QMessageBox::No, QMessageBox::No};
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(Prompts().m_boxes.size(), 5u);
  EXPECT_TRUE(Documents().empty());
  EXPECT_FALSE(App().GetMainWnd()->isVisible());
}

TEST_F(AppTest, OpenReadsTheChosenFileOnceAndActivatesItAgain) {
  ASSERT_TRUE(Start());
  const std::string path = WriteTrack("loop.tr");
  Prompts().m_openAnswers.push_back(path);
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Prompts().m_openFilters[0], QStringList({"Trax Files (*.tr)"}));
  ASSERT_EQ(Documents().size(), 2u);
  CTrassoDoc* opened = Documents()[1];
  EXPECT_EQ(opened->m_nodeList.size(), 5u);

  Activate(Frames(Documents()[0])[0]);
  Prompts().m_openAnswers.push_back(PathOf("./loop.tr"));
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Documents().size(), 2u);
  EXPECT_EQ(App().GetDocManager().GetActiveDocument(), opened);
}

TEST_F(AppTest, AFileThatFailsToLoadIsNamedAndOpensNothing) {
  ASSERT_TRUE(Start());
  const QString path = QString::fromStdString(PathOf("broken.tr"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a track at all");
  file.close();
  Prompts().m_openAnswers.push_back(path.toStdString());
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Documents().size(), 1u);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes[0].text.startsWith("Cannot open " + path + ":\n"));
  EXPECT_GT(Prompts().m_boxes[0].text.size(), path.size() + 15);
  EXPECT_TRUE(App().GetRecentFiles().GetFiles().isEmpty());
}

TEST_F(AppTest, RecentFilesSurviveARestartAndOpenAgain) {
  ASSERT_TRUE(Start());
  std::vector<std::string> paths;
  for (const char* name : {"a.tr", "b.tr", "c.tr", "d.tr", "e.tr"}) {
    paths.push_back(WriteTrack(name));
    Prompts().m_openAnswers.push_back(paths.back());
    Trigger(ID_FILE_OPEN);
  }
  Stop();

  ASSERT_TRUE(Start());
  const QStringList files = App().GetRecentFiles().GetFiles();
  ASSERT_EQ(files.size(), 4);
  EXPECT_TRUE(files[0].endsWith("/e.tr"));
  EXPECT_TRUE(files[3].endsWith("/b.tr"));
  Settle();
  EXPECT_EQ(Command(ID_FILE_MRU_FILE1)->text(), "&1 " + files[0]);
  EXPECT_TRUE(IsEnabled(ID_FILE_MRU_FILE1 + 3));

  // The settings file is the one the user's other programs would look in.
  QSettings ini(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso");
  EXPECT_TRUE(ini.fileName().endsWith("/Trasso/Trasso.ini"));
  EXPECT_EQ(ini.value("Recent File List/File1").toString(), files[0]);

  Trigger(ID_FILE_MRU_FILE1 + 2);
  ASSERT_EQ(Documents().size(), 2u);
  EXPECT_EQ(Documents()[1]->GetTitle(), "c.tr");
  EXPECT_TRUE(App().GetRecentFiles().GetFiles()[0].endsWith("/c.tr"));

  // An entry whose file is gone leaves the list after its message.
  QFile::remove(App().GetRecentFiles().GetFiles()[1]);
  Trigger(ID_FILE_MRU_FILE1 + 1);
  EXPECT_EQ(App().GetRecentFiles().GetFiles().size(), 3);
  EXPECT_EQ(Prompts().m_boxes.size(), 1u);
}

TEST_F(AppTest, AFailedSaveKeepsTheOldFileAndTheChanges) {
  const std::string path = WriteTrack("old.tr");
  ASSERT_TRUE(Start({QString::fromStdString(path)}));
  CTrassoDoc* doc = Documents()[0];
  doc->AddNode(0, 0, false);
  Prompts().m_saveAnswers.push_back(PathOf("no/such/folder/new.tr"));
  Trigger(ID_FILE_SAVE_AS);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes[0].text.startsWith("Cannot save "));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->GetTitle(), "old.tr");
}
