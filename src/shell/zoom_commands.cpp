// The View menu's zoom commands, which act on the active pane.
#include <QAction>
#include <tuple>

#include "platform/qt/command_table.h"
#include "resource_ids.h"
#include "shell/trasso_app.h"
#include "view/trasso_view.h"

void CTrassoApp::WireZoomCommands() {
  CCommandTable& commands = *m_pCommands;
  // Each with the string of its prompt and tip, kept beside the menu texts.
  const std::tuple<int, int, void (CTrassoView::*)()> zooms[] = {
      {ID_VIEW_ZOOM_FIT, 13004, &CTrassoView::OnZoomToFit},
      {ID_VIEW_ZOOM_SELECTION, 13005, &CTrassoView::OnZoomToSelection},
      {ID_VIEW_ZOOM_IN, 13006, &CTrassoView::OnZoomIn},
      {ID_VIEW_ZOOM_OUT, 13007, &CTrassoView::OnZoomOut},
  };
  for (auto [id, nPromptId, handler] : zooms) {
    QAction* action = commands.Action(id);
    action->setStatusTip(CommandPrompt(nPromptId));
    action->setToolTip(CommandTip(nPromptId));
    commands.OnCommand(id, [this, handler] {
      if (CTrassoView* view = GetActiveView()) (view->*handler)();
    });
    commands.OnUpdate(id, [this](CCmdUI& ui) { ui.Enable(GetActiveView() != nullptr); });
  }
  commands.OnUpdate(ID_VIEW_ZOOM_SELECTION, [this](CCmdUI& ui) {
    const CTrassoView* view = GetActiveView();
    ui.Enable(view && view->CanZoomToSelection());
  });
}
