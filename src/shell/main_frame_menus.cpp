// The menus and the accelerator table of the main frame.
#include <QMenu>
#include <QMenuBar>
#include <span>

#include "platform/qt/command_table.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/windows1252.h"
#include "resource_ids.h"
#include "shell/main_frame.h"

namespace {
// One entry: a command and the string id of its text; {0, 0} is a separator.
struct MenuEntry {
  int id;
  int nTextId;
};
constexpr MenuEntry kSeparator{ID_SEPARATOR, 0};

enum : int {
  IDS_MENU_FILE = 12901,
  IDS_MENU_EDIT = 12913,
  IDS_MENU_VIEW = 12919,
  IDS_MENU_WINDOW = 12925,
  IDS_MENU_HELP = 12931,
};

constexpr MenuEntry kNew{ID_FILE_NEW, 12902}, kOpen{ID_FILE_OPEN, 12903},
    kPrintSetup{ID_FILE_PRINT_SETUP, 12910}, kRecent{ID_FILE_MRU_FILE1, 12911},
    kExit{ID_APP_EXIT, 12912};

constexpr MenuEntry kFile128[] = {kNew,       kOpen,   kSeparator, kPrintSetup,
                                  kSeparator, kRecent, kSeparator, kExit};
constexpr MenuEntry kFile129[] = {kNew,
                                  kOpen,
                                  {ID_FILE_CLOSE, 12904},
                                  {ID_FILE_SAVE, 12905},
                                  {ID_FILE_SAVE_AS, 12906},
                                  kSeparator,
                                  {ID_FILE_COMPILE, 12907},
                                  {ID_FILE_STOP_COMPILE, 12936},
                                  kSeparator,
                                  {ID_FILE_PRINT, 12908},
                                  {ID_FILE_PRINT_PREVIEW, 12909},
                                  kPrintSetup,
                                  kSeparator,
                                  kRecent,
                                  kSeparator,
                                  kExit};
constexpr MenuEntry kEdit[] = {{ID_EDIT_UNDO, 12914},
                               {ID_EDIT_REDO, 12934},
                               kSeparator,
                               {ID_EDIT_CUT, 12915},
                               {ID_EDIT_COPY, 12916},
                               {ID_EDIT_PASTE, 12917},
                               {ID_EDIT_SELECT_ALL, 12935},
                               kSeparator,
                               {ID_EDIT_SCALE_SELECTION, 12918}};
// One entry a line, so that entries added later change one line each.
// clang-format off
constexpr MenuEntry kView[] = {{ID_VIEW_TOOLBAR, 12920},
                               {ID_VIEW_TOOLS, 12921},
                               {ID_VIEW_SELECTION_BAR, 12922},
                               {ID_VIEW_TRACK_BAR, 12923},
                               {ID_VIEW_COMPILE_OUTPUT, 12937},
                               {ID_VIEW_TRACK_CHECK, 12944},
                               {ID_VIEW_STATUS_BAR, 12924},
                               kSeparator,
                               {ID_VIEW_ZOOM_FIT, 13000},
                               {ID_VIEW_ZOOM_SELECTION, 13001},
                               {ID_VIEW_ZOOM_IN, 13002},
                               {ID_VIEW_ZOOM_OUT, 13003},
                               kSeparator,
                               {ID_VIEW_GRID, 13030},
                               {ID_VIEW_SNAP_TO_GRID, 13031},
                               {ID_VIEW_GRID_SETTINGS, 13032},
                               kSeparator,
                               {ID_VIEW_ITEM_LABELS, 13060},
                               {ID_VIEW_COMPACT_MARKS, 13061}};
// clang-format on
constexpr MenuEntry kWindow[] = {{ID_WINDOW_NEW, 12926},
                                 {ID_WINDOW_CASCADE, 12927},
                                 {ID_WINDOW_TILE_HORZ, 12928},
                                 {ID_WINDOW_ARRANGE, 12929},
                                 {ID_WINDOW_SPLIT, 12930}};
constexpr MenuEntry kHelp[] = {{ID_HELP, 12932}, {ID_APP_ABOUT, 12933}};

// The last three recent files follow the first in every File menu.
constexpr int kRecentFileCount = 4;

struct Accelerator {
  int id;
  QKeyCombination keys;
};
const Accelerator kAccelerators[] = {
    {ID_FILE_NEW, Qt::CTRL | Qt::Key_N},
    {ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    {ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
    {ID_EDIT_UNDO, Qt::CTRL | Qt::Key_Z},
    {ID_EDIT_UNDO, Qt::ALT | Qt::Key_Backspace},
    {ID_EDIT_REDO, Qt::CTRL | Qt::Key_Y},
    {ID_EDIT_REDO, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
    {ID_EDIT_CUT, Qt::CTRL | Qt::Key_X},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_C},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_Insert},
    {ID_EDIT_PASTE, Qt::CTRL | Qt::Key_V},
    {ID_EDIT_PASTE, Qt::SHIFT | Qt::Key_Insert},
    {ID_EDIT_SELECT_ALL, Qt::CTRL | Qt::Key_A},
    {ID_HELP, QKeyCombination(Qt::Key_F1)},
    {ID_FILE_COMPILE, QKeyCombination(Qt::Key_F7)},
    {ID_NEXT_PANE, QKeyCombination(Qt::Key_F6)},
    {ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
    {ID_VIEW_ZOOM_FIT, Qt::CTRL | Qt::Key_0},
    {ID_VIEW_ZOOM_FIT, QKeyCombination(Qt::Key_Home)},
    {ID_VIEW_ZOOM_SELECTION, Qt::CTRL | Qt::SHIFT | Qt::Key_0},
    {ID_VIEW_ZOOM_IN, Qt::CTRL | Qt::Key_Equal},
    {ID_VIEW_ZOOM_IN, Qt::CTRL | Qt::Key_Plus},
    {ID_VIEW_ZOOM_OUT, Qt::CTRL | Qt::Key_Minus},
};

}  // namespace

void CMainFrame::BuildMenus() {
  auto makeMenu = [this](int nTitleId, std::span<const MenuEntry> entries) {
    auto* menu = new QMenu(ResText(nTitleId), this);
    // Entries are brought up to date when the menu opens.
    connect(menu, &QMenu::aboutToShow, &m_commands, &CCommandTable::UpdateAll);
    for (const MenuEntry& entry : entries) {
      if (entry.id == ID_SEPARATOR) {
        menu->addSeparator();
        continue;
      }
      menu->addAction(m_commands.Action(entry.id, entry.nTextId));
      if (entry.id == ID_FILE_MRU_FILE1) {
        for (int i = 1; i < kRecentFileCount; ++i) {
          menu->addAction(m_commands.Action(ID_FILE_MRU_FILE1 + i));
        }
      }
    }
    menuBar()->addMenu(menu);
    return menu;
  };
  m_pFileMenu128 = makeMenu(IDS_MENU_FILE, kFile128);
  m_pFileMenu129 = makeMenu(IDS_MENU_FILE, kFile129);
  QMenu* edit = makeMenu(IDS_MENU_EDIT, kEdit);
  QMenu* view = makeMenu(IDS_MENU_VIEW, kView);
  m_pWindowMenu = makeMenu(IDS_MENU_WINDOW, kWindow);
  QMenu* help = makeMenu(IDS_MENU_HELP, kHelp);
  m_menus128 = {m_pFileMenu128, view, help};
  m_menus129 = {m_pFileMenu129, edit, view, m_pWindowMenu, help};
  ShowDocumentMenu(false);
  SetRecentFiles({});
}

// The keys belong to the frame, so that they work whichever menu is shown.
void CMainFrame::BuildAccelerators() {
  for (const Accelerator& accelerator : kAccelerators) {
    QAction* action = m_commands.Action(accelerator.id);
    QList<QKeySequence> keys = action->shortcuts();
    keys.append(QKeySequence(accelerator.keys));
    action->setShortcuts(keys);
    addAction(action);
  }
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* action = m_commands.Action(ID_FILE_MRU_FILE1 + i);
    action->setVisible(i < files.size() || i == 0);
    if (i < files.size()) {
      action->setText(RecentFileMenuText(i, files[i]));
    } else if (i == 0) {
      action->setText(ResText(kRecent.nTextId));
    }
  }
}
