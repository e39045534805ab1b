#include "shell/app_fixture.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTest>

#include "model/track_file.h"
#include "platform/qt/command_table.h"
#include "platform/qt/doc_manager.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "support/track_builder.h"
#include "view/trasso_view.h"

std::optional<std::string> ScriptedPrompts::AskOpenPath(const QStringList& filters) {
  m_openFilters.push_back(filters);
  if (m_openAnswers.empty()) return std::nullopt;
  auto answer = m_openAnswers.front();
  m_openAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPrompts::AskSavePath(const std::string& proposed,
                                                        const QStringList& filters,
                                                        const QString& defaultSuffix) {
  m_proposedSaves.push_back(proposed);
  m_saveFilters.push_back(filters);
  m_saveSuffixes.append(defaultSuffix);
  if (m_saveAnswers.empty()) return std::nullopt;
  auto answer = m_saveAnswers.front();
  m_saveAnswers.pop_front();
  return answer;
}

QMessageBox::StandardButton ScriptedPrompts::MessageBox(const QString& caption, const QString& text,
                                                        QMessageBox::Icon icon,
                                                        QMessageBox::StandardButtons buttons,
                                                        const QString& details) {
  m_boxes.push_back({caption, text, details, icon});
  if (buttons == QMessageBox::Ok) return QMessageBox::Ok;
  if (m_boxAnswers.empty()) return QMessageBox::Cancel;
  const auto answer = m_boxAnswers.front();
  m_boxAnswers.pop_front();
  return answer;
}

void AppTest::SetUp() {
  ASSERT_TRUE(m_dir.isValid());
  QSettings(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso").clear();
}

void AppTest::TearDown() {
  Stop();
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

void AppTest::Stop() {
  m_app.reset();
  m_prompts = nullptr;
}

QAction* AppTest::Command(int id) const {
  return m_app->GetCommands().Find(id);
}

void AppTest::Trigger(int id) {
  Settle();
  QAction* action = Command(id);
  ASSERT_NE(action, nullptr) << id;
  action->trigger();
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
  const std::string path = PathOf(name);
  SaveTrackFile(doc, path);
  return path;
}
