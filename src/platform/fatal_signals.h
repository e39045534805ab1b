#pragma once
// The signals that end us from outside (Ctrl+C, kill, a closed terminal or
// reader), caught for as long as a CFatalSignalWatch lives, so that a run in
// progress can be stopped and whatever it made removed by the ordinary
// destructors before we die of the signal after all.
//
// The handler only notes the signal and writes a byte to a pipe, both safe in
// a handler; a waiting loop polls the pipe (RunProcess's stopFd). So no
// cleanup ever runs inside the handler, and no temporary path or process id
// has to be registered anywhere for it.

class CFatalSignalWatch {
 public:
  // One at a time. A signal ignored when the watch starts stays ignored, as
  // under nohup; when no pipe can be made, the signals keep their handling.
  CFatalSignalWatch();
  CFatalSignalWatch(const CFatalSignalWatch&) = delete;
  CFatalSignalWatch& operator=(const CFatalSignalWatch&) = delete;
  // Restores the handling found at the start.
  ~CFatalSignalWatch();

  // Readable once a signal has been caught, a byte holding the number of
  // each signal caught; -1 without a pipe.
  int StopFd() const;
  // The first signal caught, or 0.
  int Caught() const;
};

// Ends the program by `signal` with its default handling, so that the shell
// sees a death by that signal (status 128 + the number) and a script that ran
// us stops as well.
[[noreturn]] void DieOfSignal(int signal);
