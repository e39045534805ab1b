#include "shell/track_check_bar.h"

#include <QAction>
#include <QHeaderView>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "check/problem_fixes.h"
#include "check/track_checker.h"
#include "model/trasso_doc.h"
#include "platform/qt/windows1252.h"

namespace {
enum : int {
  IDS_FIX = 12978,
  IDS_SEVERITY_COLUMN = 12979,
  IDS_PROBLEM_COLUMN = 12980,
  IDS_OBJECTS_COLUMN = 12981,
  IDS_MORE_PROBLEMS = 12982,
};
// The shortest pause between two checks while the track is being edited.
constexpr int kUpdatePauseMs = 250;
// A whole check that takes longer than this waits for a pause in the editing
// of about four times as long, so that it never falls between two clicks.
constexpr qint64 kQuickCheckMs = 20;
// The rows listed at most; a damaged track may hold a problem per object,
// and a list of that many rows would be filled and measured at every check.
constexpr std::size_t kMostRows = 1000;
// A track with this many polygons takes tens of milliseconds to check whole:
// when it comes to the panel, the first check waits for the shortest pause,
// so that opening it paints its window first.
constexpr std::size_t kLargeTrackPolygons = 10000;
// Where a row keeps whether its problem has a safe fix.
constexpr int kFixableRole = Qt::UserRole;

}  // namespace

CTrackCheckBar::CTrackCheckBar(QWidget* parent)
    : QWidget(parent),
      m_pList(new QTreeWidget(this)),
      m_pFixAction(new QAction(ResText(IDS_FIX), this)) {
  m_pList->setColumnCount(3);
  m_pList->setHeaderLabels(
      {ResText(IDS_SEVERITY_COLUMN), ResText(IDS_PROBLEM_COLUMN), ResText(IDS_OBJECTS_COLUMN)});
  m_pList->setRootIsDecorated(false);
  m_pList->setUniformRowHeights(true);
  m_pList->setAllColumnsShowFocus(true);
  m_pList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_pList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  m_pList->setContextMenuPolicy(Qt::ActionsContextMenu);
  m_pList->addAction(m_pFixAction);
  auto* fix = new QToolButton(this);
  fix->setDefaultAction(m_pFixAction);
  fix->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(m_pList);
  layout->addWidget(fix, 0, Qt::AlignRight);
  connect(m_pList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const int row = m_pList->indexOfTopLevelItem(item);
    if (const TrackProblem* problem = FreshProblem(row))
      emit ProblemActivated(*m_pDocument, *problem);
  });
  connect(m_pList, &QTreeWidget::currentItemChanged, this, &CTrackCheckBar::UpdateFixEnabled);
  connect(m_pFixAction, &QAction::triggered, this, &CTrackCheckBar::OnFix);
  m_updateTimer.setSingleShot(true);
  connect(&m_updateTimer, &QTimer::timeout, this, &CTrackCheckBar::UpdateFromDocument);
  m_sinceUpdate.start();
  UpdateFixEnabled();
}

CTrackCheckBar::~CTrackCheckBar() = default;

void CTrackCheckBar::AttachDocument(CTrassoDoc* doc) {
  if (doc == m_pDocument) return;
  m_pChecker.reset();
  m_pDocument = doc;
  m_link.Set(doc);
  if (doc) m_pChecker = std::make_unique<CTrackChecker>(*doc);
  if (doc && doc->m_polygonList.size() >= kLargeTrackPolygons) {
    m_updateTimer.start(kUpdatePauseMs);
  } else {
    ScheduleUpdate(true);
  }
}

void CTrackCheckBar::DetachDocument(CTrassoDoc* doc) {
  if (doc != m_pDocument) return;
  AttachDocument(nullptr);
}

// Switching panes of one window detaches and attaches the same document in
// one go; the list, refilled only when it differs, does not flicker.
void CTrackCheckBar::ScheduleUpdate(bool bNow) {
  if (!bNow && m_pChecker && m_pChecker->NeedsWholeCheck() && m_nWholeCheckMs > kQuickCheckMs) {
    m_updateTimer.start(static_cast<int>(std::max<qint64>(kUpdatePauseMs, 4 * m_nWholeCheckMs)));
    return;
  }
  const auto wait = bNow ? 0 : std::max<qint64>(0, kUpdatePauseMs - m_sinceUpdate.elapsed());
  if (m_updateTimer.isActive() && m_updateTimer.remainingTime() <= wait) return;
  m_updateTimer.start(static_cast<int>(wait));
}

void CTrackCheckBar::UpdateFromDocument() {
  m_updateTimer.stop();
  m_link.MarkFresh();
  m_sinceUpdate.restart();
  if (!m_pChecker) {
    ShowProblems({});
    return;
  }
  const bool whole = m_pChecker->NeedsWholeCheck();
  const std::vector<TrackProblem>& problems = m_pChecker->Update();
  if (whole) m_nWholeCheckMs = m_sinceUpdate.elapsed();
  ShowProblems(problems);
}

void CTrackCheckBar::ShowProblems(const std::vector<TrackProblem>& problems) {
  const std::size_t listed = std::min(problems.size(), kMostRows);
  std::vector<std::string> lines;
  lines.reserve(listed);
  for (std::size_t i = 0; i < listed; ++i) lines.push_back(FormatProblem(problems[i]));
  const auto errors = static_cast<int>(CountProblems(problems, ProblemSeverity::kError));
  const int warnings = static_cast<int>(problems.size()) - errors;
  const bool sameDocument = m_pDocument == m_pListed;
  m_pListed = m_pDocument;
  if (lines == m_lines && sameDocument && errors == m_nErrors && warnings == m_nWarnings) return;
  m_lines = std::move(lines);
  const int current = sameDocument ? m_pList->indexOfTopLevelItem(m_pList->currentItem()) : -1;
  m_nErrors = errors;
  m_nWarnings = warnings;
  QList<QTreeWidgetItem*> rows;
  for (std::size_t i = 0; i < listed; ++i) {
    const TrackProblem& problem = problems[i];
    const bool error = problem.severity == ProblemSeverity::kError;
    auto* row = new QTreeWidgetItem(QStringList{FromWindows1252(SeverityName(problem.severity)),
                                                FromWindows1252(problem.text),
                                                FromWindows1252(DescribeObjects(problem))});
    row->setIcon(0, style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                : QStyle::SP_MessageBoxWarning));
    row->setData(0, kFixableRole, HasSafeFix(problem));
    for (int column = 0; column < 3; ++column) row->setToolTip(column, FromWindows1252(m_lines[i]));
    rows.append(row);
  }
  if (problems.size() > listed) {
    const QString more = ResText(IDS_MORE_PROBLEMS).arg(problems.size() - listed);
    rows.append(new QTreeWidgetItem(QStringList{QString(), more}));
  }
  m_pList->clear();
  m_pList->addTopLevelItems(rows);
  // The row that was current stays current, or the last one when it went;
  // another document's list starts with none.
  if (current >= 0 && !rows.isEmpty())
    m_pList->setCurrentItem(rows[std::min<qsizetype>(current, rows.size() - 1)]);
  UpdateFixEnabled();
  emit ProblemsChanged();
}

const TrackProblem* CTrackCheckBar::FreshProblem(int row) {
  if (!m_pChecker || row < 0 || row >= static_cast<int>(m_lines.size())) return nullptr;
  const std::string shown = m_lines[static_cast<std::size_t>(row)];
  if (m_pChecker->IsStale()) UpdateFromDocument();
  const std::vector<TrackProblem>& problems = m_pChecker->Update();
  if (static_cast<std::size_t>(row) >= problems.size() ||
      m_lines[static_cast<std::size_t>(row)] != shown)
    return nullptr;
  return &problems[static_cast<std::size_t>(row)];
}

void CTrackCheckBar::OnFix() {
  const int row = m_pList->indexOfTopLevelItem(m_pList->currentItem());
  const TrackProblem* problem = FreshProblem(row);
  if (!problem || !HasSafeFix(*problem)) return;
  ApplySafeFix(*m_pDocument, *problem);
  UpdateFromDocument();
}

void CTrackCheckBar::UpdateFixEnabled() {
  const QTreeWidgetItem* row = m_pList->currentItem();
  m_pFixAction->setEnabled(row && row->data(0, kFixableRole).toBool());
}
