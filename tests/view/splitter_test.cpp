// Splitting a window into panes: by command, by the split boxes and bars with
// the mouse, the shared scroll bars, and moving between panes.

#include <QApplication>
#include <QStyle>
#include <QTest>

#include "fixture.h"

namespace {
class Splitter : public ::testing::Test {
 protected:
  Splitter() : frame(ShowFrame(doc)), splitter(frame->GetSplitter()) {}
  int PaneCount() const { return splitter.GetRowCount() * splitter.GetColumnCount(); }
  CTrassoView* At(int row, int col = 0) { return Pane(*frame, row, col); }
  void Split() {
    ASSERT_TRUE(splitter.SplitColumn(180));
    ASSERT_TRUE(splitter.SplitRow(120));
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&splitter, Qt::LeftButton, {}, from);
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, to);
  }
  // The width of the scroll bars, and the area left for the panes.
  int Bar() const { return splitter.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &splitter); }
  QSize Area() const { return splitter.size() - QSize(Bar(), Bar()); }

  FakeServices services;
  CTrassoDoc doc;
  std::unique_ptr<CChildFrame> frame;
  CSplitterWnd& splitter;
};
}  // namespace

TEST_F(Splitter, UpToFourPanesShowOneDocumentAndEditsReachAll) {
  // Unsplit, the split boxes sit at the near ends of the bars, 6 pixels long.
  const QSize area = Area();
  EXPECT_EQ(At(0)->geometry(), QRect(QPoint(0, 0), area));
  EXPECT_EQ(At(0)->GetScrollBarCtrl(SB_HORZ)->geometry(), QRect(6, area.height(), area.width() - 6, Bar()));
  EXPECT_EQ(At(0)->GetScrollBarCtrl(SB_VERT)->geometry(), QRect(area.width(), 6, Bar(), area.height() - 6));
  Split();
  EXPECT_FALSE(splitter.SplitRow(60));
  EXPECT_FALSE(splitter.SplitColumn(60));
  ASSERT_EQ(PaneCount(), 4);
  EXPECT_EQ(At(0, 0)->geometry(), QRect(0, 0, 180, 120));
  EXPECT_EQ(At(1, 1)->geometry(), QRect(186, 126, area.width() - 186, area.height() - 126));
  EXPECT_EQ(At(1, 1)->GetScrollBarCtrl(SB_VERT)->geometry(), QRect(area.width(), 126, Bar(), area.height() - 126));
  doc.AddNode(300000, -1000, false);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(At(i / 2, i % 2)->GetDocument(), &doc);
    EXPECT_EQ(At(i / 2, i % 2)->m_rcExtent.right, 300000);
  }
}

TEST_F(Splitter, PanesOfAColumnShareTheHorizontalBarAndOfARowTheVertical) {
  Split();
  CTrassoView *topLeft = At(0, 0), *bottomLeft = At(1, 0), *topRight = At(0, 1);
  CScrollBar* column = topLeft->GetScrollBarCtrl(SB_HORZ);
  EXPECT_EQ(column, bottomLeft->GetScrollBarCtrl(SB_HORZ));
  EXPECT_NE(column, topRight->GetScrollBarCtrl(SB_HORZ));
  EXPECT_EQ(topLeft->GetScrollBarCtrl(SB_VERT), topRight->GetScrollBarCtrl(SB_VERT));
  // The range is the one of the pane updated last.
  bottomLeft->SetZoom(2);
  bottomLeft->OnUpdate(nullptr, 0, nullptr);
  EXPECT_EQ(column->GetScrollInfo().nMax, 4080);
  EXPECT_EQ(topRight->GetScrollBarCtrl(SB_HORZ)->GetScrollInfo().nMax, 2080);

  // Dragging the thumb scrolls every pane of the column, and only those.
  column->setSliderDown(true);
  column->setSliderPosition(400);
  column->setSliderDown(false);
  EXPECT_EQ(column->GetScrollPos(), 400);
  EXPECT_EQ(topLeft->GetWindowOrigin().x(), 400);
  EXPECT_EQ(bottomLeft->GetWindowOrigin().x(), 400);
  EXPECT_EQ(topRight->GetWindowOrigin().x(), 0);
}

TEST_F(Splitter, DraggingASplitBoxSplitsWhereItIsReleasedAndABarJoinsBelowTenPixels) {
  // The row box sits at the top of the vertical bar.
  const int box = splitter.width() - Bar() / 2;
  QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(box, 2));
  EXPECT_TRUE(splitter.IsTracking());
  QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(box, 103));
  EXPECT_EQ(splitter.GetRowCount(), 2);
  EXPECT_EQ(At(0)->height(), 100);
  // The column box at the left end of the horizontal bar; released too near
  // the edge, nothing is split.
  Drag(QPoint(2, splitter.height() - Bar() / 2), QPoint(8, splitter.height() - Bar() / 2));
  EXPECT_EQ(splitter.GetColumnCount(), 1);
  EXPECT_FALSE(splitter.IsTracking());

  ASSERT_TRUE(splitter.SplitColumn(180));
  CTrassoView* right = At(0, 1);
  splitter.TrackColumnSize(40);
  EXPECT_EQ(At(0, 0)->width(), 40);
  splitter.TrackColumnSize(10);  // exactly the minimum stays
  EXPECT_EQ(splitter.GetColumnCount(), 2);
  Drag(QPoint(12, 50), QPoint(5, 50));  // the split bar to the left edge
  EXPECT_EQ(splitter.GetColumnCount(), 1);
  EXPECT_EQ(At(0, 0), right);
  EXPECT_EQ(right->x(), 0);
  // The lower row dragged away at the bottom edge.
  Drag(QPoint(50, 103), QPoint(50, Area().height() - 5));
  EXPECT_EQ(splitter.GetRowCount(), 1);
  EXPECT_EQ(At(0)->height(), Area().height());
}

TEST_F(Splitter, TheSplitCommandFollowsTheMouseUntilAClickOrEnter) {
  frame->OnWindowSplit();
  ASSERT_TRUE(splitter.IsTracking());
  QTest::keyClick(&splitter, Qt::Key_Escape);
  EXPECT_FALSE(splitter.IsTracking());
  EXPECT_EQ(PaneCount(), 1);

  frame->OnWindowSplit();
  QTest::mouseMove(&splitter, QPoint(153, 103));
  QTest::keyClick(&splitter, Qt::Key_Return);
  EXPECT_EQ(PaneCount(), 4);
  EXPECT_EQ(At(0, 0)->size(), QSize(150, 100));

  splitter.DeleteRow(1);
  splitter.DeleteColumn(0);
  frame->OnWindowSplit();
  QTest::mouseClick(&splitter, Qt::LeftButton, {}, QPoint(83, 63));
  EXPECT_EQ(PaneCount(), 4);
  EXPECT_EQ(At(0, 0)->size(), QSize(80, 60));
}

TEST_F(Splitter, NextAndPreviousPaneCycleTheActiveViewAndF6MovesTheFocus) {
  Split();
  frame->SetActiveView(At(0, 0));
  frame->OnNextPane();
  EXPECT_EQ(frame->GetActiveView(), At(0, 1));
  frame->OnNextPane();
  EXPECT_EQ(frame->GetActiveView(), At(1, 0));
  for (int i = 0; i < 3; ++i) frame->OnPrevPane();
  EXPECT_EQ(frame->GetActiveView(), At(1, 1));
  EXPECT_EQ(services.m_zoom->GetView(), At(1, 1));
  // Joining the active pane's row makes its neighbour active.
  splitter.DeleteRow(1);
  EXPECT_EQ(frame->GetActiveView(), At(0, 1));
  EXPECT_EQ(services.m_zoom->GetView(), At(0, 1));

  QApplication::setActiveWindow(frame.get());
  At(0, 0)->setFocus();
  QTest::keyClick(At(0, 0), Qt::Key_F6);
  EXPECT_TRUE(At(0, 1)->hasFocus());
  QTest::keyClick(At(0, 1), Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_TRUE(At(0, 0)->hasFocus());
  EXPECT_EQ(frame->GetActiveView(), At(0, 0));
}
