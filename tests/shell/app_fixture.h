#pragma once
// The whole editor in a test: the application object started with scripted
// answers to its dialogs, in a temporary folder with its own settings file.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/track_file.h"
#include "platform/qt/command_table.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/prompts.h"
#include "shell/main_frame.h"
#include "shell/trasso_app.h"
#include "support/track_builder.h"

// Answers the dialogs from queues, an empty queue with Cancel, and records
// what was asked.
class ScriptedPrompts : public CPrompts {
 public:
  struct Box {
    QString caption, text, details;
    QMessageBox::Icon icon;
  };
  std::optional<std::string> AskOpenPath(const QStringList& filters) override {
    m_asked.push_back("open " + filters.join(";").toStdString());
    return Next(m_openAnswers);
  }
  std::optional<std::string> AskSavePath(const std::string& proposed, const QStringList& filters,
                                         const QString& suffix) override {
    m_asked.push_back("save " + proposed + " " + filters.join(";").toStdString() + " ." +
                      suffix.toStdString());
    return Next(m_saveAnswers);
  }
  QMessageBox::StandardButton MessageBox(const QString& caption, const QString& text,
                                         QMessageBox::Icon icon,
                                         QMessageBox::StandardButtons buttons,
                                         const QString& details) override {
    m_boxes.push_back({caption, text, details, icon});
    if (buttons == QMessageBox::Ok) return QMessageBox::Ok;
    return Next(m_boxAnswers).value_or(QMessageBox::Cancel);
  }

  std::deque<std::optional<std::string>> m_openAnswers, m_saveAnswers;
  std::deque<std::optional<QMessageBox::StandardButton>> m_boxAnswers;
  std::vector<std::string> m_asked;  // the file dialogs
  std::vector<Box> m_boxes;

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class AppTest : public testing::Test {
 protected:
  // Every test starts with an empty list of recent files.
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso").clear();
  }
  void TearDown() override { Stop(); }
  // Starts the editor with `arguments`, as the program's command line.
  bool Start(const QStringList& arguments = {}) {
    auto prompts = std::make_unique<ScriptedPrompts>();
    m_prompts = prompts.get();
    m_app = std::make_unique<CTrassoApp>(std::move(prompts));
    if (!m_app->InitInstance(arguments)) return false;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_app->GetMainWnd()));
    Settle();
    return true;
  }
  // Ends the editor as the program ends, keeping the settings file.
  void Stop() { m_app.reset(); }

  CTrassoApp& App() { return *m_app; }
  ScriptedPrompts& Prompts() { return *m_prompts; }
  QAction* Command(int id) const { return m_app->GetCommands().Find(id); }
  // Runs the command as a menu entry or button would, after an update pass.
  void Trigger(int id) {
    Settle();
    ASSERT_NE(Command(id), nullptr) << id;
    Command(id)->trigger();
    Settle();
  }
  // Lets posted events run, then recomputes the command states.
  void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    m_app->GetCommands().UpdateAll();
  }
  bool IsEnabled(int id) { return Settle(), Command(id)->isEnabled(); }
  bool IsChecked(int id) { return Settle(), Command(id)->isChecked(); }

  std::vector<CTrassoDoc*> Docs() const {
    std::vector<CTrassoDoc*> docs;
    for (CDocument* doc : m_app->GetDocManager().GetDocuments()) {
      docs.push_back(static_cast<CTrassoDoc*>(doc));
    }
    return docs;
  }
  std::vector<QMdiSubWindow*> Frames(CTrassoDoc* doc) const {
    return m_app->GetDocManager().GetFrames(*doc);
  }
  // A path in the test's own folder, and a small track (one section, one
  // starting position) written there.
  std::string PathOf(const std::string& name) const {
    return (m_dir.path() + "/").toStdString() + name;
  }
  std::string WriteTrack(const std::string& name) const {
    CTrassoDoc doc;
    TrackBuilder t(doc);
    t.Section({t.Node(0, 0), t.Node(0, 20000), t.Node(20000, 20000), t.Node(20000, 0)});
    t.Item(10000, 10000, 0);
    SaveTrackFile(doc, PathOf(name));
    return PathOf(name);
  }

  QTemporaryDir m_dir;
  ScriptedPrompts* m_prompts = nullptr;
  std::unique_ptr<CTrassoApp> m_app;
};
