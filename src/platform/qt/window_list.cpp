#include "platform/qt/window_list.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <vector>

#include "platform/document.h"
#include "platform/qt/command_table.h"
#include "platform/qt/doc_manager.h"
#include "resource_ids.h"

namespace {
constexpr int kMaxListed = 9;
constexpr int IDS_ACTIVATE_WINDOW = 13100;

// Every open window, in the order of the list; the first nine are listed.
std::vector<QMdiSubWindow*> OpenFrames(const CDocManager& docs) {
  std::vector<QMdiSubWindow*> frames;
  for (const CDocument* doc : docs.GetDocuments()) {
    for (QMdiSubWindow* frame : docs.GetFrames(*doc)) frames.push_back(frame);
  }
  return frames;
}

// The title as the window shows it, without its mark of unsaved changes; a
// literal ampersand must not become a mnemonic.
QString EntryText(int index, const QMdiSubWindow& frame) {
  QString title = frame.windowTitle().remove(QStringLiteral("[*]"));
  title.replace('&', QStringLiteral("&&"));
  return QStringLiteral("&%1 %2").arg(index + 1).arg(title);
}

void Activate(QMdiSubWindow& frame) {
  if (frame.isMinimized()) frame.showNormal();
  frame.mdiArea()->setActiveSubWindow(&frame);
}
}  // namespace

void AddWindowList(QMenu& menu, CCommandTable& commands, const CDocManager& docs) {
  menu.addSeparator();  // the menu shows only while a window is open
  std::vector<QAction*> entries;
  for (int i = 0; i < kMaxListed; ++i) {
    const int id = AFX_IDM_FIRST_MDICHILD + i;
    QAction* action = commands.Action(id);
    action->setStatusTip(CommandPrompt(IDS_ACTIVATE_WINDOW));
    commands.SetCheckable(id);
    menu.addAction(action);
    entries.push_back(action);
    commands.OnCommand(id, [&docs, i] {
      if (const auto frames = OpenFrames(docs); i < static_cast<int>(frames.size()))
        Activate(*frames[i]);
    });
    commands.OnUpdate(id, [&docs, i](CCmdUI& ui) {
      const auto frames = OpenFrames(docs);
      const bool listed = i < static_cast<int>(frames.size());
      ui.SetCheck(listed && frames[i] == docs.GetActiveFrame());
      if (listed) ui.SetText(EntryText(i, *frames[i]));
    });
  }
  // Entries without a window are hidden, which also disables them, before
  // the pass sets the others.
  QObject::connect(&commands, &CCommandTable::AboutToUpdate, &docs, [&docs, entries] {
    const auto count = static_cast<int>(OpenFrames(docs).size());
    for (int i = 0; i < kMaxListed; ++i) entries[i]->setVisible(i < count);
  });
}
