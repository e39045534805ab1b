#pragma once
// A dynamic splitter of up to 2 × 2 views. It starts with one pane; the user
// drags a split box (the top end of the vertical scroll bar, the left end of
// the horizontal one) to split it, drags the split bars to resize, and a pane
// dragged below the minimum size joins its neighbour again. The scroll bars
// belong to the splitter: one horizontal bar per column and one vertical bar
// per row, shared by the views of that column or row.

#include <QSize>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "platform/qt/scroll_bar.h"

class CFrameWnd;
class CView;

class CSplitterWnd : public QWidget {
  Q_OBJECT

 public:
  // Makes a new view on the splitter's document, as a child of `parent`.
  using ViewFactory = std::function<CView*(QWidget* parent)>;

  CSplitterWnd();
  ~CSplitterWnd() override;

  // Creates the first pane. At most 2 rows and 2 columns; panes are never made
  // smaller than `sizeMin` pixels. Fails when the limits are out of range or
  // the factory makes no view.
  bool Create(QWidget* parent, int nMaxRows, int nMaxCols, QSize sizeMin, ViewFactory factory);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  CView* GetPane(int row, int col) const;
  // The bar of the pane's column (SB_HORZ) or row (SB_VERT); null for a view
  // that is not a pane of this splitter.
  CScrollBar* GetScrollBarCtrl(const CView* pane, ScrollBarKind bar) const;

  // Splits with the first column (row) `size` pixels wide (high). Refused when
  // already split that way, or when either side would be below the minimum.
  bool SplitColumn(int size);
  bool SplitRow(int size);
  // Removes the panes of one column (row); the others take its place.
  void DeleteColumn(int col);
  void DeleteRow(int row);
  // Resizes the first column (row) as a split bar drag would, joining the
  // panes when either side falls below the minimum.
  void TrackColumnSize(int size);
  void TrackRowSize(int size);

  // Starts a split at the centre that follows the mouse until a click places
  // it; Escape cancels.
  void DoKeyboardSplit();
  bool IsTracking() const { return m_track.bRows || m_track.bCols; }

  // Moves the focus to the next (previous) pane, in rows from the top left.
  void ActivateNext(bool bPrev);
  CView* GetActivePane() const;
  void SetActivePane(CView* view);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What a point of the splitter's own area is.
  struct HitArea {
    bool bRows = false;  // the row split box or the row split bar
    bool bCols = false;
  };
  struct Tracking {
    bool bRows = false;
    bool bCols = false;
    bool bKeyboard = false;
    QPoint pos;
  };

  CScrollBar* MakeBar(Qt::Orientation orientation, const CScrollBar* copyFrom);
  void OnBarScrolled(CScrollBar* bar, bool bHorizontal, int code, int pos);
  void RepaintPanesOf(const CScrollBar* bar);
  CView* MakePane();
  void RecalcLayout();
  int ScrollBarExtent() const;
  QSize PaneArea() const;
  QRect ColumnBoxRect() const;
  QRect RowBoxRect() const;
  QRect ColumnBarRect() const;
  QRect RowBarRect() const;
  HitArea HitTest(QPoint point) const;
  void StartTracking(HitArea area, QPoint pos, bool bKeyboard);
  void MoveTracker(QPoint pos);
  void StopTracking(bool bApply);
  void ApplyColumnTrack(int size);
  void ApplyRowTrack(int size);

  // Thickness of a split bar and length of a split box, in pixels.
  static constexpr int kSplitterSize = 6;

  int m_nMaxRows = 1;
  int m_nMaxCols = 1;
  int m_nRows = 0;
  int m_nCols = 0;
  QSize m_sizeMin;
  int m_nColSize = 0;  // width of the first column while there are two
  int m_nRowSize = 0;  // height of the first row while there are two
  ViewFactory m_factory;
  std::array<std::array<CView*, 2>, 2> m_panes{};      // [row][col], children of this widget
  std::array<std::unique_ptr<CScrollBar>, 2> m_hBars;  // per column
  std::array<std::unique_ptr<CScrollBar>, 2> m_vBars;  // per row
  Tracking m_track;
  std::unique_ptr<QWidget> m_rowTracker;
  std::unique_ptr<QWidget> m_colTracker;
};
