#pragma once
// The document base: modified flag, path name, title and the views that observe
// the document. Notification is synchronous, on the caller's thread.

#include <string>
#include <vector>

#include "platform/object.h"

class CDocument;

// Anything that shows a document: views, and test probes.
class CDocumentObserver {
 public:
  virtual ~CDocumentObserver() = default;
  // `sender` is the observer that caused the change, or null; `hint` and `object`
  // say what changed (0 and null: everything).
  virtual void OnUpdate(CDocumentObserver* sender, long hint, CObject* object) = 0;
};

class CDocument : public CObject {
 public:
  ~CDocument() override;

  virtual bool IsModified() const { return m_bModified; }
  virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

  const std::string& GetPathName() const { return m_strPathName; }
  void SetPathName(std::string path) { m_strPathName = std::move(path); }
  const std::string& GetTitle() const { return m_strTitle; }
  void SetTitle(std::string title) { m_strTitle = std::move(title); }

  // The observer list does not own its entries; an observer removes itself
  // before it is destroyed. Adding an observer twice has no effect.
  void AddView(CDocumentObserver* view);
  void RemoveView(CDocumentObserver* view);
  const std::vector<CDocumentObserver*>& GetViews() const { return m_viewList; }

  // Calls OnUpdate of every observer except `sender`. An observer may remove
  // itself or others while being notified.
  void UpdateAllViews(CDocumentObserver* sender, long hint = 0, CObject* object = nullptr);

  virtual bool OnNewDocument();

 private:
  bool m_bModified = false;
  std::string m_strPathName;
  std::string m_strTitle;
  std::vector<CDocumentObserver*> m_viewList;
};
