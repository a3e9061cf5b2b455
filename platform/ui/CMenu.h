#pragma once
// Pop-up menus: items with command ids, texts (with "&" mnemonics), separators, grey and
// check marks. TrackPopupMenu shows the menu as a topmost pop-up window and runs its own
// loop: the mouse (either button with TPM_RIGHTBUTTON) or Up/Down/Enter/Esc and mnemonics
// pick an item; the choice reaches the window given as WM_COMMAND (posted), or is the
// answer with TPM_RETURNCMD.

#include <vector>

#include "platform/ui/CWnd.h"
#include "platform/ui/WinControls.h"

class CMenu {
public:
    CMenu() = default;
    ~CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    BOOL CreatePopupMenu();
    BOOL CreateMenu() { return CreatePopupMenu(); }
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags) { return DeleteMenu(position, flags); }
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const; // 0 for a separator, -1 outside
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    UINT EnableMenuItem(UINT item, UINT enable);
    DWORD CheckMenuItem(UINT item, UINT check);
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect = nullptr);

    struct Item {
        UINT flags = 0;
        UINT id = 0;
        CString text;
    };
    const std::vector<Item>& Items() const { return items_; }

private:
    int Find(UINT item, UINT flags) const; // position or -1

    std::vector<Item> items_;
};

namespace ui {
// The pop-up window of the menu being tracked, or null (for tests and shots).
CWnd* TrackedMenuWindow();
} // namespace ui
