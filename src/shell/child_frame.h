#pragma once
// A window on one track: a dynamic splitter of one to four plan views of the
// same document.

#include <QWidget>

#include "platform/qt/frame_wnd.h"
#include "platform/qt/splitter_wnd.h"

class CTrassoDoc;

class CChildFrame : public QWidget, public CFrameWnd {
  Q_OBJECT

 public:
  // Creates the client area at once; IsCreated tells whether that worked.
  explicit CChildFrame(CTrassoDoc* document, QWidget* parent = nullptr);

  bool IsCreated() const { return m_bCreated; }
  CSplitterWnd& GetSplitter() { return m_wndSplitter; }

  // The Window menu's Split: the user places the split with the mouse.
  void OnWindowSplit() { m_wndSplitter.DoKeyboardSplit(); }
  // F6 and Shift+F6, which the main window owns so that they work from its
  // panels too.
  void OnNextPane() { m_wndSplitter.ActivateNext(false); }
  void OnPrevPane() { m_wndSplitter.ActivateNext(true); }

 private:
  bool OnCreateClient(CTrassoDoc* document);

  CSplitterWnd m_wndSplitter;
  bool m_bCreated = false;
};
