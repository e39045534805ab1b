#pragma once
// The base of every view: a widget that shows one document, paints through a
// prepared CDC, scrolls with the bars of the splitter it sits in, tells its
// frame when it gets the focus, and prints one page of itself.

#include <QWidget>

#include "platform/document.h"
#include "platform/qt/dc.h"
#include "platform/qt/scroll_bar.h"

class CFrameWnd;
class QPrinter;

class CView : public QWidget, public CDocumentObserver {
  Q_OBJECT

 public:
  // Registers the view with `document`, which must outlive it.
  CView(CDocument* document, QWidget* parent);
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }

  // The first update after the view has its place in the frame.
  virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
  // Sets the mapping of every DC the view uses: painting, printing, mouse points.
  virtual void OnPrepareDC(CDC& dc) = 0;
  virtual void OnDraw(CDC& dc) = 0;
  // `activate` is the view becoming active, `deactivate` the one losing it;
  // either may be null.
  virtual void OnActivateView(bool bActivate, CView* activate, CView* deactivate) = 0;
  // A user action on one of the view's scroll bars.
  virtual void OnHScroll(int code, int pos, CScrollBar* bar) = 0;
  virtual void OnVScroll(int code, int pos, CScrollBar* bar) = 0;

  // The shared bar of the splitter row or column the view sits in; null when
  // the view is not in a splitter.
  CScrollBar* GetScrollBarCtrl(ScrollBarKind bar) const;
  // The frame that holds the view, or null.
  CFrameWnd* GetParentFrame() const;

  // A DC on the client area that only converts points, prepared by OnPrepareDC.
  CDC GetClientDC();
  // Erases and draws the view onto any paint device; the device's resolution
  // sets the physical scale.
  void PaintOn(QPaintDevice& device, const QRect& deviceClip = QRect());

  // Printing of one page: with the print dialog first, at once to the default
  // printer, or in a preview window. PrintPage does the drawing for all three.
  void OnFilePrint();
  void OnFilePrintDirect();
  void OnFilePrintPreview();
  bool PrintPage(QPrinter& printer);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  CDocument* m_pDocument;
};
