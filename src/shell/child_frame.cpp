#include "shell/child_frame.h"

#include <QVBoxLayout>

#include "resource_ids.h"
#include "view/trasso_view.h"

namespace {
constexpr int kMaxRows = 2;
constexpr int kMaxCols = 2;
constexpr QSize kMinPane(10, 10);
}  // namespace

CChildFrame::CChildFrame(CTrassoDoc* document, QWidget* parent) : QWidget(parent) {
  m_bCreated = OnCreateClient(document);
}

bool CChildFrame::OnCreateClient(CTrassoDoc* document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  const bool created = m_wndSplitter.Create(
      this, kMaxRows, kMaxCols, kMinPane,
      [document](QWidget* parent) { return new CTrassoView(document, parent); });
  layout->addWidget(&m_wndSplitter);
  // Focus given to the window goes to its first view, which then becomes the
  // active view.
  if (created) setFocusProxy(m_wndSplitter.GetPane(0, 0));
  return created;
}
