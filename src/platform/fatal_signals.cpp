#include "platform/fatal_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace {
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
volatile sig_atomic_t g_caught = 0;
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[std::size(kSignals)];
bool g_installed[std::size(kSignals)];

void Note(int signal) {
  const int savedErrno = errno;
  if (g_caught == 0) g_caught = signal;
  const auto byte = static_cast<char>(signal);
  // A full pipe is readable already, so a failed write loses nothing.
  [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
  errno = savedErrno;
}
}  // namespace

CFatalSignalWatch::CFatalSignalWatch() {
  g_caught = 0;
  if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return;
  }
  struct sigaction action = {};
  action.sa_handler = Note;
  sigfillset(&action.sa_mask);
  // No SA_RESTART: a write blocked on a full terminal or pipe returns, instead
  // of holding us until the reader wakes up.
  action.sa_flags = 0;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], nullptr, &g_previous[i]);
    g_installed[i] = g_previous[i].sa_handler != SIG_IGN;
    if (g_installed[i]) sigaction(kSignals[i], &action, nullptr);
  }
}

CFatalSignalWatch::~CFatalSignalWatch() {
  if (g_pipe[0] < 0) return;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (g_installed[i]) sigaction(kSignals[i], &g_previous[i], nullptr);
  }
  close(g_pipe[0]);
  close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
}

int CFatalSignalWatch::StopFd() const {
  return g_pipe[0];
}

int CFatalSignalWatch::Caught() const {
  return g_caught;
}

void DieOfSignal(int signal) {
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  _exit(128 + signal);  // not reached: the default handling of these signals ends us
}
