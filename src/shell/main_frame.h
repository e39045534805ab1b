#pragma once
// The main window: the MDI area of the track windows, the two menus (one while
// no document is open, one while a document is), the standard and tools
// toolbars, the zoom bar, the two attribute panels, the compile output and
// track check panels and the status bar.

#include <QMainWindow>
#include <functional>

class CCommandTable;
class CSelectionAttrBar;
class CStatusBar;
class CTrackAttrBar;
class CZoomBar;
class CCompileOutputBar;
class CTrackCheckBar;
class QDockWidget;
class QMdiArea;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // The frame's menus and buttons are the actions of `commands` (not owned).
  explicit CMainFrame(CCommandTable& commands);

  // Sets caption, menus and accelerators, then builds the bars. The icon is
  // the application's.
  void LoadFrame();

  QMdiArea* GetMdiArea() const { return m_pMdiArea; }

  // Shows menu 129 while a document is open, menu 128 otherwise.
  void ShowDocumentMenu(bool bDocument);
  // The recent-file entries of both File menus.
  void SetRecentFiles(const QStringList& files);
  // "Trasso(v1.01) - Trax1", or just the program's caption without a window.
  void SetActiveTitle(const QString& title, bool bModified);
  // CAP, NUM and SCRL while those locks are on, where the platform tells.
  void UpdateKeyIndicators();

  // Asked before the window closes (the close box, Exit); false keeps it open.
  std::function<bool()> m_canClose;

  QToolBar* m_wndToolBar = nullptr;
  QToolBar* m_wndToolsBar = nullptr;
  CStatusBar* m_wndStatusBar = nullptr;
  CSelectionAttrBar* m_wndSelectionBar = nullptr;
  CTrackAttrBar* m_wndTrackBar = nullptr;
  CZoomBar* m_wndZoomBar = nullptr;
  // What holds the zoom bar and the panels where they dock.
  QToolBar* m_pZoomHolder = nullptr;
  QDockWidget* m_pSelectionDock = nullptr;
  QDockWidget* m_pTrackDock = nullptr;
  CCompileOutputBar* m_wndCompileOutput = nullptr;
  QDockWidget* m_pCompileDock = nullptr;  // at the bottom, hidden until the first compile
  CTrackCheckBar* m_wndTrackCheck = nullptr;
  QDockWidget* m_pTrackCheckDock = nullptr;  // a tab beside the compile output, hidden at first
  QMenu* m_pFileMenu128 = nullptr;
  QMenu* m_pFileMenu129 = nullptr;
  QMenu* m_pWindowMenu = nullptr;  // of menu 129; the open windows end it

 signals:
  // Local files dropped on the window, in the order given.
  void FilesDropped(const QStringList& paths);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Brings a bottom panel to the front of its tabs when it is shown.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void OnCreate();
  void CreateToolBars();
  void CreateDockBars();
  void CreateStatusBar();
  void BuildMenus();
  void BuildAccelerators();
  void FillToolBar(QToolBar* bar, std::initializer_list<int> ids);

  CCommandTable& m_commands;
  QMdiArea* m_pMdiArea;
  // The menus of menu 128 and of menu 129 in menu bar order; shared menus
  // appear in both.
  QList<QMenu*> m_menus128;
  QList<QMenu*> m_menus129;
};
