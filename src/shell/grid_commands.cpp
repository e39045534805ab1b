// The grid commands of the View menu: show the grid, snap to it, and set its
// spacing. The options belong to the application, so every view follows them
// and they outlive the documents.
#include <QAction>

#include "platform/qt/command_table.h"
#include "resource_ids.h"
#include "shell/grid_dlg.h"
#include "shell/grid_settings.h"
#include "shell/main_frame.h"
#include "shell/trasso_app.h"
#include "view/trasso_view.h"

namespace {
// The prompts and tool tips, one string each, as the commands' own are.
constexpr std::pair<int, int> kPrompts[] = {
    {ID_VIEW_GRID, 13033}, {ID_VIEW_SNAP_TO_GRID, 13034}, {ID_VIEW_GRID_SETTINGS, 13035}};
}  // namespace

void CTrassoApp::SetGridOptions(const GridOptions& options) {
  m_grid = options;
  SaveGridOptions(m_settings, m_grid);
  for (CTrassoView* view : CTrassoView::s_allViews) view->update();
}

void CTrassoApp::WireGridCommands() {
  m_grid = LoadGridOptions(m_settings);
  CCommandTable& commands = *m_pCommands;
  for (auto [id, nPromptId] : kPrompts) {
    QAction* action = commands.Action(id);
    action->setStatusTip(CommandPrompt(nPromptId));
    action->setToolTip(CommandTip(nPromptId));
  }

  const std::pair<int, bool GridOptions::*> toggles[] = {
      {ID_VIEW_GRID, &GridOptions::bShow}, {ID_VIEW_SNAP_TO_GRID, &GridOptions::bSnap}};
  for (auto [id, flag] : toggles) {
    commands.SetCheckable(id);
    // A check mark tells the state in a menu better than a framed button image.
    commands.Action(id)->setIconVisibleInMenu(false);
    commands.OnCommand(id, [this, flag] {
      GridOptions options = m_grid;
      options.*flag = !(options.*flag);
      SetGridOptions(options);
    });
    commands.OnUpdate(id, [this, flag](CCmdUI& ui) { ui.SetCheck(m_grid.*flag); });
  }

  commands.OnCommand(ID_VIEW_GRID_SETTINGS, [this] {
    CGridDlg dialog(m_grid.spacing, *m_pPrompts, m_pMainWnd.get());
    if (dialog.exec() != QDialog::Accepted) return;
    GridOptions options = m_grid;
    options.spacing = dialog.GetSpacing();
    SetGridOptions(options);
  });
}
