#include "shell/session_end_watch.h"

#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

#include "platform/fatal_signals.h"

CSessionEndWatch::CSessionEndWatch(QObject* parent)
    : QObject(parent), m_pWatch(std::make_unique<CFatalSignalWatch>()) {
  if (m_pWatch->StopFd() < 0) return;
  m_pNotifier = new QSocketNotifier(m_pWatch->StopFd(), QSocketNotifier::Read, this);
  connect(m_pNotifier, &QSocketNotifier::activated, this, &CSessionEndWatch::ReadSignals);
}

CSessionEndWatch::~CSessionEndWatch() {
  delete m_pNotifier;  // before the pipe it watches closes
}

void CSessionEndWatch::ReadSignals() {
  char caught[16];
  ssize_t count = 0;
  while ((count = read(m_pWatch->StopFd(), caught, sizeof caught)) > 0) {
    for (ssize_t i = 0; i < count; ++i) {
      if (caught[i] == SIGPIPE || m_bTold) continue;
      m_bTold = true;
      emit SessionEnding(caught[i]);
    }
  }
}
