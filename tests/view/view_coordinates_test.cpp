#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <QSlider>

#include "resource_ids.h"
#include "view_fixture.h"

namespace {
SCROLLINFO Info(int min, int max, int page, int pos, int track = 0) {
  SCROLLINFO info;
  info.nMin = min;
  info.nMax = max;
  info.nPage = page;
  info.nPos = pos;
  info.nTrackPos = track;
  return info;
}

int LogicalWidth(QWidget& widget, int pixels) {
  return static_cast<int>(std::lround(pixels * 254.0 / widget.logicalDpiX()));
}
}  // namespace

TEST(ViewCoordinates, ConversionsTruncateTowardZeroOnBothSides) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc);
  CTrassoView& view = *Pane(*frame);
  EXPECT_DOUBLE_EQ(view.GetZoom(), 1.0);
  EXPECT_EQ(view.LogicalToWorld({-1, 1}), (WorldPoint{-100, 100}));
  EXPECT_EQ(view.WorldToLogical(199, -199), QPoint(1, -1));
  EXPECT_EQ(view.WorldToLogical(99, -99), QPoint(0, 0));

  view.SetZoom(3);  // 0.03 logical units per TrackLength unit
  EXPECT_EQ(view.LogicalToWorld({1, -1}), (WorldPoint{33, -33}));
  EXPECT_EQ(view.LogicalToWorld({2, -2}), (WorldPoint{66, -66}));
  EXPECT_DOUBLE_EQ(view.GetZoom(), 3.0);
}

TEST(ViewCoordinates, ConversionsSaturateInsteadOfOverflowing) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc);
  CTrassoView& view = *Pane(*frame);
  view.SetZoom(SliderToZoom(100));
  const WorldPoint far = view.LogicalToWorld({2000000000, -2000000000});
  EXPECT_EQ(far.x, std::numeric_limits<TrackLength>::max());
  EXPECT_EQ(far.y, std::numeric_limits<TrackLength>::min());
}

TEST(ViewScrolling, RangesHoldTheSquareAndTheNodesWithAMargin) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(300, 200));
  CTrassoView& view = *Pane(*frame);
  CScrollBar& horz = *view.GetScrollBarCtrl(SB_HORZ);
  CScrollBar& vert = *view.GetScrollBarCtrl(SB_VERT);
  EXPECT_EQ(horz.GetScrollInfo().nMin, -80);
  EXPECT_EQ(horz.GetScrollInfo().nMax, 2080);
  EXPECT_EQ(vert.GetScrollInfo().nMin, -80);
  EXPECT_EQ(vert.GetScrollInfo().nMax, 2080);
  // The page is the window in logical units.
  EXPECT_EQ(horz.GetScrollInfo().nPage, LogicalWidth(view, view.width()));

  TrackBuilder(doc).Node(-5000, 250000);
  doc.UpdateAllViews(nullptr);
  EXPECT_EQ(horz.GetScrollInfo().nMin, -130);
  EXPECT_EQ(vert.GetScrollInfo().nMax, 2580);

  view.SetZoom(2);
  view.OnUpdate(nullptr, 0, nullptr);
  EXPECT_EQ(horz.GetScrollInfo().nMin, -180);
  EXPECT_EQ(vert.GetScrollInfo().nMax, 5080);
}

TEST(ViewScrolling, ScrollCodesFollowTheTable) {
  EXPECT_EQ(ScrollPositionFor(Info(0, 2000, 15, 100), SB_LINEUP), 99);
  EXPECT_EQ(ScrollPositionFor(Info(0, 2000, 15, 100), SB_LINEDOWN), 101);
  EXPECT_EQ(ScrollPositionFor(Info(0, 2000, 1000, 100), SB_LINEDOWN), 150);
  EXPECT_EQ(ScrollPositionFor(Info(0, 2000, 1000, 900), SB_PAGEUP), 100);
  EXPECT_EQ(ScrollPositionFor(Info(0, 2000, 1000, 100), SB_PAGEDOWN), 900);
  EXPECT_EQ(ScrollPositionFor(Info(-80, 2080, 500, 100), SB_TOP), -80);
  EXPECT_EQ(ScrollPositionFor(Info(-80, 2080, 500, 100), SB_BOTTOM), 1580);
  EXPECT_EQ(ScrollPositionFor(Info(-80, 2080, 500, 100, 700), SB_THUMBTRACK), 700);
  EXPECT_EQ(ScrollPositionFor(Info(-80, 2080, 500, 100, 700), SB_THUMBPOSITION), 700);
  EXPECT_EQ(ScrollPositionFor(Info(-80, 2080, 500, 100, 700), SB_ENDSCROLL), 100);
}

TEST(ViewScrolling, BarsClampAndTheOriginFollowsThem) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(300, 200));
  CTrassoView& view = *Pane(*frame);
  CScrollBar& vert = *view.GetScrollBarCtrl(SB_VERT);
  CScrollBar& horz = *view.GetScrollBarCtrl(SB_HORZ);
  const int page = vert.GetScrollInfo().nPage;

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
}

TEST(ViewScrolling, ABarThatCannotScrollIsDisabledNotHidden) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(300, 200));
  CTrassoView& view = *Pane(*frame);
  CScrollBar& horz = *view.GetScrollBarCtrl(SB_HORZ);
  EXPECT_TRUE(horz.isEnabled());
  view.SetZoom(0.01);  // the whole track is a few millimetres
  view.OnUpdate(nullptr, 0, nullptr);
  EXPECT_FALSE(horz.isEnabled());
  EXPECT_TRUE(horz.isVisible());
  EXPECT_EQ(horz.GetScrollPos(), horz.GetScrollInfo().nMin);
}

TEST(ViewScrolling, DraggingTheThumbScrollsEveryPaneOfTheColumn) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(300, 300));
  ASSERT_TRUE(frame->GetSplitter().SplitRow(140));
  CScrollBar& horz = *Pane(*frame, 0)->GetScrollBarCtrl(SB_HORZ);
  ASSERT_EQ(&horz, Pane(*frame, 1)->GetScrollBarCtrl(SB_HORZ));
  horz.setSliderDown(true);
  horz.setSliderPosition(400);
  horz.setSliderDown(false);
  EXPECT_EQ(horz.GetScrollPos(), 400);
  EXPECT_EQ(Pane(*frame, 0)->GetWindowOrigin().x(), 400);
  EXPECT_EQ(Pane(*frame, 1)->GetWindowOrigin().x(), 400);
}

TEST(ViewReadout, ShowsTheWorldPositionOfTheMouse) {
  EXPECT_EQ(FormatMousePosition({-1, 2}), "-0.001 , 0.002");
  EXPECT_EQ(FormatMousePosition({123456, -7}), "123.456 , -0.007");

  FakeServices services;
  CTrassoDoc doc;
  auto frame = ShowFrame(doc);
  CTrassoView& view = *Pane(*frame);
  const QPoint device(50, 40);
  QTest::mouseMove(&view, device);
  const WorldPoint world = view.LogicalToWorld(view.GetClientDC().DPtoLP(device));
  EXPECT_EQ(services.m_status->GetPaneText(1), FormatMousePosition(world));

  // Without the position pane nothing is shown, and nothing breaks.
  services.m_status->SetIndicators({ID_SEPARATOR});
  QTest::mouseMove(&view, QPoint(60, 60));
  EXPECT_EQ(services.m_status->GetPaneText(0), "Ready");
}

TEST(ViewActivation, SwitchingViewsDetachesFirstThenAttaches) {
  FakeServices services;
  CTrassoDoc doc;
  auto frame = ShowFrame(doc);
  ASSERT_TRUE(frame->GetSplitter().SplitColumn(150));
  CTrassoView* left = Pane(*frame, 0, 0);
  CTrassoView* right = Pane(*frame, 0, 1);
  right->SetZoom(2);

  frame->SetActiveView(left);
  EXPECT_EQ(services.m_journal, (std::vector<std::string>{"attach selection", "attach track"}));
  EXPECT_EQ(services.m_zoom->GetView(), left);
  EXPECT_EQ(services.m_selection->m_pDocument, &doc);

  services.m_journal.clear();
  frame->SetActiveView(right);
  EXPECT_EQ(services.m_journal, (std::vector<std::string>{"detach selection", "detach track",
                                                          "attach selection", "attach track"}));
  EXPECT_EQ(services.m_zoom->GetView(), right);
  EXPECT_EQ(services.m_zoom->m_wndSlider->value(), 23);
  EXPECT_EQ(services.m_track->m_pDocument, &doc);
}

TEST(ViewActivation, AnUpdateOfTheFocusedViewRefreshesTheSelectionPanel) {
  FakeServices services;
  CTrassoDoc doc;
  auto frame = ShowFrame(doc);
  QApplication::setActiveWindow(frame.get());
  CTrassoView* view = Pane(*frame);
  view->setFocus();
  ASSERT_TRUE(view->hasFocus());
  const int before = services.m_selection->m_nRefreshes;
  doc.UpdateAllViews(nullptr);
  EXPECT_EQ(services.m_selection->m_nRefreshes, before + 1);

  view->clearFocus();
  doc.UpdateAllViews(nullptr);
  EXPECT_EQ(services.m_selection->m_nRefreshes, before + 1);
}

TEST(ViewActivation, AClosedActiveViewLeavesNoBarPointingAtIt) {
  FakeServices services;
  CTrassoDoc doc;
  {
    auto frame = ShowFrame(doc);
    frame->SetActiveView(Pane(*frame));
    ASSERT_NE(services.m_zoom->GetView(), nullptr);
  }
  EXPECT_EQ(services.m_zoom->GetView(), nullptr);
  EXPECT_FALSE(services.m_zoom->m_wndSlider->isEnabled());
  EXPECT_EQ(services.m_selection->m_pDocument, nullptr);
}
