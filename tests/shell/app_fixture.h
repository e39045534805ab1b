#pragma once
// The whole editor for the shell tests: an application with scripted dialogs,
// its own settings and a scratch folder for track files.

#include <gtest/gtest.h>

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

// Answers dialogs from queues, Cancel once a queue is empty, and records what was asked.
struct ScriptedPrompts : CPrompts {
  struct Box {
    QString caption, text;
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
                                         const QString&) override {
    m_boxes.push_back({caption, text, icon});
    if (buttons == QMessageBox::Ok) return QMessageBox::Ok;
    return Next(m_boxAnswers).value_or(QMessageBox::Cancel);
  }

  bool MessageBoxWithCheck(const QString& caption, const QString& text, QMessageBox::Icon icon,
                           const QString&) override {
    m_boxes.push_back({caption, text, icon});
    return m_bTick;
  }

  bool m_bTick = false;  // the answer to a box with a check box
  std::deque<std::optional<std::string>> m_openAnswers, m_saveAnswers;
  std::deque<std::optional<QMessageBox::StandardButton>> m_boxAnswers;
  std::vector<std::string> m_asked;  // the file dialogs
  std::vector<Box> m_boxes;

  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    std::optional<T> answer;
    if (!answers.empty()) answer = answers.front(), answers.pop_front();
    return answer;
  }
};

struct AppTest : testing::Test {
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso").clear();
  }
  void TearDown() override { m_app.reset(); }
  bool Start(const QStringList& arguments = {}) {
    m_app =
        std::make_unique<CTrassoApp>(std::unique_ptr<CPrompts>(m_prompts = new ScriptedPrompts));
    // Never the real dialog: work left by earlier tests is offered here.
    m_app->SetRecoveryAsker([this](const std::vector<RecoveryOffer>& offers) {
      m_offered.push_back(offers);
      m_prompts->m_boxAnswers.push_back(m_confirmAnswer);
      return m_recoveryAnswer;
    });
    if (!m_app->InitInstance(arguments)) return false;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_app->GetMainWnd()));
    Settle();
    return true;
  }

  CTrassoApp& App() { return *m_app; }
  ScriptedPrompts& Prompts() { return *m_prompts; }
  QAction* Command(int id) const { return m_app->GetCommands().Find(id); }
  void Trigger(int id) {
    Settle();  // the update pass a menu or bar runs first
    ASSERT_NE(Command(id), nullptr) << id;
    Command(id)->trigger();
    Settle();
  }
  void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    m_app->GetCommands().UpdateAll();
  }
  bool IsEnabled(int id) { return Settle(), Command(id)->isEnabled(); }
  bool IsChecked(int id) { return Settle(), Command(id)->isChecked(); }

  std::vector<CTrassoDoc*> Docs() const {
    std::vector<CTrassoDoc*> docs;
    for (CDocument* doc : m_app->GetDocManager().GetDocuments())
      docs.push_back(static_cast<CTrassoDoc*>(doc));
    return docs;
  }
  auto Frames(CTrassoDoc* doc) const { return m_app->GetDocManager().GetFrames(*doc); }
  auto PathOf(const std::string& name) const { return (m_dir.path() + "/").toStdString() + name; }
  std::string WriteTrack(const std::string& name) const {
    CTrassoDoc doc;
    TrackBuilder t(doc);
    t.Section({t.Node(0, 0), t.Node(0, 20000), t.Node(20000, 20000), t.Node(20000, 0)});
    t.Item(10000, 10000, 0);
    SaveTrackFile(doc, PathOf(name));
    return PathOf(name);
  }

  QTemporaryDir m_dir;
  std::vector<std::vector<RecoveryOffer>> m_offered;  // what each start offered
  RecoveryChoice m_recoveryAnswer;                    // Later, unless a test says otherwise
  std::optional<QMessageBox::StandardButton> m_confirmAnswer;  // to the question that follows
  ScriptedPrompts* m_prompts = nullptr;
  std::unique_ptr<CTrassoApp> m_app;
};
