#include "shell/recovery_manager.h"

#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <exception>

#include "model/track_file.h"
#include "model/trasso_doc.h"
#include "platform/atomic_file.h"
#include "platform/autosave_schedule.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/windows1252.h"
#include "platform/recovery_file.h"
#include "platform/recovery_store.h"

namespace {
using Clock = CAutosaveSchedule::Clock;
constexpr unsigned kPrivateFile = 0600;

// Runs on the writer's thread: the header and the document as one file.
std::string WriteRecoveryFile(const std::string& path, const std::vector<std::uint8_t>& header,
                              const std::vector<std::uint8_t>& document) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(header.size() + document.size());
  bytes.insert(bytes.end(), header.begin(), header.end());
  bytes.insert(bytes.end(), document.begin(), document.end());
  try {
    WriteFileAtomically(path, bytes, kPrivateFile);
  } catch (const std::exception& error) {
    return error.what();
  }
  return {};
}
}  // namespace

struct CRecoveryManager::Watch {
  explicit Watch(CTrassoDoc& doc) : doc(doc), schedule(doc.GetHistory().Revision()) {}

  CTrassoDoc& doc;
  std::string file;  // named when first written
  CAutosaveSchedule schedule;
  bool bOnDisk = false;  // written, or on its way to the disk
  // Counts the writes and removals asked for; a write that a later one has
  // overtaken in the writer's queue is skipped, so a slow disk never makes
  // copies of the track pile up.
  std::shared_ptr<std::atomic<std::uint64_t>> latest =
      std::make_shared<std::atomic<std::uint64_t>>(0);
};

CRecoveryManager::CRecoveryManager(CDocManager& docs, std::string folder)
    : m_docs(docs), m_folder(std::move(folder)), m_self(CurrentProcess()), m_pWriter(new QObject) {
  std::string error;
  MakePrivateFolder(m_folder, error);  // a failure shows when a file cannot be written
  m_pWriter->moveToThread(&m_thread);
  connect(&m_thread, &QThread::finished, m_pWriter, &QObject::deleteLater);
  m_thread.start();
  m_timer.setSingleShot(true);
  connect(&m_timer, &QTimer::timeout, this, &CRecoveryManager::WriteDue);
  connect(&docs, &CDocManager::DocumentsChanged, this, &CRecoveryManager::SyncDocuments);
  connect(&docs, &CDocManager::DocumentClosing, this, &CRecoveryManager::OnClosing);
  connect(&docs, &CDocManager::DocumentSaved, this, [this](CDocument* doc) {
    if (Watch* watch = Find(doc)) OnChanged(*watch);
  });
  SyncDocuments();
}

CRecoveryManager::~CRecoveryManager() {
  Drain();
  m_thread.quit();
  m_thread.wait();
  for (const auto& watch : m_watches) {
    if (watch->bOnDisk && !m_bKeepFiles) unlink(watch->file.c_str());
  }
}

CRecoveryManager::Watch* CRecoveryManager::Find(const CDocument* doc) const {
  for (const auto& watch : m_watches) {
    if (&watch->doc == doc) return watch.get();
  }
  return nullptr;
}

CRecoveryManager::Watch& CRecoveryManager::WatchFor(CTrassoDoc& doc) {
  if (Watch* watch = Find(&doc)) return *watch;
  m_watches.push_back(std::make_unique<Watch>(doc));
  return *m_watches.back();
}

void CRecoveryManager::SyncDocuments() {
  for (CDocument* doc : m_docs.GetDocuments()) WatchFor(*static_cast<CTrassoDoc*>(doc));
}

void CRecoveryManager::OnClosing(CDocument* doc) {
  Watch* watch = Find(doc);
  if (!watch) return;
  // Closed while modified means the user chose not to save; the work is
  // meant to go. When the session ends unasked, the file must stay.
  if (!m_bKeepFiles) Remove(*watch);
  std::erase_if(m_watches, [watch](const auto& w) { return w.get() == watch; });
  Reschedule();
}

void CRecoveryManager::LookAtDocuments() {
  for (const auto& watch : m_watches) OnChanged(*watch);
}

void CRecoveryManager::OnChanged(Watch& watch) {
  watch.schedule.Observe(watch.doc.GetHistory().Revision(), watch.doc.IsModified(), Clock::now());
  if (watch.schedule.IsClean()) Remove(watch);
  Reschedule();
}

void CRecoveryManager::Reschedule() {
  std::optional<Clock::time_point> earliest;
  for (const auto& watch : m_watches) {
    const auto due = watch->schedule.Due();
    if (due && (!earliest || *due < *earliest)) earliest = due;
  }
  if (!earliest) {
    m_timer.stop();
    return;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*earliest - Clock::now());
  m_timer.start(std::max<int>(0, static_cast<int>(wait.count())));
}

void CRecoveryManager::WriteDue() {
  const auto now = Clock::now();
  for (const auto& watch : m_watches) {
    if (const auto due = watch->schedule.Due(); due && *due <= now) Write(*watch);
  }
  Reschedule();
}

void CRecoveryManager::Write(Watch& watch) {
  RecoveryHeader header;
  header.owner = m_self;
  header.savedAt = static_cast<std::int64_t>(std::time(nullptr));
  header.path = watch.doc.GetPathName();
  header.title = watch.doc.GetTitle();
  auto document = std::make_shared<const std::vector<std::uint8_t>>(SaveTrackBytes(watch.doc));
  auto headerBytes =
      std::make_shared<const std::vector<std::uint8_t>>(EncodeRecoveryHeader(header));
  watch.schedule.Written();
  watch.bOnDisk = true;
  if (watch.file.empty()) watch.file = NewFileName();
  const QString title = FromWindows1252(header.title);
  const std::uint64_t generation = ++*watch.latest;
  QMetaObject::invokeMethod(m_pWriter, [this, file = watch.file, headerBytes, document, title,
                                        latest = watch.latest, generation] {
    if (*latest != generation) return;
    const std::string error = WriteRecoveryFile(file, *headerBytes, *document);
    if (error.empty()) return;
    QMetaObject::invokeMethod(
        this, [this, title, error] { emit WriteFailed(title, QString::fromLocal8Bit(error)); });
  });
}

void CRecoveryManager::Remove(Watch& watch) {
  if (!watch.bOnDisk) return;
  watch.bOnDisk = false;
  watch.schedule.Removed();
  ++*watch.latest;
  // Behind any write of the same file still on its way.
  QMetaObject::invokeMethod(m_pWriter, [file = watch.file] { unlink(file.c_str()); });
}

void CRecoveryManager::WriteAllNow() {
  for (const auto& watch : m_watches) {
    OnChanged(*watch);
    if (watch->schedule.Due()) Write(*watch);
  }
  Drain();
  Reschedule();
}

void CRecoveryManager::Drain() {
  QMetaObject::invokeMethod(
      m_pWriter, [] {}, Qt::BlockingQueuedConnection);
}

std::string CRecoveryManager::NewFileName() {
  return m_folder + "/" + RecoveryFileName(m_self.pid, m_nNextSerial++);
}

std::string CRecoveryManager::Claim(const std::string& file) {
  const std::string own = NewFileName();
  return ClaimRecoveryFile(file, own) ? own : std::string();
}

void CRecoveryManager::Adopt(CTrassoDoc& doc, const std::string& ownFile) {
  Watch& watch = WatchFor(doc);
  watch.file = ownFile;
  watch.schedule = CAutosaveSchedule(doc.GetHistory().Revision());
  watch.schedule.Observe(doc.GetHistory().Revision(), doc.IsModified(), Clock::now());
  // The file still names the editor that died; written again, it names us.
  Write(watch);
}
