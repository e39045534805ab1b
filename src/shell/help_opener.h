#pragma once
// Opens help documents with the desktop's opener (xdg-open) and watches how it
// ends: the opener reports failure only through its exit status, so a document
// it could not show is followed by the next one, and the caller hears when
// none could be shown.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QProcess;

class CHelpOpener : public QObject {
  Q_OBJECT

 public:
  explicit CHelpOpener(QObject* parent = nullptr) : QObject(parent) {}

  // The program that opens a document given as its only argument.
  void SetProgram(const QString& program) { m_strProgram = program; }

  // Tries `documents` in order without waiting for any of them; `onFailure`
  // runs, from the event loop, once every one has failed (at once when there
  // are none). A new call abandons the attempts of the previous one.
  void Open(const QStringList& documents, std::function<void()> onFailure);

 private:
  void TryNext();
  void OnEnded(QProcess* process, bool bSucceeded);

  QString m_strProgram = QStringLiteral("xdg-open");
  QStringList m_pending;
  std::function<void()> m_onFailure;
  QProcess* m_pProcess = nullptr;
};
