#include <QApplication>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include "fixture.h"

namespace {
struct Navigation : ToolTest {
  explicit Navigation(int tool = ID_TOOL_SELECT) : ToolTest(tool) {
    services.zoom.AttachView(&view);
  }
  void Wheel(QPoint device, QPoint angle, Qt::KeyboardModifiers keys = {}, QPoint pixels = {}) {
    QWheelEvent wheel(device, view.mapToGlobal(device), pixels, angle, Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
  }
  QPoint DeviceOf(WorldPoint w) { return view.GetClientDC().LPtoDP(view.WorldToLogical(w.x, w.y)); }
  SCROLLINFO Info(ScrollBarKind bar) { return view.GetScrollBarCtrl(bar)->GetScrollInfo(); }
  int Slider() const { return services.zoom.m_wndSlider->value(); }
  // Each bar within its range, and the slider on the view's zoom.
  void ExpectConsistent() {
    for (ScrollBarKind kind : {SB_HORZ, SB_VERT}) {
      const CScrollBar& bar = *view.GetScrollBarCtrl(kind);
      EXPECT_GE(bar.GetScrollPos(), Info(kind).nMin);
      EXPECT_LE(bar.GetScrollPos(), bar.GetMaxPos());
    }
    EXPECT_EQ(Slider(), ZoomToSlider(view.GetZoom()));
  }
  void ExpectInside(WorldPoint w) {
    EXPECT_TRUE(view.rect().contains(DeviceOf(w))) << w.x << ", " << w.y;
  }
  // A track far larger than the window at every zoom of the slider.
  void Spread() {
    build.Section({build.Node(-100000000, -100000000), build.Node(-100000000, 100000000),
                   build.Node(100000000, 100000000), build.Node(100000000, -100000000)});
    doc.UpdateAllViews(nullptr);
  }
};

}  // namespace

TEST_F(Navigation, CtrlWheelZoomsOneSliderStepAroundThePointerAtEveryZoom) {
  Spread();
  const QPoint pointer(123, 87);
  for (int position = 5; position < 100; position += 10) {
    view.SetZoom(SliderToZoom(position));
    view.CenterOn({position * 1000, -position * 3000});
    const WorldPoint under = view.LogicalToWorld(mouse.At(pointer));
    const int notch = position % 20 == 5 ? 120 : -120;  // in and out by turns
    Wheel(pointer, QPoint(0, notch), Qt::ControlModifier);
    const QPoint now = DeviceOf(under);
    EXPECT_LE((now - pointer).manhattanLength(), 1) << position;
    EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(position - notch / 120)) << position;
    ExpectConsistent();
  }
  // Half notches add up to one; a zoom between slider positions steps to the next.
  view.SetZoom(SliderToZoom(40) * 0.99);
  Wheel(pointer, QPoint(0, 60), Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(40) * 0.99);
  Wheel(pointer, QPoint(0, 60), Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(40));
  view.SetZoom(SliderToZoom(40) * 0.99);
  Wheel(pointer, QPoint(0, -120), Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(41));
  for (int i = 0; i < 120; ++i) Wheel(pointer, QPoint(0, 120), Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(0));  // the slider's end stops it
  EXPECT_EQ(Slider(), 0);
}

TEST_F(Navigation, APinchZoomsAroundItsPointAndTheSliderFollows) {
  Spread();
  const QPoint at(200, 150);
  const WorldPoint under = view.LogicalToWorld(mouse.At(at));
  QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, at,
                            at, view.mapToGlobal(at), 0.5, {});
  QApplication::sendEvent(&view, &pinch);
  EXPECT_DOUBLE_EQ(view.GetZoom(), 1.5);
  EXPECT_LE((DeviceOf(under) - at).manhattanLength(), 1);
  ExpectConsistent();
}

TEST_F(Navigation, WheelArrowsAndTouchpadScrollByLineStepsOrPixels) {
  Spread();
  view.CenterOn({0, 0});
  const int across = std::max(Info(SB_HORZ).nPage / 20, 1);
  const int down = std::max(Info(SB_VERT).nPage / 20, 1);
  const QPoint start = view.GetWindowOrigin();
  Wheel(Middle(), QPoint(0, -240));  // two notches toward the user: down
  EXPECT_EQ(view.GetWindowOrigin(), start - QPoint(0, 2 * down));
  Wheel(Middle(), QPoint(0, 120), Qt::ShiftModifier);  // sideways, to the left
  EXPECT_EQ(view.GetWindowOrigin(), start - QPoint(across, 2 * down));
  mouse.Key(Qt::Key_Right);
  mouse.Key(Qt::Key_Up);
  mouse.Key(Qt::Key_Up, true);
  EXPECT_EQ(view.GetWindowOrigin(), start);
  const WorldPoint under = view.LogicalToWorld(mouse.At(Middle()));
  Wheel(Middle(), QPoint(0, -40), {}, QPoint(30, -20));  // the plan follows the fingers
  EXPECT_LE((DeviceOf(under) - (Middle() + QPoint(30, -20))).manhattanLength(), 1);
  EXPECT_DOUBLE_EQ(view.GetZoom(), 1);
}

TEST_F(Navigation, MiddleDragPansWithinTheScrollRangesAndLeavesTheZoom) {
  Spread();
  view.ZoomAround(SliderToZoom(60), Middle());
  view.CenterOn({0, 0});
  const int slider = Slider();
  const WorldPoint under = view.LogicalToWorld(mouse.At(Middle()));
  QTest::mousePress(&view, Qt::MiddleButton, {}, Middle());
  QTest::mouseMove(&view, Middle() + QPoint(-70, 25));
  QTest::mouseMove(&view, Middle() + QPoint(-90, 40));
  EXPECT_LE((DeviceOf(under) - (Middle() + QPoint(-90, 40))).manhattanLength(), 1);
  QTest::mouseRelease(&view, Qt::MiddleButton, {}, Middle() + QPoint(-90, 40));
  ExpectConsistent();
  EXPECT_EQ(Slider(), slider);
  // Far beyond the track the bars stop at their ends.
  view.ZoomAround(SliderToZoom(99), Middle());
  for (int i = 0; i < 20; ++i) {
    QTest::mousePress(&view, Qt::MiddleButton, {}, QPoint(10, 10));
    QTest::mouseMove(&view, QPoint(390, 290));
    QTest::mouseRelease(&view, Qt::MiddleButton, {}, QPoint(390, 290));
  }
  EXPECT_EQ(view.GetScrollBarCtrl(SB_HORZ)->GetScrollPos(), Info(SB_HORZ).nMin);
  EXPECT_EQ(view.GetScrollBarCtrl(SB_VERT)->GetScrollPos(), Info(SB_VERT).nMin);
  ExpectConsistent();
  EXPECT_TRUE(Selected().empty());
}

TEST_F(Navigation, FitShowsEveryNodeFillingThePaneAndSelectionFitsTheSelectedNodes) {
  const auto fills = [&](WorldPoint a, WorldPoint c) {
    const QPoint size = DeviceOf(c) - DeviceOf(a);
    return std::abs(size.x()) > view.width() * 8 / 10 ||
           std::abs(size.y()) > view.height() * 8 / 10;
  };
  view.OnZoomToFit();  // an empty track: the square 0 to 200.000
  for (WorldPoint w : {WorldPoint{0, 0}, WorldPoint{200000, 200000}}) ExpectInside(w);
  EXPECT_TRUE(fills({0, 0}, {200000, 200000}));
  ExpectConsistent();

  TSNode* far = build.Node(3000000, -40000);
  TSNode* near = build.Node(2990000, -35000);
  build.Node(-50000, 900000);
  doc.UpdateAllViews(nullptr);
  view.OnZoomToFit();
  for (const auto& node : doc.m_nodeList) ExpectInside(Pos(node.get()));
  EXPECT_TRUE(fills({-50000, -40000}, {3000000, 900000}));
  ExpectConsistent();

  EXPECT_FALSE(view.CanZoomToSelection());
  Select(far);
  Select(near);
  ASSERT_TRUE(view.CanZoomToSelection());
  view.OnZoomToSelection();
  ExpectInside(Pos(far));
  ExpectInside(Pos(near));
  EXPECT_TRUE(fills(Pos(near), Pos(far)));
  ExpectConsistent();
  // One node is no box: as far in as the slider goes, centred on it.
  doc.ClearSelection(false);
  Select(near);
  view.OnZoomToSelection();
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(0));
  EXPECT_LE((DeviceOf(Pos(near)) - view.rect().center()).manhattanLength(), 2);
  view.OnZoomOut();
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(1));
  EXPECT_LE((DeviceOf(Pos(near)) - view.rect().center()).manhattanLength(), 2);
  ExpectConsistent();
}

// Every tool: with the space bar held the left button only pans.
TEST_F(Navigation, SpaceAndLeftDragPansInEveryToolWithoutTouchingTheTrack) {
  Spread();
  TSNode* node = build.Node(0, 0);
  Select(node);
  const WorldPoint before = Pos(node);
  for (int tool : {ID_TOOL_SELECT, ID_TOOL_ADD_SECTION, ID_TOOL_ADD_FEATURE, ID_TOOL_INSERT_OBJECT,
                   ID_TOOL_MOVE_SELECTION, ID_TOOL_MOVE_NODES}) {
    view.SetTool(tool);
    view.CenterOn({0, 0});
    const auto revision = doc.GetHistory().Revision();
    const QPoint origin = view.GetWindowOrigin();
    QTest::keyPress(&view, Qt::Key_Space);
    mouse.Press(mouse.On(*node));
    mouse.Move(mouse.On(*node) + QPoint(40, 30));
    mouse.Release(mouse.On(*node));
    mouse.DoubleClick(mouse.On(*node));  // the second press only
    mouse.Release(mouse.On(*node));
    QTest::keyRelease(&view, Qt::Key_Space);
    EXPECT_NE(view.GetWindowOrigin(), origin) << tool;
    EXPECT_EQ(doc.GetHistory().Revision(), revision) << tool;
    EXPECT_EQ(Pos(node), before) << tool;
    EXPECT_EQ(Selected(), std::vector<TSNode*>{node}) << tool;
  }
  // Without the space bar the tool has the button again.
  view.SetTool(ID_TOOL_MOVE_SELECTION);
  view.CenterOn({0, 0});
  ASSERT_FALSE(view.IsPanning());
  const QPoint at = mouse.On(*node);
  mouse.Drag(at, {at + QPoint(40, 0)});
  EXPECT_NE(Pos(node), before);
}
