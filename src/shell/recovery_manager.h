#pragma once
// Keeps a recovery file for every modified track, so that an editor that is
// killed loses no more than the last moments of work. The bytes are made on
// the GUI thread, where the document is consistent; writing and syncing them
// happen on a thread of their own, so editing never waits for the disk.
// A document's file goes when the document is saved, becomes unmodified, or
// is closed, and every file of this run goes when the editor ends normally.

#include <QObject>
#include <QThread>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/process_identity.h"

class CDocManager;
class CDocument;
class CTrassoDoc;

class CRecoveryManager : public QObject {
  Q_OBJECT

 public:
  // Watches the documents of `docs` (not owned; it must outlive this object)
  // and keeps their files in `folder`, which is made private to us.
  CRecoveryManager(CDocManager& docs, std::string folder);
  // Waits for the writes under way, then removes this run's files unless
  // KeepFiles was called.
  ~CRecoveryManager() override;

  const std::string& GetFolder() const { return m_folder; }
  // Writes the file of every modified document whose file is not current, and
  // returns once everything asked of the writer is on the disk.
  void WriteAllNow();
  // Looks at every document for a change not yet seen. The editor calls it
  // after every input, as it does to mark unsaved changes in the titles: the
  // history's step, and with it the new revision, ends only then (a drag's at
  // the release), so no change told while the step is open can show it.
  void LookAtDocuments();
  // This run's files stay when the editor ends: the session ends unasked.
  void KeepFiles() { m_bKeepFiles = true; }

  // Renames an orphaned recovery file to a new file of this run, whose name
  // it returns; empty when another editor took it first.
  std::string Claim(const std::string& file);
  // `doc` was just opened from `ownFile` (from Claim), which holds its
  // current state and becomes its recovery file.
  void Adopt(CTrassoDoc& doc, const std::string& ownFile);

 signals:
  // The file of the document titled `title` could not be written.
  void WriteFailed(const QString& title, const QString& reason);

 private:
  struct Watch;

  Watch* Find(const CDocument* doc) const;
  Watch& WatchFor(CTrassoDoc& doc);
  void SyncDocuments();
  void OnClosing(CDocument* doc);
  void OnChanged(Watch& watch);
  void Reschedule();
  void WriteDue();
  void Write(Watch& watch);
  void Remove(Watch& watch);
  void Drain();
  std::string NewFileName();

  CDocManager& m_docs;
  std::string m_folder;
  ProcessIdentity m_self;
  unsigned m_nNextSerial = 1;
  bool m_bKeepFiles = false;
  std::vector<std::unique_ptr<Watch>> m_watches;
  QTimer m_timer;  // the next write that is due
  QThread m_thread;
  QObject* m_pWriter;  // lives in m_thread; deleted with it
};
