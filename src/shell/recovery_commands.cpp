// Recovery in the editor: the clean-up and the offer at the start, the
// failures of writing shown in the status bar, and the end of a session that
// goes away without asking.
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <exception>
#include <set>

#include "model/track_file.h"
#include "model/trasso_doc.h"
#include "platform/atomic_file.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/prompts.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/windows1252.h"
#include "platform/recovery_file.h"
#include "platform/temp_file.h"
#include "shell/frame_layout.h"
#include "shell/main_frame.h"
#include "shell/recovery_dlg.h"
#include "shell/recovery_manager.h"
#include "shell/trasso_app.h"

namespace {
enum : int {
  IDS_CONFIRM_DISCARD = 13210,
  IDS_CANNOT_RESTORE,
  IDS_CANNOT_WRITE_RECOVERY,
};
constexpr int kStatusMessageTime = 10000;  // milliseconds

// Removes what killed runs left behind: compile inputs in the temporary
// folder, and partial saves beside the recovery files and the recent tracks.
void RemoveLeftovers(const std::string& recoveryFolder, const QStringList& recentFiles) {
  RemoveOrphanedTempFiles(GetTempFolder(), "TS", ".TMP");
  std::set<std::string> folders{recoveryFolder};
  for (const QString& file : recentFiles) {
    folders.insert(QFileInfo(file).absolutePath().toLocal8Bit().toStdString());
  }
  for (const std::string& folder : folders) RemoveOrphanedSaveFiles(folder);
}
}  // namespace

void CTrassoApp::StartRecovery() {
  const std::string folder = RecoveryFolder();
  RemoveLeftovers(folder, m_pRecentFileList->GetFiles());
  m_pRecovery = std::make_unique<CRecoveryManager>(*m_pDocManager, folder);
  connect(m_pRecovery.get(), &CRecoveryManager::WriteFailed, this,
          [this](const QString& title, const QString& reason) {
            const QString text = ResText(IDS_CANNOT_WRITE_RECOVERY).arg(title, reason);
            std::fprintf(stderr, "trasso: %s\n", text.toLocal8Bit().constData());
            if (CStatusBar* bar = GetStatusBar()) bar->showMessage(text, kStatusMessageTime);
          });
}

int CTrassoApp::OfferRecovery() {
  const std::vector<RecoveryOffer> offers = FindOrphanedRecoveryFiles(m_pRecovery->GetFolder());
  if (offers.empty()) return 0;
  const RecoveryChoice choice =
      m_askRecovery ? m_askRecovery(offers) : CRecoveryDlg::Ask(offers, m_pMainWnd.get());
  if (choice.action == RecoveryChoice::kDiscard && !choice.chosen.empty()) {
    if (m_pPrompts->MessageBox(AppTitle(), ResText(IDS_CONFIRM_DISCARD), QMessageBox::Warning,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
      for (const std::size_t index : choice.chosen) unlink(offers[index].file.c_str());
    }
    return 0;
  }
  int restored = 0;
  if (choice.action != RecoveryChoice::kRestore) return restored;
  for (const std::size_t index : choice.chosen) restored += Restore(offers[index]) ? 1 : 0;
  return restored;
}

bool CTrassoApp::Restore(const RecoveryOffer& offer) {
  std::unique_ptr<CTrassoDoc> doc;
  RecoveryHeader header;
  try {
    const FileBytes bytes = ReadWholeFile(offer.file);
    const RecoveryContents contents = ParseRecoveryFile(bytes);
    header = contents.header;
    doc = LoadTrackBytes(contents.document);
  } catch (const std::exception& error) {
    const QString text = ResText(IDS_CANNOT_RESTORE)
                             .arg(RecoveryOfferName(offer), QString::fromLocal8Bit(error.what()),
                                  QString::fromLocal8Bit(offer.file));
    m_pPrompts->MessageBox(AppTitle(), text, QMessageBox::Warning);
    return false;
  }
  // Another editor that started at the same time may have taken it.
  const std::string own = m_pRecovery->Claim(offer.file);
  if (own.empty()) return false;
  CDocument* opened = m_pDocManager->OpenRecoveredDocument(std::move(doc), header.path);
  if (!opened) return false;
  m_pRecovery->Adopt(*static_cast<CTrassoDoc*>(opened), own);
  return true;
}

void CTrassoApp::EndSession() {
  m_bSessionEnded = true;
  if (m_pRecovery) {
    m_pRecovery->WriteAllNow();
    m_pRecovery->KeepFiles();
  }
  if (m_pMainWnd) SaveFrameLayout(*m_pMainWnd, m_settings);
  // Leaves every event loop, the dialogs' included, so no question is waited for.
  QCoreApplication::exit(0);
}
