#include "shell/compile_runner.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

CCompileRunner::CCompileRunner(CTrassoDoc& doc, std::unique_ptr<CCompileJob> job, QObject* parent)
    : QObject(parent), m_doc(doc), m_pJob(std::move(job)) {
  m_process.setProgram(QString::fromLocal8Bit(m_pJob->m_strProgram));
  QStringList arguments;
  for (std::size_t i = 1; i < m_pJob->m_arguments.size(); ++i)
    arguments << QString::fromLocal8Bit(m_pJob->m_arguments[i]);
  m_process.setArguments(arguments);
  m_process.setWorkingDirectory(QString::fromLocal8Bit(m_pJob->m_strWorkingDir));
  // The compiler can never wait for a key, and both its streams make one log.
  m_process.setStandardInputFile(QProcess::nullDevice());
  m_process.setProcessChannelMode(QProcess::MergedChannels);
  // A group of its own: Stop reaches whatever the compiler starts, too.
  m_process.setChildProcessModifier([] { ::setpgid(0, 0); });
  connect(&m_process, &QProcess::readyReadStandardOutput, this, &CCompileRunner::ReadOutput);
  connect(&m_process, &QProcess::finished, this, &CCompileRunner::OnFinished);
  connect(&m_process, &QProcess::errorOccurred, this, &CCompileRunner::OnError);
}

CCompileRunner::~CCompileRunner() {
  if (!IsRunning()) return;
  m_process.disconnect(this);
  KillGroup();
  m_process.waitForFinished(5000);
}

void CCompileRunner::Start() {
  m_process.start();
  m_nGroup = m_process.processId();
}

void CCompileRunner::Stop() {
  if (!IsRunning() || m_bFinished) return;
  m_bStopped = true;
  KillGroup();
}

void CCompileRunner::StopAndWait() {
  Stop();
  if (IsRunning()) m_process.waitForFinished(5000);
}

void CCompileRunner::KillGroup() {
  if (m_nGroup > 0) ::kill(-static_cast<pid_t>(m_nGroup), SIGKILL);
}

void CCompileRunner::ReadOutput() {
  const QByteArray bytes = m_process.readAllStandardOutput();
  m_result.m_strOutput.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  // Only the end is kept for the failure box, as for a compile that blocks.
  if (m_result.m_strOutput.size() > kProcessOutputLimit)
    m_result.m_strOutput.erase(0, m_result.m_strOutput.size() - kProcessOutputLimit);
  m_partialLine += bytes;
  for (qsizetype end; (end = m_partialLine.indexOf('\n')) >= 0;) {
    emit OutputLine(QString::fromLocal8Bit(m_partialLine.left(end)));
    m_partialLine.remove(0, end + 1);
  }
}

void CCompileRunner::OnFinished(int exitCode, QProcess::ExitStatus status) {
  if (m_bFinished) return;
  m_bFinished = true;
  ReadOutput();
  if (!m_partialLine.isEmpty()) emit OutputLine(QString::fromLocal8Bit(m_partialLine));
  m_partialLine.clear();
  // Children the compiler left behind, still holding its output, go with it.
  KillGroup();
  m_result.m_ending = status == QProcess::NormalExit ? CProcessResult::Ending::kExited
                                                     : CProcessResult::Ending::kSignalled;
  m_result.m_nCode = exitCode;
  emit Finished();
}

void CCompileRunner::OnError(QProcess::ProcessError error) {
  if (error != QProcess::FailedToStart || m_bFinished) return;
  m_bFinished = true;
  m_result.m_ending = CProcessResult::Ending::kNotStarted;
  m_result.m_nCode = ENOENT;
  m_result.m_strOutput = m_process.errorString().toLocal8Bit().toStdString();
  emit Finished();
}
