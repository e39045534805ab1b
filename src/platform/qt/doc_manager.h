#pragma once
// Opens, saves and closes the documents of one template, each shown in one or
// more windows of an MDI area. Before a modified document would be lost it asks
// whether to save it; Cancel stops the whole action. A document lives as long
// as it has a window: closing its last window closes it.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDocTemplate;
class CDocument;
class CPrompts;
class CRecentFileList;
class QMdiArea;
class QMdiSubWindow;

class CDocManager : public QObject {
  Q_OBJECT

 public:
  // None of the arguments is owned; all must outlive the manager.
  CDocManager(CDocTemplate& docTemplate, QMdiArea& area, CPrompts& prompts,
              CRecentFileList& recentFiles);
  // Closes every document without asking.
  ~CDocManager() override;

  // File New: an untitled document (Trax1, Trax2, ...) in a new window; null
  // when its window cannot be created.
  CDocument* OnFileNew();
  // File Open: asks for a file and opens it.
  void OnFileOpen();
  // Opens `path`, or activates the first window of the document already open
  // from it. A file that fails to load is reported, naming the file, and
  // nothing is opened; the result is then null.
  CDocument* OpenDocumentFile(const std::string& path);
  // Opens recent file `index`; an entry that cannot be opened leaves the list.
  void OpenRecentFile(int index);
  // Opens `doc`, brought back from a recovery file, as modified: with `path`
  // (which Save writes to) when it had a file, else under a new untitled name.
  // Null when its window cannot be created.
  CDocument* OpenRecoveredDocument(std::unique_ptr<CDocument> doc, const std::string& path);

  // Save runs Save As for a document never saved. Both answer whether the
  // document was written.
  bool OnFileSave(CDocument& doc);
  bool OnFileSaveAs(CDocument& doc);
  // Asks about unsaved changes and closes all windows of the document.
  bool OnFileClose(CDocument& doc);
  // Asks about each modified document in turn; false at the first Cancel, or
  // when a save fails or is cancelled.
  bool SaveAllModified();
  // Asked before a document's last window closes and before Exit, ahead of the
  // question about saving; false keeps the document open.
  std::function<bool(CDocument&)> m_canCloseDocument;
  void CloseAllDocuments();

  // Window New Window: another window on the document.
  void OnWindowNew(CDocument& doc);

  std::vector<CDocument*> GetDocuments() const;
  std::vector<QMdiSubWindow*> GetFrames(const CDocument& doc) const;
  // The document of the current window, or null.
  CDocument* GetActiveDocument() const;
  // The window the user works in, or null; it stays current while a dialog
  // has the focus.
  QMdiSubWindow* GetActiveFrame() const;

  // Sets the window titles (Trax1, or Trax1:1 and Trax1:2 with several
  // windows) and their marks of unsaved changes.
  void UpdateFrameTitles();

 signals:
  // A document was opened, closed or renamed, or its windows changed.
  void DocumentsChanged();
  // `doc` was written to its file.
  void DocumentSaved(CDocument* doc);
  // `doc` is about to be destroyed: its last window is closing.
  void DocumentClosing(CDocument* doc);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct DocEntry;

  DocEntry* Find(const CDocument& doc) const;
  DocEntry* FindByFrame(const QMdiSubWindow* frame) const;
  CDocument* AddDocument(std::unique_ptr<CDocument> doc);
  bool AddFrame(DocEntry& entry);
  void OnFrameDestroyed(QMdiSubWindow* frame);
  void OnSubWindowActivated(QMdiSubWindow* frame);
  // Asks whether to save a modified document; false means stop.
  bool SaveModified(CDocument& doc);
  bool DoSave(CDocument& doc, const std::string& path);
  QString NewUntitledTitle();
  void ShowFileError(int nIdFormat, const std::string& path, const char* reason);

  CDocTemplate& m_template;
  QMdiArea& m_area;
  CPrompts& m_prompts;
  CRecentFileList& m_recentFiles;
  std::vector<std::unique_ptr<DocEntry>> m_docs;
  QPointer<QMdiSubWindow> m_pActiveFrame;
  int m_nUntitledCount = 0;
};
