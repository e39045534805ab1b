// The drawing options of the View menu. They live in the same settings as the
// recent files, so a track maker finds the plan drawn as he left it.
#include <QAction>

#include "platform/qt/command_table.h"
#include "platform/qt/windows1252.h"
#include "resource_ids.h"
#include "shell/trasso_app.h"
#include "view/view_options.h"

namespace {
struct ViewOption {
  int id;
  int nPromptId;
  const char* key;
  bool CViewOptions::*flag;
};
const ViewOption kViewOptions[] = {
    {ID_VIEW_ITEM_LABELS, 13062, "View/ItemLabels", &CViewOptions::bItemLabels},
    {ID_VIEW_COMPACT_MARKS, 13063, "View/CompactMarks", &CViewOptions::bCompactMarks},
};
}  // namespace

void CTrassoApp::WireViewOptionCommands() {
  CCommandTable& commands = *m_pCommands;
  CViewOptions options;
  for (const ViewOption& option : kViewOptions) {
    options.*option.flag = m_settings.value(QLatin1String(option.key), false).toBool();
    // The prompt has an id of its own, apart from the command's.
    commands.Action(option.id)->setStatusTip(ResText(option.nPromptId));
    commands.SetCheckable(option.id);
    commands.OnCommand(option.id, [this, option] {
      CViewOptions changed = GetViewOptions();
      changed.*option.flag = !(changed.*option.flag);
      m_settings.setValue(QLatin1String(option.key), changed.*option.flag);
      SetViewOptions(changed);
    });
    commands.OnUpdate(option.id,
                      [option](CCmdUI& ui) { ui.SetCheck(GetViewOptions().*option.flag); });
  }
  SetViewOptions(options);
}
