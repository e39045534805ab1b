#include "platform/qt/status_bar.h"

#include <QLabel>
#include <algorithm>

#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "resource_ids.h"

// A normal widget of the bar: Qt hides it while a message is shown.
CStatusBar::CStatusBar(QWidget* parent)
    : QStatusBar(parent),
      m_pIdleMessage(new QLabel(FromWindows1252(LoadResString(IDS_IDLE_MESSAGE)))) {
  addWidget(m_pIdleMessage, 1);
}

void CStatusBar::SetIndicators(const std::vector<int>& ids) {
  for (QLabel* pane : m_panes) delete pane;
  m_panes.clear();
  m_ids = ids;
  for (int id : ids) {
    if (id == ID_SEPARATOR) {
      m_panes.push_back(nullptr);
      continue;
    }
    auto* pane = new QLabel(FromWindows1252(LoadResString(id)), this);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setMinimumWidth(pane->sizeHint().width());
    addPermanentWidget(pane);
    m_panes.push_back(pane);
  }
}

int CStatusBar::CommandToIndex(int id) const {
  auto it = std::find(m_ids.begin(), m_ids.end(), id);
  return it == m_ids.end() ? -1 : static_cast<int>(it - m_ids.begin());
}

void CStatusBar::SetPaneText(int index, const QString& text, bool bUpdate) {
  if (index < 0 || index >= static_cast<int>(m_panes.size())) return;
  if (QLabel* pane = m_panes[index]) {
    pane->setText(text);
    if (bUpdate) pane->repaint();
  } else {
    showMessage(text);
  }
}

QString CStatusBar::GetPaneText(int index) const {
  if (index < 0 || index >= static_cast<int>(m_panes.size())) return QString();
  const QLabel* pane = m_panes[index];
  if (pane) return pane->text();
  return currentMessage().isEmpty() ? m_pIdleMessage->text() : currentMessage();
}
