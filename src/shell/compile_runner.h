#pragma once
// One compile running in the background: the compiler in a process group of
// its own, so that Stop ends it and everything it started; its output line by
// line as it arrives; and the run's result once it has ended.

#include <QObject>
#include <QProcess>
#include <memory>
#include <string>

#include "compile/compile_command.h"
#include "platform/process.h"

class CTrassoDoc;

class CCompileRunner : public QObject {
  Q_OBJECT

 public:
  CCompileRunner(CTrassoDoc& doc, std::unique_ptr<CCompileJob> job, QObject* parent = nullptr);
  // Kills the compiler's group if it still runs; the job's temporary file goes.
  ~CCompileRunner() override;

  CTrassoDoc& GetDocument() const { return m_doc; }
  const CCompileJob& GetJob() const { return *m_pJob; }
  void Start();
  // Kills the compiler and everything it started; Finished follows.
  void Stop();
  // Stops and waits for the end, for a document about to close.
  void StopAndWait();
  bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }
  bool WasStopped() const { return m_bStopped; }
  // How the run ended, with the end of its output; valid after Finished.
  const CProcessResult& GetResult() const { return m_result; }

 signals:
  void OutputLine(const QString& line);
  void Finished();

 private:
  void ReadOutput();
  void OnFinished(int exitCode, QProcess::ExitStatus status);
  void OnError(QProcess::ProcessError error);
  void KillGroup();

  CTrassoDoc& m_doc;
  std::unique_ptr<CCompileJob> m_pJob;
  QProcess m_process;
  qint64 m_nGroup = 0;
  QByteArray m_partialLine;
  CProcessResult m_result;
  bool m_bStopped = false;
  bool m_bFinished = false;
};
