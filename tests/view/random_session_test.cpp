// Random input over views of two documents, with panel edits, undo and redo: tracks stay sound,
// paths alive, and every revision of the history has the same bytes whenever it comes back.

#include <QApplication>
#include <algorithm>
#include <map>
#include <random>

#include "fixture.h"
#include "model/track_check.h"
#include "model/track_file.h"

namespace {
struct RandomSession {
  std::size_t m_mostPolygons = 0;  // the most sections and features the first track held
  explicit RandomSession(unsigned seed) : m_random(seed) {
    m_frames.push_back(ShowFrame(m_first));
    EXPECT_TRUE(m_frames.back()->GetSplitter().SplitColumn(180));
    m_frames.push_back(ShowFrame(m_first, QSize(300, 240)));
    m_frames.push_back(ShowFrame(m_second));
    m_views = {Pane(*m_frames[0]), Pane(*m_frames[0], 0, 1), Pane(*m_frames[1]),
               Pane(*m_frames[2])};
    m_views[2]->SetZoom(0.5);
    m_views[3]->SetZoom(2.3);
  }

  std::string Step() {
    const int index = Pick(m_views.size());
    CTrassoView& view = *m_views[index];
    MouseDriver mouse(view);
    const QPoint p = Point(view);
    const int dice = Pick(125);
    const auto keys = Pick(4) ? Qt::NoModifier : Qt::ShiftModifier;
    if (dice < 4) {
      CTrassoView::SetToolForAllViews(
          std::array{ID_TOOL_SELECT, ID_TOOL_ADD_SECTION, ID_TOOL_ADD_FEATURE,
                     ID_TOOL_INSERT_OBJECT, ID_TOOL_MOVE_SELECTION, ID_TOOL_MOVE_NODES}[Pick(6)]);
    } else if (dice < 40) {
      mouse.Click(p, keys);
    } else if (dice < 60) {
      mouse.Press(p, keys);
      QPoint to = p;
      for (int moves = Pick(5); moves >= 0; --moves) mouse.Move(to = Point(view));
      mouse.Release(to);
    } else if (dice < 66) {
      mouse.Press(p);
    } else if (dice < 80) {
      mouse.Move(p);
    } else if (dice < 86) {
      mouse.Release(p);
    } else if (dice < 89) {
      mouse.DoubleClick(p);
    } else if (dice < 100) {
      mouse.Key(dice < 94 ? Qt::Key_Delete : Qt::Key_Insert, Pick(2) == 0);
    } else if (dice < 115) {
      CTrassoDoc& doc = *view.GetDocument();
      for (int times = Pick(3); times >= 0; --times) dice < 109 ? doc.Undo() : doc.Redo();
    } else if (dice < 123) {
      EditLikeAPanel(*view.GetDocument(), dice);
    } else {
      mouse.Key(Qt::Key_Escape);
    }
    if (Pick(10) == 0) QApplication::processEvents();  // let the views paint
    m_mostPolygons = std::max(m_mostPolygons, m_first.m_polygonList.size());
    return "gesture " + std::to_string(dice) + " in view " + std::to_string(index) + " with tool " +
           std::to_string(view.m_nTool) + " at " + std::to_string(p.x()) + "," +
           std::to_string(p.y());
  }

  // Keystrokes in a field (which join one step), a list choice, a track attribute, a scaling.
  void EditLikeAPanel(CTrassoDoc& doc, int dice) {
    using Setter = int (CTrassoDoc::*)(int);
    constexpr Setter kSetters[] = {
        &CTrassoDoc::SetSelWallType,     &CTrassoDoc::SetSelCeilingType,
        &CTrassoDoc::SetSelFloorType,    &CTrassoDoc::SetSelCeilingLevel,
        &CTrassoDoc::SetSelFloorLevel,   &CTrassoDoc::SetSelItemType,
        &CTrassoDoc::SetSelNodeX,        &CTrassoDoc::SetSelNodeY,
        &CTrassoDoc::SetSelItemElevation, &CTrassoDoc::SetSelItemOrientation};
    const int field = Pick(std::size(kSetters));
    if (dice < 120) {
      doc.BeginStep({}, "field " + std::to_string(field));
      (doc.*kSetters[field])(Pick(40) * 500);
      doc.EndStep();
      if (Pick(3) == 0) doc.GetHistory().SealMerge();
    } else if (dice < 122) {
      doc.SetBackground(std::string(Pick(3), 'b'));
    } else {
      doc.ScaleSelection(Pick(2) ? 1.5 : 0.5);
    }
  }

  // Whether each document's bytes are those it had when its history was last at this revision.
  std::string HistoryProblem() {
    for (std::size_t d = 0; d < 2; ++d) {
      CTrassoDoc& doc = d == 0 ? m_first : m_second;
      if (doc.GetHistory().IsOpen()) continue;
      const auto [seen, added] = m_bytes[d].try_emplace(doc.GetHistory().Revision());
      if (added) seen->second = SaveTrackBytes(doc);
      if (seen->second != SaveTrackBytes(doc)) return "revision " + std::to_string(seen->first) +
                                                      " differs from when it was made";
    }
    return {};
  }

  // The first problem of a track, a path node its document lacks, or two nodes under the mouse.
  std::string Problem() const {
    for (const CTrassoDoc* doc : {&m_first, &m_second}) {
      if (const auto problems = CheckTrack(*doc); !problems.empty()) return problems.front();
      if (std::ranges::count_if(doc->m_nodeList, [](const auto& n) { return n->m_bHighlighted; }) >
          1)
        return "more than one node under the mouse";
    }
    for (const CTrassoView* view : m_views) {
      const auto& nodes = view->GetDocument()->m_nodeList;
      for (const TSNode* node : view->m_path) {
        if (std::ranges::none_of(nodes, [&](const auto& owned) { return owned.get() == node; }))
          return "a path holds a node its document does not";
      }
      if (view->m_path.size() > 12) return "a path of more than 12 nodes";
    }
    return {};
  }

  int Pick(std::size_t n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(m_random); }

  // Often on a path's first node or near a node, so paths close and nodes merge; else on a grid.
  QPoint Point(CTrassoView& view) {
    const auto& nodes = view.GetDocument()->m_nodeList;
    if (view.m_path.size() >= 3 && Pick(3) == 0) return MouseDriver(view).On(*view.m_path.front());
    if (!nodes.empty() && Pick(2) == 0)
      return MouseDriver(view).On(*nodes[Pick(nodes.size())]) + QPoint(Pick(9) - 4, Pick(9) - 4);
    if (Pick(20) == 0) return QPoint(Pick(view.width() + 80) - 40, -20 - Pick(30));
    return QPoint(8 + 16 * Pick(view.width() / 16), 8 + 16 * Pick(view.height() / 16));
  }

  std::mt19937 m_random;
  CTrassoDoc m_first, m_second;
  std::map<std::uint64_t, std::vector<std::uint8_t>> m_bytes[2];  // per document and revision
  std::vector<std::unique_ptr<CChildFrame>> m_frames;
  std::vector<CTrassoView*> m_views;
};
}  // namespace

TEST(RandomSession, ThousandsOfEventsKeepEveryTrackSoundAndEveryPathAlive) {
  FakeServices services;
  for (unsigned seed : {1u, 2u, 3u}) {
    RandomSession session(seed);
    for (int event = 0; event < 2000; ++event) {
      const std::string last = session.Step();
      ASSERT_EQ(session.Problem() + session.HistoryProblem(), "")
          << "seed " << seed << ", event " << event << ": " << last;
    }
    EXPECT_GE(session.m_mostPolygons, 3u) << seed;  // the session did build sections and features
  }
}
