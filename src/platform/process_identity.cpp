#include "platform/process_identity.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>

ProcessIdentity CurrentProcess() {
  const long pid = static_cast<long>(getpid());
  return {pid, ProcessStartTicks(pid)};
}

unsigned long long ProcessStartTicks(long pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return 0;
  // The command name in parentheses may hold blanks and parentheses itself,
  // so the fields are counted from the last closing one: the state is field
  // 3, the start time field 22.
  const auto close = line.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  for (int index = 3; index < 22; ++index) {
    if (!(fields >> field)) return 0;
  }
  unsigned long long ticks = 0;
  return fields >> ticks ? ticks : 0;
}

bool IsRunning(const ProcessIdentity& owner) {
  if (owner.pid <= 0) return false;
  if (kill(static_cast<pid_t>(owner.pid), 0) != 0 && errno == ESRCH) return false;
  if (owner.startTicks == 0) return true;
  const unsigned long long ticks = ProcessStartTicks(owner.pid);
  return ticks == 0 || ticks == owner.startTicks;
}
