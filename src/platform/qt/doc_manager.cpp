#include "platform/qt/doc_manager.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <filesystem>

#include "platform/document.h"
#include "platform/qt/doc_template.h"
#include "platform/qt/frame_wnd.h"
#include "platform/qt/prompts.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/view.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "resource_ids.h"

struct CDocManager::DocEntry {
  std::unique_ptr<CDocument> doc;
  std::vector<QMdiSubWindow*> frames;  // children of the MDI area, in opening order
};

namespace {
constexpr QSize kMinFrameSize(320, 240);
constexpr int kCascadeStep = 24;  // pixels
constexpr int kCascadeSteps = 8;

// Paths are compared after resolving links and dots, so that the same file
// reached two ways is the same document. A relative path stays as given when
// the working folder it is relative to has gone; opening it then fails with
// its own message.
std::string CanonicalPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  if (!error) return canonical.string();
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.string();
}

QString FileTitle(const std::string& path) {
  return QFileInfo(QString::fromLocal8Bit(path)).fileName();
}

CFrameWnd* FrameOf(QMdiSubWindow* window) {
  return window ? dynamic_cast<CFrameWnd*>(window->widget()) : nullptr;
}

// Tells the active view of a window that it gains or loses the activation of
// the whole program, as happens when the user moves between windows. A window
// that never had an active view makes its first view active, whether or not
// it has the keyboard focus yet.
void ActivateFrameView(QMdiSubWindow* window, bool bActivate) {
  CFrameWnd* frame = FrameOf(window);
  if (!frame) return;
  if (CView* view = frame->GetActiveView()) {
    view->OnActivateView(bActivate, view, view);
  } else if (bActivate) {
    frame->SetActiveView(window->findChild<CView*>());
  }
}
}  // namespace

CDocManager::CDocManager(CDocTemplate& docTemplate, QMdiArea& area, CPrompts& prompts,
                         CRecentFileList& recentFiles)
    : m_template(docTemplate), m_area(area), m_prompts(prompts), m_recentFiles(recentFiles) {
  connect(&m_area, &QMdiArea::subWindowActivated, this, &CDocManager::OnSubWindowActivated);
}

CDocManager::~CDocManager() {
  CloseAllDocuments();
}

CDocManager::DocEntry* CDocManager::Find(const CDocument& doc) const {
  for (const auto& entry : m_docs) {
    if (entry->doc.get() == &doc) return entry.get();
  }
  return nullptr;
}

CDocManager::DocEntry* CDocManager::FindByFrame(const QMdiSubWindow* frame) const {
  for (const auto& entry : m_docs) {
    if (std::ranges::find(entry->frames, frame) != entry->frames.end()) return entry.get();
  }
  return nullptr;
}

CDocument* CDocManager::OnFileNew() {
  std::unique_ptr<CDocument> doc = m_template.CreateNewDocument();
  if (!doc->OnNewDocument()) return nullptr;
  doc->SetTitle(NewUntitledTitle().toStdString());
  return AddDocument(std::move(doc));
}

QString CDocManager::NewUntitledTitle() {
  return m_template.GetDocString(CDocTemplate::docName) + QString::number(++m_nUntitledCount);
}

void CDocManager::OnFileOpen() {
  const QStringList filters{m_template.GetDocString(CDocTemplate::filterName)};
  if (const auto path = m_prompts.AskOpenPath(filters)) OpenDocumentFile(*path);
}

CDocument* CDocManager::OpenDocumentFile(const std::string& path) {
  const std::string canonical = CanonicalPath(path);
  for (const auto& entry : m_docs) {
    if (!entry->doc->GetPathName().empty() &&
        CanonicalPath(entry->doc->GetPathName()) == canonical) {
      m_area.setActiveSubWindow(entry->frames.front());
      return entry->doc.get();
    }
  }
  std::unique_ptr<CDocument> doc;
  try {
    doc = m_template.LoadDocument(path);
  } catch (const std::exception& error) {
    ShowFileError(IDS_FAILED_TO_OPEN, path, error.what());
    return nullptr;
  }
  doc->SetPathName(canonical);
  doc->SetTitle(FileTitle(path).toStdString());
  doc->SetModifiedFlag(false);
  CDocument* opened = AddDocument(std::move(doc));
  if (opened) m_recentFiles.Add(QString::fromLocal8Bit(canonical));
  return opened;
}

void CDocManager::OpenRecentFile(int index) {
  const QStringList& files = m_recentFiles.GetFiles();
  if (index < 0 || index >= files.size()) return;
  const QString path = files[index];
  if (!OpenDocumentFile(path.toLocal8Bit().toStdString())) {
    // The list may have changed while the message was up.
    m_recentFiles.Remove(static_cast<int>(m_recentFiles.GetFiles().indexOf(path)));
  }
  emit DocumentsChanged();
}

CDocument* CDocManager::OpenRecoveredDocument(std::unique_ptr<CDocument> doc,
                                              const std::string& path) {
  if (path.empty()) {
    doc->SetTitle(NewUntitledTitle().toStdString());
  } else {
    doc->SetPathName(CanonicalPath(path));
    doc->SetTitle(FileTitle(path).toStdString());
  }
  doc->SetModifiedFlag(true);
  return AddDocument(std::move(doc));
}

CDocument* CDocManager::AddDocument(std::unique_ptr<CDocument> doc) {
  m_docs.push_back(std::make_unique<DocEntry>());
  DocEntry& entry = *m_docs.back();
  entry.doc = std::move(doc);
  if (!AddFrame(entry)) {
    m_docs.pop_back();
    return nullptr;
  }
  emit DocumentsChanged();
  return entry.doc.get();
}

bool CDocManager::AddFrame(DocEntry& entry) {
  std::unique_ptr<QWidget> frame = m_template.CreateFrame(*entry.doc);
  if (!frame) return false;
  auto* window = new QMdiSubWindow;
  window->setWidget(frame.release());
  window->installEventFilter(this);
  entry.frames.push_back(window);
  UpdateFrameTitles();
  m_area.addSubWindow(window);
  // A new window takes most of the area, so that there is room to draw.
  const QSize area = m_area.contentsRect().size();
  window->resize(std::max(area.width() * 3 / 4, kMinFrameSize.width()),
                 std::max(area.height() * 3 / 4, kMinFrameSize.height()));
  // Each new window steps down and right from the last, as cascaded windows do.
  const auto index = static_cast<int>(m_area.subWindowList().size() - 1) % kCascadeSteps;
  window->move(index * kCascadeStep, index * kCascadeStep);
  window->show();
  m_area.setActiveSubWindow(window);
  window->widget()->setFocus();
  return true;
}

void CDocManager::OnWindowNew(CDocument& doc) {
  if (DocEntry* entry = Find(doc); entry && AddFrame(*entry)) emit DocumentsChanged();
}

bool CDocManager::OnFileSave(CDocument& doc) {
  if (doc.GetPathName().empty()) return OnFileSaveAs(doc);
  return DoSave(doc, doc.GetPathName());
}

bool CDocManager::OnFileSaveAs(CDocument& doc) {
  std::string proposed = doc.GetPathName();
  const QString ext = m_template.GetDocString(CDocTemplate::filterExt).toLower();
  if (proposed.empty()) proposed = doc.GetTitle() + ext.toStdString();
  const QStringList filters{m_template.GetDocString(CDocTemplate::filterName)};
  const auto path = m_prompts.AskSavePath(proposed, filters, ext.mid(1));
  if (!path) return false;
  if (!DoSave(doc, *path)) return false;
  doc.SetPathName(CanonicalPath(*path));
  doc.SetTitle(FileTitle(*path).toStdString());
  m_recentFiles.Add(QString::fromLocal8Bit(doc.GetPathName()));
  UpdateFrameTitles();
  emit DocumentsChanged();
  return true;
}

bool CDocManager::DoSave(CDocument& doc, const std::string& path) {
  try {
    m_template.SaveDocument(doc, path);
  } catch (const std::exception& error) {
    ShowFileError(IDS_FAILED_TO_SAVE, path, error.what());
    return false;
  }
  UpdateFrameTitles();
  emit DocumentSaved(&doc);
  return true;
}

void CDocManager::ShowFileError(int nIdFormat, const std::string& path, const char* reason) {
  const QString text = FromWindows1252(LoadResString(nIdFormat))
                           .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(reason));
  m_prompts.MessageBox(AppTitle(), text, QMessageBox::Warning);
}

bool CDocManager::SaveModified(CDocument& doc) {
  if (m_canCloseDocument && !m_canCloseDocument(doc)) return false;
  if (!doc.IsModified()) return true;
  const QString text =
      FromWindows1252(LoadResString(IDS_ASK_TO_SAVE)).arg(QString::fromStdString(doc.GetTitle()));
  switch (m_prompts.MessageBox(AppTitle(), text, QMessageBox::Warning,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
      return OnFileSave(doc);
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

bool CDocManager::OnFileClose(CDocument& doc) {
  if (!Find(doc) || !SaveModified(doc)) return false;
  // The last window destroyed takes the document with it.
  for (DocEntry* entry = Find(doc); entry && !entry->frames.empty(); entry = Find(doc)) {
    OnFrameDestroyed(entry->frames.back());
  }
  return true;
}

bool CDocManager::SaveAllModified() {
  for (CDocument* doc : GetDocuments()) {
    if (!SaveModified(*doc)) return false;
  }
  return true;
}

void CDocManager::CloseAllDocuments() {
  while (!m_docs.empty()) {
    DocEntry& entry = *m_docs.back();
    if (entry.frames.empty()) {
      emit DocumentClosing(entry.doc.get());
      m_docs.pop_back();
    } else {
      OnFrameDestroyed(entry.frames.back());
    }
  }
}

// Destroys a window now: first the window with its views, then, when it was
// the document's last window, the document.
void CDocManager::OnFrameDestroyed(QMdiSubWindow* frame) {
  DocEntry* entry = FindByFrame(frame);
  if (!entry) return;
  std::erase(entry->frames, frame);
  if (m_pActiveFrame == frame) m_pActiveFrame = nullptr;
  delete frame;
  if (entry->frames.empty()) {
    emit DocumentClosing(entry->doc.get());
    std::erase_if(m_docs, [entry](const auto& e) { return e.get() == entry; });
  }
  UpdateFrameTitles();
  emit DocumentsChanged();
}

// A window closed by the user (its close box, or Ctrl+F4) goes through here:
// closing the last window of a modified document asks first. The window is
// destroyed once its close event is over.
bool CDocManager::eventFilter(QObject* watched, QEvent* event) {
  auto* frame = qobject_cast<QMdiSubWindow*>(watched);
  if (event->type() != QEvent::Close || !frame) return false;
  DocEntry* entry = FindByFrame(frame);
  if (!entry) return false;
  event->ignore();
  if (entry->frames.size() == 1 && !SaveModified(*entry->doc)) return true;
  QTimer::singleShot(0, this, [this, window = QPointer<QMdiSubWindow>(frame)] {
    if (window) OnFrameDestroyed(window);
  });
  return true;
}

void CDocManager::OnSubWindowActivated(QMdiSubWindow* frame) {
  // A null window means the program lost the focus to a dialog or another
  // program; the user still works in the same window.
  if (!frame || frame == m_pActiveFrame) return;
  ActivateFrameView(m_pActiveFrame, false);
  m_pActiveFrame = frame;
  ActivateFrameView(frame, true);
  emit DocumentsChanged();
}

std::vector<CDocument*> CDocManager::GetDocuments() const {
  std::vector<CDocument*> docs;
  for (const auto& entry : m_docs) docs.push_back(entry->doc.get());
  return docs;
}

std::vector<QMdiSubWindow*> CDocManager::GetFrames(const CDocument& doc) const {
  const DocEntry* entry = Find(doc);
  return entry ? entry->frames : std::vector<QMdiSubWindow*>();
}

QMdiSubWindow* CDocManager::GetActiveFrame() const {
  if (m_pActiveFrame && FindByFrame(m_pActiveFrame)) return m_pActiveFrame;
  QMdiSubWindow* current = m_area.currentSubWindow();
  return FindByFrame(current) ? current : nullptr;
}

CDocument* CDocManager::GetActiveDocument() const {
  const DocEntry* entry = FindByFrame(GetActiveFrame());
  return entry ? entry->doc.get() : nullptr;
}

void CDocManager::UpdateFrameTitles() {
  for (const auto& entry : m_docs) {
    const QString title = QString::fromStdString(entry->doc->GetTitle());
    const std::size_t count = entry->frames.size();
    for (std::size_t i = 0; i < count; ++i) {
      QMdiSubWindow* frame = entry->frames[i];
      const QString shown = count == 1 ? title : QStringLiteral("%1:%2").arg(title).arg(i + 1);
      frame->setWindowTitle(shown + QStringLiteral("[*]"));
      frame->setWindowModified(entry->doc->IsModified());
    }
  }
}
