// The view as a window: its coordinates, scroll bars and zoom, the status bar
// readout, and which view the application's bars serve.

#include <QApplication>
#include <QSlider>
#include <QTest>

#include "fixture.h"

namespace {
// A shown view of an empty document, 300 × 200.
class ViewWindow : public ::testing::Test {
 protected:
  ViewWindow() : frame(ShowFrame(doc, QSize(300, 200))), view(*Pane(*frame)) {}
  SCROLLINFO Horz() const { return view.GetScrollBarCtrl(SB_HORZ)->GetScrollInfo(); }
  SCROLLINFO Vert() const { return view.GetScrollBarCtrl(SB_VERT)->GetScrollInfo(); }
  void Update() { view.OnUpdate(nullptr, 0, nullptr); }

  FakeServices services;
  CTrassoDoc doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
};
}  // namespace

TEST_F(ViewWindow, ConversionsTruncateTowardZeroAndSaturate) {
  EXPECT_DOUBLE_EQ(view.GetZoom(), 1.0);
  EXPECT_EQ(view.LogicalToWorld({-1, 1}), (WorldPoint{-100, 100}));
  EXPECT_EQ(view.WorldToLogical(199, -199), QPoint(1, -1));
  EXPECT_EQ(view.WorldToLogical(99, -99), QPoint(0, 0));
  view.SetZoom(3);  // 0.03 logical units per world unit
  EXPECT_EQ(view.LogicalToWorld({2, -2}), (WorldPoint{66, -66}));
  view.SetZoom(SliderToZoom(100));
  EXPECT_EQ(view.LogicalToWorld({2000000000, -2000000000}),
            (WorldPoint{std::numeric_limits<TrackLength>::max(),
                        std::numeric_limits<TrackLength>::min()}));
}

TEST_F(ViewWindow, RangesHoldTheSquareAndTheNodesWithAMarginAndThePageIsTheWindow) {
  const auto ranges = [&] { return std::vector<int>{Horz().nMin, Horz().nMax, Vert().nMin, Vert().nMax}; };
  EXPECT_EQ(ranges(), (std::vector<int>{-80, 2080, -80, 2080}));
  EXPECT_EQ(Horz().nPage, std::lround(view.width() * 254.0 / view.logicalDpiX()));
  EXPECT_EQ(Vert().nPage, std::lround(view.height() * 254.0 / view.logicalDpiY()));
  TrackBuilder(doc).Node(-5000, 250000);
  doc.UpdateAllViews(nullptr);
  EXPECT_EQ(ranges(), (std::vector<int>{-130, 2080, -80, 2580}));
  view.SetZoom(2);
  Update();
  EXPECT_EQ(ranges(), (std::vector<int>{-180, 4080, -80, 5080}));
}

TEST(ViewScrolling, ScrollCodesFollowTheTable) {
  const struct {
    int min, max, page, pos, code, expected;
  } cases[] = {
      {0, 2000, 15, 100, SB_LINEUP, 99},          {0, 2000, 15, 100, SB_LINEDOWN, 101},
      {0, 2000, 1000, 100, SB_LINEDOWN, 150},     {0, 2000, 1000, 900, SB_PAGEUP, 100},
      {0, 2000, 1000, 100, SB_PAGEDOWN, 900},     {-80, 2080, 500, 100, SB_TOP, -80},
      {-80, 2080, 500, 100, SB_BOTTOM, 1580},     {-80, 2080, 500, 100, SB_THUMBTRACK, 700},
      {-80, 2080, 500, 100, SB_THUMBPOSITION, 700}, {-80, 2080, 500, 100, SB_ENDSCROLL, 100},
  };
  for (const auto& c : cases) {
    SCROLLINFO info;
    info.nMin = c.min;
    info.nMax = c.max;
    info.nPage = c.page;
    info.nPos = c.pos;
    info.nTrackPos = 700;
    EXPECT_EQ(ScrollPositionFor(info, c.code), c.expected) << c.code << " " << c.page;
  }
}

TEST_F(ViewWindow, BarsClampTheOriginFollowsThemAndABarThatCannotScrollIsDisabled) {
  CScrollBar& vert = *view.GetScrollBarCtrl(SB_VERT);
  CScrollBar& horz = *view.GetScrollBarCtrl(SB_HORZ);
  const int page = Vert().nPage;
  // Thumb at the top: the greatest y at the window's top edge.
  view.OnVScroll(SB_TOP, 0, &vert);
  EXPECT_EQ(view.GetWindowOrigin().y(), 2080);
  view.OnVScroll(SB_BOTTOM, 0, &vert);
  EXPECT_EQ(vert.GetScrollPos(), 2080 - page);
  EXPECT_EQ(view.GetWindowOrigin().y(), -80 + page);
  // A page down from there stops at the largest position, max − page + 1.
  view.OnVScroll(SB_PAGEDOWN, 0, &vert);
  EXPECT_EQ(vert.GetScrollPos(), 2080 - page + 1);
  view.OnHScroll(SB_TOP, 0, &horz);
  view.OnHScroll(SB_LINEUP, 0, &horz);
  EXPECT_EQ(horz.GetScrollPos(), -80);
  EXPECT_EQ(view.GetWindowOrigin().x(), -80);

  EXPECT_TRUE(horz.isEnabled());
  view.SetZoom(0.01);  // the whole track is a few millimetres
  Update();
  EXPECT_FALSE(horz.isEnabled());
  EXPECT_TRUE(horz.isVisible());
  EXPECT_EQ(horz.GetScrollPos(), Horz().nMin);
}

TEST_F(ViewWindow, TheStatusBarShowsTheWorldPositionOfTheMouse) {
  EXPECT_EQ(FormatMousePosition({-1, 2}), "-0.001 , 0.002");
  EXPECT_EQ(FormatMousePosition({123456, -7}), "123.456 , -0.007");
  const QPoint device(50, 40);
  QTest::mouseMove(&view, device);
  const WorldPoint world = view.LogicalToWorld(view.GetClientDC().DPtoLP(device));
  EXPECT_EQ(services.m_status->GetPaneText(1), FormatMousePosition(world));
  // Without the position pane nothing is shown, and nothing breaks.
  services.m_status->SetIndicators({ID_SEPARATOR});
  QTest::mouseMove(&view, QPoint(60, 60));
  EXPECT_EQ(services.m_status->GetPaneText(0), "Ready");
}

TEST(ZoomBar, SliderAndZoomAreTiedWithTruncation) {
  EXPECT_EQ(SliderToZoom(33), 1.0);
  EXPECT_NEAR(SliderToZoom(0), 10.0, 1e-12);
  EXPECT_NEAR(SliderToZoom(66), 0.1, 1e-12);
  EXPECT_NEAR(SliderToZoom(100), 0.009326, 1e-6);
  // Zooms no slider position stands for show at the ends.
  const std::pair<double, int> back[] = {{1.0, 33}, {2.0, 23}, {0.5, 42},  {10.0, 0},
                                         {50.0, 0}, {0.0, 100}, {-1.0, 0}};
  for (auto [zoom, position] : back) EXPECT_EQ(ZoomToSlider(zoom), position) << zoom;
}

TEST_F(ViewWindow, TheZoomBarShowsTheAttachedViewsZoomAndZoomsIt) {
  CZoomBar& bar = *services.m_zoom;
  QSlider& slider = *bar.m_wndSlider;
  bar.DetachView(&view);  // the frame's first view may have taken the bar already
  EXPECT_FALSE(slider.isEnabled());
  EXPECT_EQ(slider.maximum(), 100);
  view.SetZoom(0.5);
  bar.AttachView(&view);
  EXPECT_TRUE(slider.isEnabled());
  EXPECT_EQ(slider.value(), 42);
  // Attaching the same view again does not re-read its zoom.
  view.SetZoom(2);
  bar.AttachView(&view);
  EXPECT_EQ(slider.value(), 42);

  slider.triggerAction(QAbstractSlider::SliderSingleStepSub);  // up: zoom in
  EXPECT_EQ(slider.value(), 41);
  EXPECT_DOUBLE_EQ(view.GetZoom(), SliderToZoom(41));
  // The view updated its ranges for the new zoom.
  EXPECT_EQ(Horz().nMax, TruncateToTrackLength(200000 * view.m_dScale + 80));

  CTrassoView other(&doc, nullptr);
  bar.DetachView(&other);
  EXPECT_EQ(bar.GetView(), &view);
  bar.DetachView(&view);
  EXPECT_EQ(bar.GetView(), nullptr);
  EXPECT_FALSE(slider.isEnabled());
  EXPECT_EQ(slider.value(), 41);
}

TEST_F(ViewWindow, SwitchingViewsDetachesFirstThenAttaches) {
  ASSERT_TRUE(frame->GetSplitter().SplitColumn(150));
  CTrassoView* left = Pane(*frame, 0, 0);
  CTrassoView* right = Pane(*frame, 0, 1);
  right->SetZoom(2);
  frame->SetActiveView(left);
  services.m_journal.clear();
  frame->SetActiveView(right);
  EXPECT_EQ(services.m_journal, (std::vector<std::string>{"detach selection", "detach track",
                                                          "attach selection", "attach track"}));
  EXPECT_EQ(services.m_zoom->GetView(), right);
  EXPECT_EQ(services.m_zoom->m_wndSlider->value(), 23);
  EXPECT_EQ(services.m_track->m_pDocument, &doc);
  EXPECT_EQ(services.m_selection->m_pDocument, &doc);
}

TEST_F(ViewWindow, AnUpdateOfTheFocusedViewRefreshesTheSelectionPanel) {
  QApplication::setActiveWindow(frame.get());
  view.setFocus();
  ASSERT_TRUE(view.hasFocus());
  const int before = services.m_selection->m_nRefreshes;
  doc.UpdateAllViews(nullptr);
  EXPECT_EQ(services.m_selection->m_nRefreshes, before + 1);
  view.clearFocus();
  doc.UpdateAllViews(nullptr);
  EXPECT_EQ(services.m_selection->m_nRefreshes, before + 1);
}

TEST_F(ViewWindow, AClosedActiveViewLeavesNoBarPointingAtIt) {
  frame->SetActiveView(&view);
  ASSERT_NE(services.m_zoom->GetView(), nullptr);
  frame.reset();
  EXPECT_EQ(services.m_zoom->GetView(), nullptr);
  EXPECT_FALSE(services.m_zoom->m_wndSlider->isEnabled());
  EXPECT_EQ(services.m_selection->m_pDocument, nullptr);
}
