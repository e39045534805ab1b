#include <QApplication>
#include <QSlider>
#include <QStyle>
#include <QTest>

#include "fixture.h"

namespace {
struct Window : ToolTest {
  Window() : splitter(frame->GetSplitter()) {}
  SCROLLINFO Info(ScrollBarKind bar) { return view.GetScrollBarCtrl(bar)->GetScrollInfo(); }
  CTrassoView* At(int row, int col = 0) { return Pane(*frame, row, col); }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&splitter, Qt::LeftButton, {}, from);
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, to);
  }
  int Bar() const {
    return splitter.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &splitter);
  }
  QSize Area() const { return splitter.size() - QSize(Bar(), Bar()); }

  CSplitterWnd& splitter;
};
}  // namespace

TEST_F(Window, BarsScrollAndClampRangesHoldTheNodesWithAMarginAndTheStatusBarShowsTheMouse) {
  CScrollBar& vert = *view.GetScrollBarCtrl(SB_VERT);
  const int rows = Info(SB_VERT).nPage;
  for (int code : {SB_TOP, SB_LINEDOWN, SB_PAGEDOWN}) view.OnVScroll(code, 0, &vert);
  EXPECT_EQ(vert.GetScrollPos(), -80 + rows / 20 + rows * 8 / 10);
  view.OnVScroll(SB_BOTTOM, 0, &vert);  // where a page down stops at max − page + 1
  EXPECT_EQ(view.GetWindowOrigin().y(), -80 + rows);
  view.OnVScroll(SB_PAGEDOWN, 0, &vert);
  EXPECT_EQ(vert.GetScrollPos(), 2080 - rows + 1);
  view.OnVScroll(SB_PAGEUP, 0, &vert);
  EXPECT_EQ(vert.GetScrollPos(), 2080 - rows + 1 - rows * 8 / 10);
  SCROLLINFO tiny = Info(SB_HORZ);
  tiny.nPage = 15;  // a line is a twentieth of a page, at least 1
  EXPECT_EQ(std::pair(ScrollPositionFor(tiny, SB_LINEDOWN), ScrollPositionFor(tiny, SB_LINEUP)),
            std::pair(tiny.nPos + 1, tiny.nPos - 1));
  const auto ranges = [&] {
    return std::vector<int>{Info(SB_HORZ).nMin, Info(SB_HORZ).nMax, Info(SB_VERT).nMin,
                            Info(SB_VERT).nMax, Info(SB_HORZ).nPage};
  };
  const int page = std::lround(view.width() * 254.0 / view.logicalDpiX());
  TrackBuilder(doc).Node(-5000, 250000);
  doc.UpdateAllViews(nullptr);
  EXPECT_EQ(ranges(), (std::vector<int>{-130, 2080, -80, 2580, page}));
  view.SetZoom(2);
  view.OnUpdate(nullptr, 0, nullptr);
  EXPECT_EQ(ranges(), (std::vector<int>{-180, 4080, -80, 5080, page}));
  QTest::mouseMove(&view, QPoint(50, 40));
  const QPoint logical = view.GetClientDC().DPtoLP(QPoint(50, 40));
  EXPECT_EQ(services.status.GetPaneText(1), FormatMousePosition(view.LogicalToWorld(logical)));
  EXPECT_EQ(FormatMousePosition({123456, -7}), "123.456 , -0.007");
}

TEST_F(Window, SwitchingViewsDetachesFirstThenAttachesAndAClosedViewLeavesNoBarOnIt) {
  ASSERT_TRUE(splitter.SplitColumn(150));
  At(0, 1)->SetZoom(2);
  frame->SetActiveView(At(0, 0));
  services.journal.clear();
  frame->SetActiveView(At(0, 1));
  EXPECT_EQ(services.journal,
            (std::vector<std::string>{"detach selection", "detach track", "detach check",
                                      "attach selection", "attach track", "attach check"}));
  EXPECT_EQ(services.zoom.m_wndSlider->value(), 23);
  services.zoom.m_wndSlider->triggerAction(QAbstractSlider::SliderSingleStepSub);  // zoom in
  EXPECT_DOUBLE_EQ(At(0, 1)->GetZoom(), SliderToZoom(22));
  QApplication::setActiveWindow(frame.get());
  At(0, 1)->setFocus();
  ASSERT_TRUE(At(0, 1)->hasFocus());
  const int before = services.selection.refreshes;
  for (int col : {0, 1}) At(0, col)->OnUpdate(nullptr, 0, nullptr);
  EXPECT_EQ(services.selection.refreshes, before + 1);
  frame.reset();
  EXPECT_FALSE(services.zoom.GetView() || services.selection.document || services.check.document);
}

TEST_F(Window, UpToFourPanesShowOneDocumentAndShareTheBarsOfTheirColumnAndRow) {
  // Unsplit, the split boxes sit at the near ends of the bars, 6 pixels long.
  const int w = Area().width(), h = Area().height();
  EXPECT_EQ(view.GetScrollBarCtrl(SB_HORZ)->geometry(), QRect(6, h, w - 6, Bar()));
  EXPECT_EQ(view.GetScrollBarCtrl(SB_VERT)->geometry(), QRect(w, 6, Bar(), h - 6));
  ASSERT_TRUE(splitter.SplitColumn(180) && splitter.SplitRow(120));
  EXPECT_FALSE(splitter.SplitRow(60) || splitter.SplitColumn(60));
  CTrassoView *topLeft = At(0, 0), *bottomLeft = At(1, 0), *topRight = At(0, 1);
  EXPECT_EQ(topLeft->geometry(), QRect(0, 0, 180, 120));
  EXPECT_EQ(At(1, 1)->geometry(), QRect(186, 126, w - 186, h - 126));
  EXPECT_EQ(At(1, 1)->GetScrollBarCtrl(SB_VERT)->geometry(), QRect(w, 126, Bar(), h - 126));
  doc.AddNode(300000, -1000, false);
  CScrollBar* column = topLeft->GetScrollBarCtrl(SB_HORZ);
  EXPECT_EQ(column, bottomLeft->GetScrollBarCtrl(SB_HORZ));
  EXPECT_EQ(topLeft->GetScrollBarCtrl(SB_VERT), topRight->GetScrollBarCtrl(SB_VERT));
  bottomLeft->SetZoom(2);
  bottomLeft->OnUpdate(nullptr, 0, nullptr);
  EXPECT_EQ(column->GetScrollInfo().nMax, 6080);  // from the pane updated last
  EXPECT_EQ(topRight->GetScrollBarCtrl(SB_HORZ)->GetScrollInfo().nMax, 3080);
  column->setSliderDown(true);
  column->setSliderPosition(400);
  column->setSliderDown(false);
  EXPECT_EQ(topLeft->GetWindowOrigin().x() + bottomLeft->GetWindowOrigin().x(), 800);
  EXPECT_EQ(topRight->GetWindowOrigin().x(), 0);
}

TEST_F(Window, DraggingASplitBoxSplitsABarJoinsBelowTenPixelsAndTheCommandFollowsTheMouse) {
  const int box = splitter.width() - Bar() / 2;
  QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(box, 2));
  EXPECT_TRUE(splitter.IsTracking());
  QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(box, 103));
  EXPECT_EQ(At(0)->height(), 100);
  // The column box, at the left end of the horizontal bar, released too near either edge.
  const QPoint columnBox(2, splitter.height() - Bar() / 2);
  Drag(columnBox, columnBox + QPoint(6, 0));
  EXPECT_FALSE(splitter.GetColumnCount() != 1 || splitter.IsTracking());
  Drag(columnBox, QPoint(Area().width() - 5, 50));
  EXPECT_EQ(splitter.GetColumnCount(), 1);
  ASSERT_TRUE(splitter.SplitColumn(180));
  splitter.TrackColumnSize(10);  // exactly the minimum stays
  // A bar dragged to either edge joins the panes; the one kept keeps its scrolling.
  CTrassoView* right = At(0, 1);
  right->OnHScroll(SB_PAGEDOWN, 0, right->GetScrollBarCtrl(SB_HORZ));
  const int scrolled = right->GetWindowOrigin().x();
  Drag(QPoint(12, 50), QPoint(5, 50));
  EXPECT_EQ(std::tuple(At(0, 0), right->geometry().topLeft(), right->GetWindowOrigin().x()),
            std::tuple(right, QPoint(0, 0), scrolled));
  ASSERT_TRUE(splitter.SplitColumn(180));
  CTrassoView* left = At(0, 0);
  Drag(QPoint(183, 50), QPoint(Area().width() - 5, 50));
  EXPECT_EQ(At(0, 0), left);
  Drag(QPoint(50, 103), QPoint(50, Area().height() - 5));  // the row bar to the bottom
  EXPECT_EQ(std::pair(splitter.GetRowCount(), At(0)->height()), std::pair(1, Area().height()));
  frame->OnWindowSplit();
  ASSERT_TRUE(splitter.IsTracking());
  QTest::keyClick(&splitter, Qt::Key_Escape);
  EXPECT_FALSE(splitter.IsTracking() || splitter.GetRowCount() * splitter.GetColumnCount() > 1);
  frame->OnWindowSplit();
  QMouseEvent move(QEvent::MouseMove, QPointF(83, 63), splitter.mapToGlobal(QPointF(83, 63)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&splitter, &move);
  QTest::keyClick(&splitter, Qt::Key_Return);
  EXPECT_EQ(At(0, 0)->size(), QSize(80, 60));
}
