#pragma once
// The open windows at the end of the Window menu, as MDI frames list them:
// "&1 Trax1", "&2 loop.tr:1", "&3 loop.tr:2", at most nine, by document and
// then by window, the active one checked. Choosing an entry activates its
// window, restoring it first when it is minimized.

class CCommandTable;
class CDocManager;
class QMenu;

// Adds a separator and the entries, commands AFX_IDM_FIRST_MDICHILD and the
// eight after it, to `menu`, which must show only while a window is open. Every command update
// brings their texts, checks and visibility up to date; updates run when documents change and when
// a menu opens. Nothing is owned; `docs` must outlive the commands' use.
void AddWindowList(QMenu& menu, CCommandTable& commands, const CDocManager& docs);
