#include "shell/help_opener.h"

#include <QProcess>
#include <QTimer>

void CHelpOpener::Open(const QStringList& documents, std::function<void()> onFailure) {
  // An earlier attempt still running is abandoned: when it ends, OnEnded only
  // deletes it, since it is no longer m_pProcess.
  m_pProcess = nullptr;
  m_pending = documents;
  m_onFailure = std::move(onFailure);
  TryNext();
}

void CHelpOpener::TryNext() {
  if (m_pending.isEmpty()) {
    // From the event loop, so that the caller's own work is done first.
    QTimer::singleShot(0, this, [failure = m_onFailure] {
      if (failure) failure();
    });
    return;
  }
  // Parented, so that an opener still running when the editor ends (one that
  // shows the document itself) is cleaned up; the viewer it started stays.
  auto* process = new QProcess(this);
  m_pProcess = process;
  process->setStandardInputFile(QProcess::nullDevice());
  connect(process, &QProcess::finished, this, [this, process](int code, QProcess::ExitStatus how) {
    OnEnded(process, how == QProcess::NormalExit && code == 0);
  });
  connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) OnEnded(process, false);
  });
  process->start(m_strProgram, {m_pending.takeFirst()});
}

void CHelpOpener::OnEnded(QProcess* process, bool bSucceeded) {
  process->deleteLater();
  if (process != m_pProcess) return;
  m_pProcess = nullptr;
  if (bSucceeded) {
    m_pending.clear();
  } else {
    TryNext();
  }
}
