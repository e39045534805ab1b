// The track check panel in the editor: its counts in its title and in the
// status bar, and showing the objects of a problem chosen in its list.
#include <QDockWidget>

#include "check/track_problem.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/windows1252.h"
#include "resource_ids.h"
#include "shell/main_frame.h"
#include "shell/track_check_bar.h"
#include "shell/trasso_app.h"

namespace {
enum : int {
  IDS_TRACK_CHECK = 12945,
  IDS_TRACK_CHECK_COUNT = 12946,
  IDS_NO_PROBLEMS = 12947,
  IDS_ONE_ERROR = 12948,
  IDS_ERRORS = 12949,
  IDS_ONE_WARNING = 12976,
  IDS_WARNINGS = 12977,
};

QString Count(int count, int nOneId, int nManyId) {
  return count == 1 ? ResText(nOneId) : ResText(nManyId).arg(count);
}

// "3 errors, 1 warning", "No problems", or nothing without a document.
QString CountsText(const CTrackCheckBar& bar) {
  if (!bar.GetDocument()) return {};
  QStringList counts;
  if (bar.GetErrorCount()) counts << Count(bar.GetErrorCount(), IDS_ONE_ERROR, IDS_ERRORS);
  if (bar.GetWarningCount()) counts << Count(bar.GetWarningCount(), IDS_ONE_WARNING, IDS_WARNINGS);
  return counts.isEmpty() ? ResText(IDS_NO_PROBLEMS) : counts.join(QStringLiteral(", "));
}

// What a problem's object stands for in the selection: a polygon all its
// walls, a wall the edge it starts (itself and the wall after it), a node or
// an item the node.
void AddSelectables(const ProblemObject& object, std::vector<TSSelectable*>& selectables) {
  switch (object.type) {
    case ProblemObject::Type::kSection:
    case ProblemObject::Type::kFeature:
      for (const auto& wall : object.polygon->m_wallList) selectables.push_back(wall.get());
      break;
    case ProblemObject::Type::kWall:
      selectables.push_back(object.wall);
      if (TSAnchorWall* next = object.wall->GetNextWall()) selectables.push_back(next);
      break;
    case ProblemObject::Type::kNode:
    case ProblemObject::Type::kItem:
      selectables.push_back(object.node);
      break;
  }
}

// The node the view centres on for an object.
const TSNode* NodeOf(const ProblemObject& object) {
  switch (object.type) {
    case ProblemObject::Type::kSection:
    case ProblemObject::Type::kFeature:
      return object.polygon->m_wallList.empty() ? nullptr
                                                : object.polygon->m_wallList.front()->m_pNode;
    case ProblemObject::Type::kWall:
      return object.wall->m_pNode;
    case ProblemObject::Type::kNode:
    case ProblemObject::Type::kItem:
      return object.node;
  }
  return nullptr;
}
}  // namespace

void CTrassoApp::WireTrackCheckCommands() {
  QDockWidget* dock = m_pMainWnd->m_pTrackCheckDock;
  CTrackCheckBar* bar = m_pMainWnd->m_wndTrackCheck;
  connect(bar, &CTrackCheckBar::ProblemsChanged, this, [this, dock, bar] {
    const int count = bar->GetErrorCount() + bar->GetWarningCount();
    dock->setWindowTitle(bar->GetDocument() ? ResText(IDS_TRACK_CHECK_COUNT).arg(count)
                                            : ResText(IDS_TRACK_CHECK));
    CStatusBar& status = *m_pMainWnd->m_wndStatusBar;
    status.SetPaneText(status.CommandToIndex(ID_VIEW_TRACK_CHECK), CountsText(*bar), false);
  });
  connect(bar, &CTrackCheckBar::ProblemActivated, this, &CTrassoApp::ShowProblem);
}

void CTrassoApp::ShowProblem(CTrassoDoc& doc, const TrackProblem& problem) {
  if (problem.objects.empty()) return;
  std::vector<TSSelectable*> selectables;
  for (const ProblemObject& object : problem.objects) AddSelectables(object, selectables);
  SelectAndShow(doc, selectables, NodeOf(problem.objects.front()));
}
