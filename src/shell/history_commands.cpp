// Undo and Redo: the Edit entries, their keys and toolbar buttons, each named
// after the step it would take back or bring again.
#include "model/trasso_doc.h"
#include "platform/qt/command_table.h"
#include "platform/qt/windows1252.h"
#include "platform/string_table.h"
#include "resource_ids.h"
#include "shell/trasso_app.h"

namespace {
enum : int { IDS_UNDO_ENTRY = 12914, IDS_REDO_ENTRY = 12934 };

// "&Undo\tCtrl+Z" with a step name becomes "&Undo Move nodes\tCtrl+Z".
QString NamedEntry(int nTextId, const std::string& name) {
  QString text = FromWindows1252(LoadResString(nTextId));
  if (name.empty()) return text;
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  return text.insert(tab < 0 ? text.size() : tab, QLatin1Char(' ') + FromWindows1252(name));
}
}  // namespace

void CTrassoApp::WireHistoryCommands() {
  CCommandTable& commands = *m_pCommands;
  // Undo while a path is traced takes back its last node; the view drops
  // it from the path when it leaves the track.
  commands.OnCommand(ID_EDIT_UNDO, [this] {
    if (CTrassoDoc* doc = GetActiveDocument()) doc->Undo();
  });
  commands.OnCommand(ID_EDIT_REDO, [this] {
    if (CTrassoDoc* doc = GetActiveDocument()) doc->Redo();
  });
  commands.OnUpdate(ID_EDIT_UNDO, [this](CCmdUI& ui) {
    const CTrassoDoc* doc = GetActiveDocument();
    const CTrackHistory* history = doc ? &doc->GetHistory() : nullptr;
    ui.Enable(history && history->CanUndo());
    ui.SetText(NamedEntry(IDS_UNDO_ENTRY, history ? history->UndoName() : std::string()));
  });
  commands.OnUpdate(ID_EDIT_REDO, [this](CCmdUI& ui) {
    const CTrassoDoc* doc = GetActiveDocument();
    const CTrackHistory* history = doc ? &doc->GetHistory() : nullptr;
    ui.Enable(history && history->CanRedo());
    ui.SetText(NamedEntry(IDS_REDO_ENTRY, history ? history->RedoName() : std::string()));
  });
}
