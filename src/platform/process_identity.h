#pragma once
// Who wrote a file of ours, and whether that process still runs. A process id
// alone may be taken by another program once its owner died, so the owner's
// start time is kept with the id and compared where the system tells it.

struct ProcessIdentity {
  long pid = 0;
  // Clock ticks from boot to the process's start; 0 when unknown.
  unsigned long long startTicks = 0;
};

// This process.
ProcessIdentity CurrentProcess();
// The start time of process `pid`, or 0 when it does not run or cannot be read.
unsigned long long ProcessStartTicks(long pid);
// Whether the process that `owner` names still runs. A process we may not
// signal still runs; one whose start time differs is another program.
bool IsRunning(const ProcessIdentity& owner);
