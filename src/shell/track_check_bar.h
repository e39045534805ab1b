#pragma once
// The "Track check" panel: the problems of the active track, one a row with
// its severity, its text and the objects it names, kept current while the
// track is edited. A row double-clicked (or Enter) asks to show its objects;
// the Fix button and the row's context menu carry out its safe fix.
//
// The panel checks only the document of the active view, with a checker of
// its own that it drops when the view lets go, so no checker outlives its
// document. Changes are checked again from the event loop, at most about
// four times a second, never inside the change notification itself.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "check/track_problem.h"
#include "view/panel_document_link.h"
#include "view/view_services.h"

class CTrackChecker;
class QAction;
class QTreeWidget;

class CTrackCheckBar : public QWidget, public CDocumentPanel {
  Q_OBJECT

 public:
  explicit CTrackCheckBar(QWidget* parent = nullptr);
  ~CTrackCheckBar() override;

  // Checks `doc` (not owned) until DetachDocument; the list follows soon.
  void AttachDocument(CTrassoDoc* doc) override;
  void DetachDocument(CTrassoDoc* doc) override;
  // Checks the track now where it changed, and lists its problems.
  void UpdateFromDocument() override;

  CTrassoDoc* GetDocument() const { return m_pDocument; }
  // What the list shows.
  int GetErrorCount() const { return m_nErrors; }
  int GetWarningCount() const { return m_nWarnings; }

 signals:
  // The list was filled again: another document, or other problems.
  void ProblemsChanged();
  // A row was activated. `problem` comes from a check made since the track's
  // last change; its objects are valid until the track changes again.
  void ProblemActivated(CTrassoDoc& doc, const TrackProblem& problem);

 private:
  // Schedules UpdateFromDocument: at once for another document, else no
  // sooner than the shortest pause after the last one; a slow whole check
  // waits until the editing pauses.
  void ScheduleUpdate(bool bNow);
  void ShowProblems(const std::vector<TrackProblem>& problems);
  // The problem of `row` from an up-to-date check, or null when the track
  // changed since the list was filled and the row no longer says the same.
  const TrackProblem* FreshProblem(int row);
  // Carries out the fix of the current row, if it has one, as one step.
  void OnFix();
  void UpdateFixEnabled();

  QTreeWidget* m_pList;
  QAction* m_pFixAction;
  CTrassoDoc* m_pDocument = nullptr;
  std::unique_ptr<CTrackChecker> m_pChecker;
  // Each row's problem on one line, as FormatProblem writes it.
  std::vector<std::string> m_lines;
  // The document the rows come from, or null; compared, never followed.
  const CTrassoDoc* m_pListed = nullptr;
  int m_nErrors = 0;
  int m_nWarnings = 0;
  QTimer m_updateTimer;
  QElapsedTimer m_sinceUpdate;
  qint64 m_nWholeCheckMs = 0;  // how long the last whole check took
  // Learns of the changes that can change the problems; a change of the
  // selection alone cannot.
  CPanelDocumentLink m_link{
      this,
      TrackChange::kMoved | TrackChange::kAdded | TrackChange::kRemoved | TrackChange::kAttributes,
      [this] { ScheduleUpdate(false); }};
};
