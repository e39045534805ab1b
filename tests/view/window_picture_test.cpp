// A track large enough for the view to index, partly in sight: what the window
// shows from its kept picture must be what a full paint gives, after every
// kind of change, told or not; and the index must find what a scan finds.
#include <QApplication>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <random>

#include "fixture.h"
#include "support/track_generator.h"
#include "view/view_options.h"

namespace {
struct WindowPicture : ::testing::Test {
  WindowPicture() : doc(GenerateGridTrack(70)), frame(ShowFrame(*doc)), view(*Pane(*frame)) {
    view.SetZoom(1);
    view.OnUpdate(nullptr, 0, nullptr);
  }
  ~WindowPicture() override { SetViewOptions({}); }
  // The window repaints what the comparison of marks asked for first, as
  // after every told change; the grab repaints all of it from the picture.
  void ExpectShownAsPainted(const char* change) {
    QApplication::processEvents();
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, PaintWhole(view)) << change;
  }
  TSNode* NodeInSight(int k) {
    const QPoint middle = view.GetWindowOrigin() + QPoint(300 + 200 * k, -300);
    const WorldPoint w = view.LogicalToWorld(middle);
    return view.FindNearestNode(view.WorldToLogical(w.x / 10000 * 10000, w.y / 10000 * 10000), 5,
                                nullptr);
  }

  FakeServices services;
  std::unique_ptr<CTrassoDoc> doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
};

TEST_F(WindowPicture, ShowsAFullPaintAfterEditsUndoSelectionsUntoldChangesZoomScrollAndOptions) {
  ExpectShownAsPainted("first");
  ExpectShownAsPainted("unchanged");
  TSNode *node = NodeInSight(0), *walled = NodeInSight(1), *picked = NodeInSight(2);
  ASSERT_TRUE(node && walled && picked && !walled->m_wallList.empty());
  MouseDriver(view).Move(MouseDriver(view).On(*node));
  ExpectShownAsPainted("hover");
  doc->Select(*node);
  doc->MoveSelectedNodes(7000, -3000);
  ExpectShownAsPainted("moved");
  doc->DeleteSelection();
  ExpectShownAsPainted("deleted");
  doc->Undo();
  ExpectShownAsPainted("undone");
  doc->Redo();
  ExpectShownAsPainted("redone");
  TSAnchorWall* wall = walled->m_wallList[0]->m_pPolygon->m_wallList[2].get();
  wall->m_bHighlighted = 1;  // no update tells of these
  ExpectShownAsPainted("wall highlighted");
  wall->m_bSelected = 1;  // a band under the same magenta wedge
  ExpectShownAsPainted("highlighted wall selected");
  picked->m_bSelected = 1;
  ExpectShownAsPainted("node selected");
  view.ScrollToOrigin(view.GetWindowOrigin() + QPoint(130, -70));
  ExpectShownAsPainted("scrolled");
  view.SetZoom(0.17);
  view.OnUpdate(nullptr, 0, nullptr);
  ExpectShownAsPainted("zoomed");
  services.grid.bShow = true;
  ExpectShownAsPainted("grid");
  SetViewOptions({.bCompactMarks = true});
  view.SetZoom(0.05);
  view.OnUpdate(nullptr, 0, nullptr);
  ExpectShownAsPainted("compact marks");
  SetViewOptions({.bItemLabels = true});
  ExpectShownAsPainted("item labels");
  SetViewOptions({});
  frame->resize(520, 330);
  QApplication::processEvents();
  ExpectShownAsPainted("resized");
}

// Logical rectangles near the track and at the edges of 32 bits, where the
// conversions saturate, at zooms from the least to far beyond saturation.
TEST_F(WindowPicture, TheIndexFindsWhatAScanFindsAtEveryZoom) {
  std::mt19937 random(19);
  auto any = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  // Compared wide: QRect's own tests overflow at the edges of 32 bits.
  auto inside = [](QPoint p, const QRect& r) {
    return r.left() <= p.x() && p.x() <= r.right() && r.top() <= p.y() && p.y() <= r.bottom();
  };
  for (const double zoom : {0.009326, 0.05, 0.3, 1.0, 10.0, 1e6}) {
    view.SetZoom(zoom);
    for (int round = 0; round < 40; ++round) {
      const TSNode& target = *doc->m_nodeList[any(0, int(doc->m_nodeList.size()) - 1)];
      const QPoint at = view.WorldToLogical(target.m_x, target.m_y);
      // Kept where the rectangle's far corner stays within 32 bits.
      auto shifted = [&](int v) {
        return int(
            std::clamp<std::int64_t>(std::int64_t{v} + any(-30, 30), INT32_MIN, INT32_MAX - 3000));
      };
      const QPoint near(shifted(at.x()), shifted(at.y()));
      const QRect rect = round % 4 ? QRect(near, near + QPoint(any(0, 2999), any(0, 2999)))
                         : round % 8 == 1
                             ? QRect(QPoint(INT32_MIN, INT32_MIN),
                                     QPoint(INT32_MIN + any(0, 3000), INT32_MIN + 3000))
                             : QRect(QPoint(INT32_MAX - any(0, 3000), INT32_MAX - 3000),
                                     QPoint(INT32_MAX, INT32_MAX));
      const auto& nodes = view.NodesNear(rect);
      for (std::uint32_t at = 0; at < doc->m_nodeList.size(); ++at) {
        const TSNode& n = *doc->m_nodeList[at];
        if (!inside(view.WorldToLogical(n.m_x, n.m_y), rect)) continue;
        ASSERT_TRUE(std::binary_search(nodes.begin(), nodes.end(), at)) << zoom << " node " << at;
      }
      const auto& polygons = view.PolygonsNear(rect);
      for (std::uint32_t at = 0; at < doc->m_polygonList.size(); ++at) {
        const QRect box = view.LogicalBox(*doc->m_polygonList[at]);
        if (box.right() < rect.left() || rect.right() < box.left() || box.bottom() < rect.top() ||
            rect.bottom() < box.top())
          continue;
        ASSERT_TRUE(std::binary_search(polygons.begin(), polygons.end(), at))
            << zoom << " polygon " << at;
      }
      // The nearest node by a scan in list order, the later of two equally near.
      const TSNode* nearest = nullptr;
      std::int64_t best = 21 * 21;
      for (const auto& n : doc->m_nodeList) {
        const QPoint p = view.WorldToLogical(n->m_x, n->m_y);
        const std::int64_t dx = std::int64_t{p.x()} - near.x(), dy = std::int64_t{p.y()} - near.y();
        if (std::abs(dx) > 21 || std::abs(dy) > 21 || dx * dx + dy * dy > best) continue;
        best = dx * dx + dy * dy;
        nearest = n.get();
      }
      ASSERT_EQ(view.FindNearestNode(near, 21, nullptr), nearest) << zoom;
    }
  }
}
// With the timing category on, the first paint of a track window is logged
// once, for measuring a start from outside.
std::vector<QString> g_logged;
void KeepMessage(QtMsgType, const QMessageLogContext& context, const QString& text) {
  if (QByteArray(context.category) == "trasso.timing") g_logged.push_back(text);
}

TEST_F(WindowPicture, TheFirstPaintIsLoggedOnceWhenTheTimingCategoryIsOn) {
  QLoggingCategory::setFilterRules("trasso.timing.debug=true");
  const QtMessageHandler previous = qInstallMessageHandler(KeepMessage);
  view.repaint();
  view.repaint();
  qInstallMessageHandler(previous);
  QLoggingCategory::setFilterRules("");
  ASSERT_EQ(g_logged.size(), 1u);
  EXPECT_TRUE(QRegularExpression("^first track painted [0-9]+ ms after the start$")
                  .match(g_logged[0])
                  .hasMatch())
      << g_logged[0].toStdString();
}
}  // namespace

