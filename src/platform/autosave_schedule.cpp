#include "platform/autosave_schedule.h"

#include <algorithm>

void CAutosaveSchedule::Observe(std::uint64_t revision, bool modified, Clock::time_point now) {
  const bool pending = m_modified && m_seen != m_written;
  m_modified = modified;
  if (revision == m_seen) return;
  m_seen = revision;
  m_lastChange = now;
  if (!pending) m_firstChange = now;
}

std::optional<CAutosaveSchedule::Clock::time_point> CAutosaveSchedule::Due() const {
  if (!m_modified || m_seen == m_written) return std::nullopt;
  return std::min(m_lastChange + kQuietTime, m_firstChange + kLongestWait);
}

void CAutosaveSchedule::Written() {
  m_written = m_seen;
}
