// trasso: the track editor. Qt takes its own options from the command line;
// what is left is handed to the application object.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform/fatal_signals.h"
#include "shell/session_end_watch.h"
#include "shell/trasso_app.h"

namespace {
constexpr const char* kUsage =
    "usage: trasso [TRACK.tr]     edit a track (a new one without a file name)\n"
    "       trasso --help | --version\n";

// Answered before Qt starts, so that they work without a display.
bool AnswerInformationRequest(int argc, char** argv, int& status) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
  } else if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("trasso %s\n", TRASSO_VERSION);
  } else {
    return false;
  }
  // Output that cannot be written is a failure, as in every other command.
  status = std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (int status = 0; AnswerInformationRequest(argc, argv, status)) return status;
  // Beyond a file-size limit a save or a compile fails with a message and
  // cleans up, instead of the editor being killed with the work unsaved.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication qapp(argc, argv);
  int endSignal = 0;
  int status = 0;
  {
    CTrassoApp app;
    // A session that goes away (logout, kill, a closed terminal, Ctrl+C) ends
    // the editor without questions, its unsaved work kept in recovery files.
    CSessionEndWatch watch;
    QObject::connect(&watch, &CSessionEndWatch::SessionEnding, &app, [&](int signal) {
      endSignal = signal;
      app.EndSession();
    });
    if (!app.InitInstance(qapp.arguments().mid(1))) return 1;
    if (!app.IsSessionEnded()) status = qapp.exec();
  }
  // Dies of the signal after all, so that whoever sent it sees it worked.
  if (endSignal != 0) DieOfSignal(endSignal);
  return status;
}
