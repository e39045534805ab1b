#include "view/startup_timing.h"

#include <unistd.h>

#include <QLoggingCategory>
#include <ctime>

#include "platform/process_identity.h"

namespace {
Q_LOGGING_CATEGORY(lcTiming, "trasso.timing", QtInfoMsg)

// From the process's start, to the clock tick the system counts it in.
long long MillisecondsSinceStart() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  const unsigned long long started = CurrentProcess().startTicks;
  if (ticksPerSecond <= 0 || started == 0) return -1;
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000 -
         static_cast<long long>(started * 1000 / static_cast<unsigned long long>(ticksPerSecond));
}
}  // namespace

void NoteTrackPainted() {
  static bool s_bPainted = false;
  if (s_bPainted || !lcTiming().isDebugEnabled()) return;
  s_bPainted = true;
  qCDebug(lcTiming, "first track painted %lld ms after the start", MillisecondsSinceStart());
}
