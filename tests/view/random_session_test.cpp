// Thousands of random presses, moves, releases, keys and tool changes over
// several views of two documents. After every event the tracks must be sound
// and no view may hold a node its document no longer has; the sanitizers
// watch every pointer on the way.

#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <random>
#include <sstream>

#include "model/track_check.h"
#include "model/ts_node.h"
#include "fixture.h"

namespace {
constexpr int kTools[] = {ID_TOOL_SELECT,        ID_TOOL_ADD_SECTION,    ID_TOOL_ADD_FEATURE,
                          ID_TOOL_INSERT_OBJECT, ID_TOOL_MOVE_SELECTION, ID_TOOL_MOVE_NODES};

class RandomSession {
 public:
  explicit RandomSession(unsigned seed) : m_random(seed) {
    m_frames.push_back(ShowFrame(m_first));
    EXPECT_TRUE(m_frames.back()->GetSplitter().SplitColumn(180));
    m_frames.push_back(ShowFrame(m_first, QSize(300, 240)));
    m_frames.push_back(ShowFrame(m_second));
    m_views = {Pane(*m_frames[0], 0, 0), Pane(*m_frames[0], 0, 1), Pane(*m_frames[1]),
               Pane(*m_frames[2])};
    m_views[2]->SetZoom(0.5);
    m_views[3]->SetZoom(2.3);
  }

  // One random gesture or key; returns what it was, for the failure message.
  std::string Step() {
    CTrassoView& view = *m_views[Pick(m_views.size())];
    MouseDriver mouse(view);
    const QPoint p = Point(view);
    std::ostringstream what;
    what << "view " << (std::find(m_views.begin(), m_views.end(), &view) - m_views.begin())
         << " tool " << view.m_nTool << " at " << p.x() << "," << p.y() << ": ";
    const int dice = Pick(100);
    if (dice < 4) {
      const int tool = kTools[Pick(6)];
      CTrassoView::SetToolForAllViews(tool);
      what << "tool " << tool;
    } else if (dice < 40) {
      mouse.Click(p, Pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
      what << "click";
    } else if (dice < 60) {
      mouse.Press(p, Pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
      QPoint to = p;
      for (int moves = Pick(5); moves >= 0; --moves) mouse.Move(to = Point(view));
      mouse.Release(to);
      what << "drag to " << to.x() << "," << to.y();
    } else if (dice < 66) {
      mouse.Press(p);
      what << "press";
    } else if (dice < 80) {
      mouse.Move(p);
      what << "move";
    } else if (dice < 86) {
      mouse.Release(p);
      what << "release";
    } else if (dice < 89) {
      mouse.DoubleClick(p);
      what << "double click";
    } else if (dice < 94) {
      mouse.Key(Qt::Key_Delete, Pick(2) == 0);
      what << "delete";
    } else {
      mouse.Key(Qt::Key_Insert);
      what << "insert";
    }
    if (Pick(10) == 0) QApplication::processEvents();  // let the views paint
    m_mostPolygons = std::max(m_mostPolygons, m_first.m_polygonList.size());
    return what.str();
  }

  // Every problem of both tracks and every path entry that is not a node of
  // its view's document.
  std::vector<std::string> Problems() const {
    std::vector<std::string> problems = CheckTrack(m_first);
    for (std::string& p : CheckTrack(m_second)) problems.push_back(std::move(p));
    for (const CTrassoView* view : m_views) {
      const auto& nodes = view->GetDocument()->m_nodeList;
      for (const TSNode* node : view->m_path) {
        const bool known = std::any_of(nodes.begin(), nodes.end(),
                                       [&](const auto& owned) { return owned.get() == node; });
        if (!known) problems.push_back("a path holds a node its document does not");
      }
      if (view->m_path.size() > 12) problems.push_back("a path of more than 12 nodes");
    }
    for (const CTrassoDoc* doc : {&m_first, &m_second}) {
      const auto highlighted = std::count_if(doc->m_nodeList.begin(), doc->m_nodeList.end(),
                                             [](const auto& node) { return node->m_bHighlighted; });
      if (highlighted > 1) problems.push_back("more than one node under the mouse");
    }
    return problems;
  }

  std::size_t MostPolygons() const { return m_mostPolygons; }

 private:
  int Pick(std::size_t n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(m_random); }

  // Often on the first node of the view's path, or on or near an existing
  // node, so that paths close and nodes merge; otherwise on a coarse grid, now
  // and then outside the view.
  QPoint Point(CTrassoView& view) {
    if (view.m_path.size() >= 3 && Pick(3) == 0) {
      const TSNode& first = *view.m_path.front();
      return MouseDriver(view).Device(view.WorldToLogical(first.m_x, first.m_y));
    }
    const auto& nodes = view.GetDocument()->m_nodeList;
    if (!nodes.empty() && Pick(2) == 0) {
      const TSNode& node = *nodes[Pick(nodes.size())];
      const QPoint near = MouseDriver(view).Device(view.WorldToLogical(node.m_x, node.m_y));
      return near + QPoint(Pick(9) - 4, Pick(9) - 4);
    }
    if (Pick(20) == 0) return QPoint(Pick(view.width() + 80) - 40, -20 - Pick(30));
    return QPoint(8 + 16 * Pick(view.width() / 16), 8 + 16 * Pick(view.height() / 16));
  }

  std::mt19937 m_random;
  std::size_t m_mostPolygons = 0;
  CTrassoDoc m_first, m_second;
  std::vector<std::unique_ptr<CChildFrame>> m_frames;
  std::vector<CTrassoView*> m_views;
};
}  // namespace

TEST(RandomSession, ThousandsOfEventsKeepEveryTrackSoundAndEveryPathAlive) {
  FakeServices services;
  for (unsigned seed : {1u, 2u, 3u}) {
    RandomSession session(seed);
    std::string last;
    for (int event = 0; event < 2000; ++event) {
      last = session.Step();
      const std::vector<std::string> problems = session.Problems();
      ASSERT_TRUE(problems.empty())
          << "seed " << seed << ", event " << event << " (" << last << "): " << problems.front();
    }
    // The session did build sections and features.
    EXPECT_GE(session.MostPolygons(), 3u) << seed;
  }
}
