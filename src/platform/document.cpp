#include "platform/document.h"

#include <algorithm>

CDocument::~CDocument() = default;

void CDocument::AddView(CDocumentObserver* view) {
  if (std::find(m_viewList.begin(), m_viewList.end(), view) == m_viewList.end()) {
    m_viewList.push_back(view);
  }
}

void CDocument::RemoveView(CDocumentObserver* view) {
  std::erase(m_viewList, view);
}

void CDocument::UpdateAllViews(CDocumentObserver* sender, long hint, CObject* object) {
  // Copy, so that observers added or removed during notification do not
  // disturb the walk; removed ones are skipped.
  const std::vector<CDocumentObserver*> views = m_viewList;
  for (CDocumentObserver* view : views) {
    if (view == sender) continue;
    if (std::find(m_viewList.begin(), m_viewList.end(), view) == m_viewList.end()) continue;
    view->OnUpdate(sender, hint, object);
  }
}

bool CDocument::OnNewDocument() {
  SetModifiedFlag(false);
  m_strPathName.clear();
  return true;
}
