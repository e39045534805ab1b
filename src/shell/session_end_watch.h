#pragma once
// Turns the signals that end a session (SIGTERM at logout or from kill,
// SIGHUP when the terminal goes, SIGINT from Ctrl+C in it) into a Qt signal on
// the GUI thread, where the editor can still write its work away. A closed
// pipe on our output (SIGPIPE) is no reason to end an editor, and is dropped.

#include <QObject>
#include <memory>

class CFatalSignalWatch;
class QSocketNotifier;

class CSessionEndWatch : public QObject {
  Q_OBJECT

 public:
  explicit CSessionEndWatch(QObject* parent = nullptr);
  ~CSessionEndWatch() override;

 signals:
  // Told once, for the first such signal.
  void SessionEnding(int signal);

 private:
  void ReadSignals();

  std::unique_ptr<CFatalSignalWatch> m_pWatch;
  QSocketNotifier* m_pNotifier = nullptr;  // a child
  bool m_bTold = false;
};
