// The Select tool and the hit tests it relies on, through real mouse events.

#include <cstdlib>

#include "fixture.h"

using SelectTool = ToolTest;

TEST_F(SelectTool, AReleaseWithinTenUnitsOfThePressIsAClickElseABand) {
  // The click toggles what lies under the release; an 11-unit band of no
  // height holds nothing.
  for (QPoint offset : {QPoint(10, 10), QPoint(-10, 10), QPoint(11, 0), QPoint(0, -11)}) {
    auto [press, release] = mouse.PixelPair(Middle(), offset);
    TSNode* node = NodeAt(mouse.At(release));
    mouse.Drag(press, {release});
    EXPECT_EQ(node->m_bSelected, std::abs(offset.x()) <= 10 && std::abs(offset.y()) <= 10)
        << offset.x() << ", " << offset.y();
    doc.m_nodeList.clear();
  }
}

TEST_F(SelectTool, PlainClickOnEmptySpaceClearsShiftClickKeepsShiftDragAdds) {
  const QPoint l = MiddleLogical();
  TSNode* first = NodeAt(l + QPoint(-200, 0));
  TSNode* second = NodeAt(l + QPoint(200, 0));
  build.Settle();
  first->m_bSelected = 1;
  mouse.Click(Middle(), Qt::ShiftModifier);
  EXPECT_EQ(first->m_bSelected, 1);
  const QPoint to = mouse.Device(l + QPoint(250, -50));
  mouse.Press(mouse.Device(l + QPoint(150, 50)), Qt::ShiftModifier);
  mouse.Move(to);
  mouse.Release(to);
  EXPECT_EQ(first->m_bSelected + second->m_bSelected, 2);
  mouse.Click(Middle());
  EXPECT_EQ(first->m_bSelected + second->m_bSelected, 0);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(SelectTool, OfTwoEquallyNearNodesTheLaterOneIsHit) {
  const QPoint l = MiddleLogical();
  TSNode* right = NodeAt(l + QPoint(5, 0));
  TSNode* left = NodeAt(l + QPoint(-5, 0));
  mouse.Click(Middle());
  EXPECT_EQ(right->m_bSelected, 0);
  EXPECT_EQ(left->m_bSelected, 1);
  EXPECT_EQ(view.FindNearestNode(l, 10, left), right);
  EXPECT_EQ(view.FindNearestNode(l, 4, nullptr), nullptr);
}

// The search rules nodes out by their world position before the exact test;
// at every zoom it must find what a plain scan of every node finds.
TEST_F(SelectTool, TheNearestNodeIsTheOneAPlainScanFinds) {
  std::srand(7);
  const auto random = [] { return std::rand() % 20001 - 10000; };
  for (int i = 0; i < 400; ++i) doc.AddNode(random(), random(), false);
  for (double zoom : {0.01, 0.37, 1.0, 2.0, 150.0}) {
    view.SetZoom(zoom);
    for (int i = 0; i < 200; ++i) {
      const QPoint p = view.WorldToLogical(random(), random());
      const TSNode* plain = nullptr;
      std::int64_t best = 21 * 21;
      for (const auto& node : doc.m_nodeList) {
        const QPoint n = view.WorldToLogical(node->m_x, node->m_y);
        const std::int64_t dx = n.x() - p.x(), dy = n.y() - p.y();
        if (std::abs(dx) <= 21 && std::abs(dy) <= 21 && dx * dx + dy * dy <= best) {
          best = dx * dx + dy * dy;
          plain = node.get();
        }
      }
      ASSERT_EQ(view.FindNearestNode(p, 21, nullptr), plain) << zoom;
    }
  }
}

TEST_F(SelectTool, ANodeWithinTenUnitsElseTheWallWhoseWedgeHoldsThePoint) {
  // The mouse is `hit` away from a square's lower left corner.
  struct Case {
    QPoint hit;
    bool node, wall;
  } cases[] = {
      {{6, 8}, true, false},    // squared distance 100
      {{10, 0}, true, false},   // 100 along an axis
      {{10, 1}, false, true},   // 101: inside the wedge of the corner
      {{11, 0}, false, false},  // on the ray along the lower edge: not strictly inside
      {{-8, 8}, false, false},  // outside the corner's inner angle
      {{14, 15}, false, true},  // within 21 on both axes, outside the disc
      {{22, 2}, false, false},  // farther than 21 on one axis
  };
  for (const Case& c : cases) {
    TSPolygon* square = SquareAt(MiddleLogical() - c.hit, 100);
    mouse.Click(Middle());
    EXPECT_EQ(square->m_wallList[0]->m_pNode->m_bSelected, c.node) << c.hit.x() << "," << c.hit.y();
    EXPECT_EQ(square->m_wallList[0]->m_bSelected, c.wall) << c.hit.x() << "," << c.hit.y();
    doc.m_polygonList.clear();
    doc.m_nodeList.clear();
  }
}

TEST_F(SelectTool, ANodeJustInsideTheBandsEdgeStaysOutWhileItsWallsComeIn) {
  const QPoint from = Middle() - QPoint(100, -100), to = Middle() + QPoint(100, -100);
  const QPoint a = mouse.At(from), c = mouse.At(to);
  const QPoint low(std::min(a.x(), c.x()), std::min(a.y(), c.y()));
  const int high = std::max(a.x(), c.x());
  // Five units inside the lower left corner of the band, a square of 100.
  TSPolygon* square = SquareAt(low + QPoint(5, 5), 100);
  // A node exactly on the greater edge is outside the half-open band, and one
  // 10 units in from it is not yet in the middle rectangle.
  TSNode* onEdge = NodeAt(QPoint(high, low.y() + 150));
  TSNode* tenIn = NodeAt(QPoint(high - 10, low.y() + 200));
  TSNode* elevenIn = NodeAt(QPoint(high - 11, low.y() + 250));
  // Left corners 5 units left of the band: within reach, but probed outside.
  TSPolygon* straddling = SquareAt(QPoint(low.x() - 5, low.y() + 300), 100);

  mouse.Drag(from, {to});
  // Walls, then corners, in outline order.
  const auto flags = [](TSPolygon* p) {
    std::vector<int> s;
    for (const auto& wall : p->m_wallList) s.push_back(wall->m_bSelected);
    for (TSNode* node : Outline(p)) s.push_back(node->m_bSelected);
    return s;
  };
  EXPECT_EQ(flags(square), (std::vector<int>{1, 1, 1, 1, 0, 0, 1, 0}));
  EXPECT_EQ(flags(straddling), (std::vector<int>{0, 0, 1, 1, 0, 0, 1, 1}));
  EXPECT_EQ((std::vector<int>{onEdge->m_bSelected, tenIn->m_bSelected, elevenIn->m_bSelected}),
            (std::vector<int>{0, 0, 1}));
}

TEST_F(SelectTool, ADoubleClickSelectsOnTheFirstClickAndTogglesBackOnTheSecondRelease) {
  TSNode* node = NodeAt(MiddleLogical());
  // Had the second press cleared the selection, its release would select again.
  mouse.DoubleClick(Middle());
  EXPECT_EQ(node->m_bSelected, 0);
  EXPECT_FALSE(view.m_bButtonDown);
  EXPECT_FALSE(view.m_bCaptured);
}

TEST_F(SelectTool, HoverMarksOneNodeUnderTheMouseAcrossTheViewsWhileTheButtonIsUp) {
  const QPoint l = MiddleLogical(), away = mouse.Device(l + QPoint(40, 0));
  TSNode* node = NodeAt(l);
  build.Settle();
  UpdateCounter updates(doc);
  mouse.Move(Middle());
  EXPECT_EQ(node->m_bHighlighted, 1);
  mouse.Move(Middle() + QPoint(1, 0));  // still within 10: no new update
  EXPECT_EQ(updates.Count(), 1);
  mouse.Move(away);
  EXPECT_EQ(node->m_bHighlighted, 0);
  EXPECT_EQ(updates.Count(), 2);

  mouse.Press(away);
  mouse.Move(Middle());
  EXPECT_EQ(node->m_bHighlighted, 0);
  mouse.Release(Middle());
  view.SetTool(ID_TOOL_MOVE_SELECTION);
  mouse.Move(Middle());
  EXPECT_EQ(node->m_bHighlighted, 0);
  EXPECT_FALSE(doc.IsModified());

  // Events go to the widget under the point, so each stays in its own pane.
  view.SetTool(ID_TOOL_SELECT);
  ASSERT_TRUE(frame->GetSplitter().SplitColumn(200));
  CTrassoView& other = *Pane(*frame, 0, 1);
  MouseDriver otherMouse(other);
  other.SetTool(ID_TOOL_ADD_FEATURE);
  const QPoint inHere(100, 150), inThere(100, 100);
  TSNode* here = NodeAt(mouse.At(inHere));
  TSNode* there = NodeAt(otherMouse.At(inThere));
  mouse.Move(inHere);
  EXPECT_EQ(here->m_bHighlighted, 1);
  otherMouse.Move(inThere);
  EXPECT_EQ(here->m_bHighlighted, 0);
  EXPECT_EQ(there->m_bHighlighted, 1);
  mouse.Move(inHere + QPoint(0, 50));  // empty ground in this view
  EXPECT_EQ(there->m_bHighlighted, 0);
}
