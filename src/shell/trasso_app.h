#pragma once
// The editor's application object: starts the editor, keeps the current
// editing tool, reaches the main frame's bars for the views and panels, and
// handles the application's commands (tools, help, about, new, open, print
// setup, recent files, exit).

#include <QCursor>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "compile/compiler_input.h"
#include "platform/qt/prompts.h"
#include "shell/recovery_dlg.h"
#include "view/view_services.h"

class CChildFrame;
class CCompileRunner;
class CCommandTable;
class CDocManager;
class CHelpOpener;
class CMainFrame;
class CRecentFileList;
class CRecoveryManager;
class CTrassoDoc;
class CTrassoDocTemplate;
class CTrassoView;
class QMdiSubWindow;
class TSNode;
class TSSelectable;
struct TrackProblem;

class CTrassoApp : public QObject, public CViewServices {
  Q_OBJECT

 public:
  // `prompts` answers the program's questions; null means the real dialogs.
  explicit CTrassoApp(std::unique_ptr<CPrompts> prompts = nullptr);
  ~CTrassoApp() override;

  // Starts the editor with the program's arguments (without the program's
  // name): none opens a new untitled track, a file name opens that file.
  // Before that, the work that killed editors left is offered; with some of
  // it restored and no file named, no untitled track is added. False when the
  // file cannot be opened; the editor must then end.
  bool InitInstance(const QStringList& arguments);
  // Answers the offer of recovered work in place of the dialog; before
  // InitInstance.
  void SetRecoveryAsker(RecoveryAsker asker) { m_askRecovery = std::move(asker); }

  // The session goes away (the editor was told to end by a signal): writes
  // the recovery files of the modified documents, keeps them, and ends the
  // event loops without asking anything.
  void EndSession();
  bool IsSessionEnded() const { return m_bSessionEnded; }
  CRecoveryManager* GetRecovery() const { return m_pRecovery.get(); }

  // The current tool is handed to every view, even when it is unchanged.
  void SetCurrentTool(int id);
  int GetCurrentTool() const override { return m_nCurrentTool; }
  QCursor GetToolCursor() const;

  GridOptions GetGridOptions() const override { return m_grid; }
  // Keeps `options` for every view, remembers them for the next run, and
  // repaints the views.
  void SetGridOptions(const GridOptions& options);

  CDocumentPanel* GetSelectionBar() const override;
  CDocumentPanel* GetTrackBar() const override;
  CDocumentPanel* GetTrackCheckBar() const override;
  CStatusBar* GetStatusBar() const override;
  CZoomBar* GetZoomBar() const override;

  // Opens "../Help/EditorHelp.doc" relative to the working directory, else
  // the installed user guide, or says that it cannot. The opener runs without
  // blocking; its failure is shown when it ends.
  void OnHelp();
  // The program that opens help documents (xdg-open unless set).
  void SetHelpOpener(const QString& program);
  void OnAppAbout();

  CMainFrame* GetMainWnd() const { return m_pMainWnd.get(); }
  CDocManager& GetDocManager() const { return *m_pDocManager; }
  CCommandTable& GetCommands() const { return *m_pCommands; }
  CPrompts& GetPrompts() const { return *m_pPrompts; }
  CRecentFileList& GetRecentFiles() const { return *m_pRecentFileList; }

  // What the commands act on: the active window, its document and its view.
  CChildFrame* GetActiveChildFrame() const;
  CTrassoDoc* GetActiveDocument() const;
  CTrassoView* GetActiveView() const;

 protected:
  // Asks for a command update after every input event.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void WireAppCommands();
  void WireDocumentCommands();
  void WireViewCommands();
  void WireGridCommands();
  void WireHistoryCommands();
  void WireCompileCommands();
  void StartCompile(CTrassoDoc& doc);
  void OnCompileFinished(CCompileRunner& runner);
  // Whether `doc` may close: a running compile is stopped when the user agrees.
  bool CanCloseWhileCompiling(CTrassoDoc& doc);
  // A line "INPUT:LINE: message" of the compile shown last selects the
  // object that line of its input was written for, and shows it.
  void ShowInputLine(const QString& line);
  void WireTrackCheckCommands();
  // Selects the objects of a problem of the track check and shows the first.
  void ShowProblem(CTrassoDoc& doc, const TrackProblem& problem);
  // Makes `objects` of `doc` the whole selection, updates its views and
  // centres the active view on `at`, if given, when that view shows `doc`.
  void SelectAndShow(CTrassoDoc& doc, const std::vector<TSSelectable*>& objects, const TSNode* at);
  void WireClipboardCommands();
  void WireFrameCommands();
  void WireZoomCommands();
  // The drawing options: set from the settings, checked in the View menu.
  void WireViewOptionCommands();
  // Removes what killed runs left and starts keeping recovery files.
  void StartRecovery();
  // Offers the orphaned recovery files; the number of documents restored.
  int OfferRecovery();
  bool Restore(const RecoveryOffer& offer);
  // Brings titles, menus, recent files and indicators up to date; runs before
  // every command update.
  void OnIdle();

  int m_nCurrentTool;
  QSettings m_settings;
  GridOptions m_grid;  // read from the settings when the editor starts
  std::unique_ptr<CPrompts> m_pPrompts;
  CHelpOpener* m_pHelpOpener;  // a child of this object
  std::unique_ptr<CRecentFileList> m_pRecentFileList;
  std::unique_ptr<CTrassoDocTemplate> m_pDocTemplate;
  std::unique_ptr<CCommandTable> m_pCommands;
  std::unique_ptr<CMainFrame> m_pMainWnd;
  // The compiles running in the background, one at most per document.
  std::map<CTrassoDoc*, std::unique_ptr<CCompileRunner>> m_compiles;
  // The compile started last: its document, input file and input map.
  struct ShownCompile {
    CTrassoDoc* doc = nullptr;
    std::string inputPath;
    CompilerInputMap map;
  } m_shownCompile;
  // Destroyed before the frame, since the document windows live in it.
  std::unique_ptr<CDocManager> m_pDocManager;
  // Destroyed before the documents, which it watches.
  std::unique_ptr<CRecoveryManager> m_pRecovery;
  RecoveryAsker m_askRecovery;  // none: the dialog
  bool m_bSessionEnded = false;
};
