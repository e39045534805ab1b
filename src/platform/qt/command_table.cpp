#include "platform/qt/command_table.h"

#include <QAction>
#include <QTimer>

#include "platform/qt/windows1252.h"
#include "platform/string_table.h"

QString CommandPrompt(int id) {
  return FromWindows1252(LoadResString(id)).section('\n', 0, 0);
}

QString CommandTip(int id) {
  const QString text = FromWindows1252(LoadResString(id));
  const qsizetype pos = text.indexOf('\n');
  return pos < 0 ? text : text.mid(pos + 1);
}

CCommandTable::CCommandTable(QObject* parent) : QObject(parent) {}

CCommandTable::Command& CCommandTable::Entry(int id) {
  Command& command = m_commands[id];
  if (!command.action) {
    command.action = new QAction(this);
    command.action->setStatusTip(CommandPrompt(id));
    command.action->setToolTip(CommandTip(id));
    command.action->setText(CommandTip(id));
    command.action->setEnabled(false);
    connect(command.action, &QAction::triggered, this, [this, id] {
      // Qt flips a checkable action on its own; the update puts it right at once.
      if (const Handler& handler = m_commands[id].handler) handler();
      UpdateAll();
    });
  }
  return command;
}

QAction* CCommandTable::Action(int id, int nTextId) {
  QAction* action = Entry(id).action;
  if (nTextId) action->setText(FromWindows1252(LoadResString(nTextId)));
  return action;
}

QAction* CCommandTable::Find(int id) const {
  auto it = m_commands.find(id);
  return it == m_commands.end() ? nullptr : it->second.action;
}

void CCommandTable::OnCommand(int id, Handler handler) {
  Entry(id).handler = std::move(handler);
  RequestUpdate();
}

void CCommandTable::OnUpdate(int id, UpdateHandler update) {
  Entry(id).update = std::move(update);
  RequestUpdate();
}

void CCommandTable::SetCheckable(int id) {
  Entry(id).action->setCheckable(true);
}

void CCommandTable::UpdateAll() {
  m_bUpdatePending = false;
  emit AboutToUpdate();
  for (auto& [id, command] : m_commands) {
    CCmdUI state;
    state.m_bEnabled = static_cast<bool>(command.handler);
    if (command.handler && command.update) command.update(state);
    command.action->setEnabled(state.m_bEnabled);
    if (command.action->isCheckable()) command.action->setChecked(state.m_bChecked);
    if (!state.m_text.isNull()) command.action->setText(state.m_text);
  }
}

void CCommandTable::RequestUpdate() {
  if (m_bUpdatePending) return;
  m_bUpdatePending = true;
  QTimer::singleShot(0, this, [this] {
    if (m_bUpdatePending) UpdateAll();
  });
}
