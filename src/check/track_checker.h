#pragma once
// The track check: every problem of a document, kept up to date as the
// document changes. After a change that only moves nodes, Update re-checks
// just the outlines and items those nodes touch; anything else (objects added
// or removed, attributes changed) checks the whole track again, in time
// linear in its size.

#include <memory>
#include <vector>

#include "check/track_problem.h"
#include "model/track_change.h"

class CTrassoDoc;

class CTrackChecker : public CTrackObserver {
 public:
  // Watches `doc` for changes until destroyed; `doc` must outlive it.
  explicit CTrackChecker(CTrassoDoc& doc);
  ~CTrackChecker();
  CTrackChecker(const CTrackChecker&) = delete;
  CTrackChecker& operator=(const CTrackChecker&) = delete;

  // Whether the document changed since the last Update.
  bool IsStale() const;
  // Whether the next Update checks the whole track rather than what moved,
  // so that a front end can wait for a pause in the editing first.
  bool NeedsWholeCheck() const;
  // Brings the problems up to date and returns them: starting positions and
  // race items first, then the race route, outlines in list order, overlaps,
  // shared edges, features, items and unused nodes. The objects they name are
  // valid until the document changes.
  const std::vector<TrackProblem>& Update();

  void OnTrackChanged(const TrackChange& change) override;

 private:
  struct State;
  CTrassoDoc& m_doc;
  std::unique_ptr<State> m_state;
};

// Checks the whole track once.
std::vector<TrackProblem> CheckTrackProblems(CTrassoDoc& doc);
