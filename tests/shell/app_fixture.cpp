#include "shell/app_fixture.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTest>
#include <cstdlib>

#include "model/track_file.h"
#include "platform/qt/command_table.h"
#include "platform/qt/doc_manager.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "support/track_builder.h"
#include "view/trasso_view.h"

// Widget tests need a QApplication; listing the tests (as the build does to
// discover them) does not, so it works without any display.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  // The editor's settings file goes to a folder of the run's own, never to
  // the user's; Qt reads the variable once, so it is set before anything else.
  QTemporaryDir config;
  if (!config.isValid()) return 1;
  setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

void AppTest::SetUp() {
  ASSERT_TRUE(m_dir.isValid());
  QSettings(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso").clear();
}

bool AppTest::Start(const QStringList& arguments) {
  auto prompts = std::make_unique<ScriptedPrompts>();
  m_prompts = prompts.get();
  m_app = std::make_unique<CTrassoApp>(std::move(prompts));
  const bool started = m_app->InitInstance(arguments);
  if (started) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_app->GetMainWnd()));
    Settle();
  }
  return started;
}

QAction* AppTest::Command(int id) const {
  return m_app->GetCommands().Find(id);
}

void AppTest::Trigger(int id) {
  Settle();
  ASSERT_NE(Command(id), nullptr) << id;
  Command(id)->trigger();
  Settle();
}

void AppTest::Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  m_app->GetCommands().UpdateAll();
}

bool AppTest::IsEnabled(int id) {
  Settle();
  return Command(id)->isEnabled();
}

bool AppTest::IsChecked(int id) {
  Settle();
  return Command(id)->isChecked();
}

std::vector<CTrassoDoc*> AppTest::Documents() const {
  std::vector<CTrassoDoc*> docs;
  for (CDocument* doc : m_app->GetDocManager().GetDocuments()) {
    docs.push_back(static_cast<CTrassoDoc*>(doc));
  }
  return docs;
}

std::vector<QMdiSubWindow*> AppTest::Frames(CTrassoDoc* doc) const {
  return m_app->GetDocManager().GetFrames(*doc);
}

CTrassoView* AppTest::FirstView(CTrassoDoc* doc) const {
  auto* frame = qobject_cast<CChildFrame*>(Frames(doc).front()->widget());
  return qobject_cast<CTrassoView*>(frame->GetSplitter().GetPane(0, 0));
}

void AppTest::Activate(QMdiSubWindow* frame) {
  m_app->GetMainWnd()->GetMdiArea()->setActiveSubWindow(frame);
  Settle();
}

std::string AppTest::PathOf(const std::string& name) const {
  return (m_dir.path() + "/").toStdString() + name;
}

std::string AppTest::WriteTrack(const std::string& name) const {
  CTrassoDoc doc;
  TrackBuilder t(doc);
  t.Section({t.Node(0, 0), t.Node(0, 20000), t.Node(20000, 20000), t.Node(20000, 0)});
  t.Item(10000, 10000, 0);
  SaveTrackFile(doc, PathOf(name));
  return PathOf(name);
}
