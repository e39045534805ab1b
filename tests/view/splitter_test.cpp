#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QTest>

#include "view_fixture.h"

namespace {
std::vector<CTrassoView*> Panes(CChildFrame& frame) {
  std::vector<CTrassoView*> panes;
  CSplitterWnd& splitter = frame.GetSplitter();
  for (int r = 0; r < splitter.GetRowCount(); ++r) {
    for (int c = 0; c < splitter.GetColumnCount(); ++c) panes.push_back(Pane(frame, r, c));
  }
  return panes;
}

int BarExtent(QWidget& widget) {
  return widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
}
}  // namespace

TEST(Splitter, SplittingGivesMoreViewsOfOneDocumentAndEditsReachAll) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(400, 300));
  CSplitterWnd& splitter = frame->GetSplitter();
  EXPECT_EQ(Panes(*frame).size(), 1u);

  ASSERT_TRUE(splitter.SplitColumn(180));
  EXPECT_EQ(Panes(*frame).size(), 2u);
  ASSERT_TRUE(splitter.SplitRow(120));
  const std::vector<CTrassoView*> panes = Panes(*frame);
  ASSERT_EQ(panes.size(), 4u);
  EXPECT_FALSE(splitter.SplitRow(60));  // at most 2 × 2

  for (CTrassoView* pane : panes) {
    EXPECT_EQ(pane->GetDocument(), &doc);
    EXPECT_EQ(pane->GetZoom(), 1.0);
    EXPECT_GE(pane->width(), 10);
  }
  doc.AddNode(300000, -1000, false);
  for (CTrassoView* pane : panes) {
    EXPECT_EQ(pane->m_rcExtent.right, 300000);
    EXPECT_EQ(pane->m_rcExtent.top, -1000);
  }
}

TEST(Splitter, PanesOfAColumnShareTheHorizontalBarAndOfARowTheVertical) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(400, 300));
  CSplitterWnd& splitter = frame->GetSplitter();
  ASSERT_TRUE(splitter.SplitColumn(180));
  ASSERT_TRUE(splitter.SplitRow(120));
  CTrassoView *topLeft = Pane(*frame, 0, 0), *bottomLeft = Pane(*frame, 1, 0);
  CTrassoView* topRight = Pane(*frame, 0, 1);
  CScrollBar* column = topLeft->GetScrollBarCtrl(SB_HORZ);
  EXPECT_EQ(column, bottomLeft->GetScrollBarCtrl(SB_HORZ));
  EXPECT_NE(column, topRight->GetScrollBarCtrl(SB_HORZ));
  EXPECT_EQ(topLeft->GetScrollBarCtrl(SB_VERT), topRight->GetScrollBarCtrl(SB_VERT));

  // The range is the one of the pane updated last.
  bottomLeft->SetZoom(2);
  bottomLeft->OnUpdate(nullptr, 0, nullptr);
  EXPECT_EQ(column->GetScrollInfo().nMax, 4080);
  EXPECT_EQ(topRight->GetScrollBarCtrl(SB_HORZ)->GetScrollInfo().nMax, 2080);

  bottomLeft->OnHScroll(SB_PAGEDOWN, 0, column);
  EXPECT_GT(column->GetScrollPos(), 0);
  EXPECT_EQ(topLeft->GetWindowOrigin().x(), column->GetScrollPos());
  EXPECT_EQ(bottomLeft->GetWindowOrigin().x(), column->GetScrollPos());
  EXPECT_EQ(topRight->GetWindowOrigin().x(), 0);
}

TEST(Splitter, DraggingASplitBoxSplitsWhereItIsReleased) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(400, 300));
  CSplitterWnd& splitter = frame->GetSplitter();
  const int sb = BarExtent(splitter);
  // The row box sits at the top of the vertical bar.
  QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(splitter.width() - sb / 2, 2));
  EXPECT_TRUE(splitter.IsTracking());
  QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(splitter.width() - sb / 2, 103));
  EXPECT_EQ(splitter.GetRowCount(), 2);
  EXPECT_EQ(Pane(*frame, 0)->height(), 100);

  // The column box at the left end of the horizontal bar; released too near
  // the edge, nothing is split.
  QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(2, splitter.height() - sb / 2));
  QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(8, splitter.height() - sb / 2));
  EXPECT_EQ(splitter.GetColumnCount(), 1);
  EXPECT_FALSE(splitter.IsTracking());
}

TEST(Splitter, APaneDraggedBelowTenPixelsJoinsItsNeighbour) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(400, 300));
  CSplitterWnd& splitter = frame->GetSplitter();
  ASSERT_TRUE(splitter.SplitColumn(180));
  CTrassoView* right = Pane(*frame, 0, 1);

  splitter.TrackColumnSize(40);
  EXPECT_EQ(Pane(*frame, 0, 0)->width(), 40);
  splitter.TrackColumnSize(10);  // exactly the minimum stays
  EXPECT_EQ(splitter.GetColumnCount(), 2);

  // Dragging the split bar with the mouse to the left edge removes the left pane.
  QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(12, 50));
  QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(5, 50));
  EXPECT_EQ(splitter.GetColumnCount(), 1);
  EXPECT_EQ(Pane(*frame, 0, 0), right);
  EXPECT_EQ(right->x(), 0);
}

TEST(Splitter, TheSplitCommandFollowsTheMouseUntilAClick) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(400, 300));
  CSplitterWnd& splitter = frame->GetSplitter();
  frame->OnWindowSplit();
  ASSERT_TRUE(splitter.IsTracking());
  QTest::keyClick(&splitter, Qt::Key_Escape);
  EXPECT_FALSE(splitter.IsTracking());
  EXPECT_EQ(Panes(*frame).size(), 1u);

  frame->OnWindowSplit();
  QTest::mouseMove(&splitter, QPoint(153, 103));
  QTest::mouseClick(&splitter, Qt::LeftButton, {}, QPoint(153, 103));
  EXPECT_EQ(Panes(*frame).size(), 4u);
  EXPECT_EQ(Pane(*frame, 0, 0)->size(), QSize(150, 100));
}

TEST(Splitter, NextAndPreviousPaneCycleTheActiveView) {
  FakeServices services;
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(400, 300));
  ASSERT_TRUE(frame->GetSplitter().SplitColumn(180));
  ASSERT_TRUE(frame->GetSplitter().SplitRow(120));
  frame->SetActiveView(Pane(*frame, 0, 0));

  frame->OnNextPane();
  EXPECT_EQ(frame->GetActiveView(), Pane(*frame, 0, 1));
  frame->OnNextPane();
  EXPECT_EQ(frame->GetActiveView(), Pane(*frame, 1, 0));
  frame->OnPrevPane();
  frame->OnPrevPane();
  frame->OnPrevPane();
  EXPECT_EQ(frame->GetActiveView(), Pane(*frame, 1, 1));
  EXPECT_EQ(services.m_zoom->GetView(), Pane(*frame, 1, 1));

  // Joining the active pane's row makes its neighbour active.
  frame->GetSplitter().DeleteRow(1);
  EXPECT_EQ(frame->GetActiveView(), Pane(*frame, 0, 1));
  EXPECT_EQ(services.m_zoom->GetView(), Pane(*frame, 0, 1));
}

TEST(Splitter, F6MovesTheFocusToTheNextPane) {
  CTrassoDoc doc;
  auto frame = ShowFrame(doc, QSize(400, 300));
  ASSERT_TRUE(frame->GetSplitter().SplitColumn(180));
  QApplication::setActiveWindow(frame.get());
  Pane(*frame, 0, 0)->setFocus();
  QTest::keyClick(Pane(*frame, 0, 0), Qt::Key_F6);
  EXPECT_TRUE(Pane(*frame, 0, 1)->hasFocus());
  QTest::keyClick(Pane(*frame, 0, 1), Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_TRUE(Pane(*frame, 0, 0)->hasFocus());
  EXPECT_EQ(frame->GetActiveView(), Pane(*frame, 0, 0));
}
