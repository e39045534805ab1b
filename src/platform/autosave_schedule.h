#pragma once
// When the recovery file of one document is due. A file is written once the
// editing pauses for kQuietTime, and at least every kLongestWait while changes
// keep coming, so that a long burst of editing is never all at risk; nothing
// is written while the document holds what was last written or saved.
//
// Times come from the caller, so the rules can be tried with a fake clock.

#include <chrono>
#include <cstdint>
#include <optional>

class CAutosaveSchedule {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kQuietTime = std::chrono::seconds(2);
  static constexpr Clock::duration kLongestWait = std::chrono::seconds(30);

  // `revision` names the document's state at `now`. A revision that is not
  // modified needs no file; any other revision needs one, unless it is the
  // one last written.
  explicit CAutosaveSchedule(std::uint64_t revision) : m_seen(revision), m_written(revision) {}

  // Tells the document's state at `now`; a state seen before changes nothing.
  void Observe(std::uint64_t revision, bool modified, Clock::time_point now);
  // When the state seen last should be written; none when it needs no file.
  std::optional<Clock::time_point> Due() const;
  // The state seen last is being written.
  void Written();
  // The file was removed: whatever it held is gone.
  void Removed() { m_written = kNothing; }
  // Whether the state seen last needs no file, so one written before is stale.
  bool IsClean() const { return !m_modified; }

 private:
  static constexpr std::uint64_t kNothing = ~std::uint64_t{0};

  std::uint64_t m_seen;
  std::uint64_t m_written;
  bool m_modified = false;
  Clock::time_point m_firstChange{};  // of the changes not yet written
  Clock::time_point m_lastChange{};
};
