#include <afxwin.h>

#include <algorithm>

#include "AsciiCase.h"
#include "ControlPaint.h"
#include "MessageQueue.h"
#include "PopupWindows.h"
#include "WindowSystem.h"

namespace {

constexpr int kFrame = 3;     // raised edge plus one pixel of menu colour
constexpr int kTextLeft = 17; // room for the check mark
constexpr int kTextRight = 17;
constexpr int kSeparator = 9;

// The pop-up window of a tracked menu and its choice.
class MenuWindow : public CWnd {
public:
    MenuWindow(const CMenu& menu, UINT flags) : menu_(menu), flags_(flags) {}

    bool done = false;
    UINT choice = 0;

    int ItemHeight() const {
        CClientDC dc(const_cast<MenuWindow*>(this));
        dc.SelectObject(ui::ControlFont(this));
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        return tm.tmHeight + 4;
    }
    CSize Measure() {
        CClientDC dc(this);
        dc.SelectObject(ui::ControlFont(this));
        int width = 0, height = 0, item = ItemHeight();
        for (const CMenu::Item& it : menu_.Items()) {
            if (it.flags & MF_SEPARATOR) {
                height += kSeparator;
                continue;
            }
            CRect r(0, 0, 0, 0);
            dc.DrawText(it.text, &r, DT_SINGLELINE | DT_CALCRECT);
            width = std::max<int>(width, r.Width());
            height += item;
        }
        return CSize(width + kTextLeft + kTextRight + 2 * kFrame, height + 2 * kFrame);
    }
    CRect ItemRect(int index) const {
        CRect client;
        GetClientRect(&client);
        int y = kFrame - 1, item = ItemHeight();
        const auto& items = menu_.Items();
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            int h = (items[static_cast<std::size_t>(i)].flags & MF_SEPARATOR) ? kSeparator : item;
            if (i == index)
                return CRect(kFrame - 1, y, client.right - kFrame + 1, y + h);
            y += h;
        }
        return CRect();
    }
    int ItemAt(CPoint p) const {
        for (int i = 0; i < static_cast<int>(menu_.Items().size()); ++i)
            if (ItemRect(i).PtInRect(p))
                return i;
        return -1;
    }
    bool Selectable(int i) const {
        if (i < 0 || i >= static_cast<int>(menu_.Items().size()))
            return false;
        UINT f = menu_.Items()[static_cast<std::size_t>(i)].flags;
        return !(f & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
    }
    void Highlight(int i) {
        if (i != hot_) {
            hot_ = i;
            Invalidate(FALSE);
        }
    }
    void Choose(int i) {
        if (!Selectable(i))
            return;
        choice = menu_.Items()[static_cast<std::size_t>(i)].id;
        done = true;
    }
    void Cancel() { done = true; }

    // Keys go to the menu whatever window has the focus.
    void Key(UINT vk) {
        int n = static_cast<int>(menu_.Items().size());
        auto step = [&](int dir) {
            for (int k = 1; k <= n; ++k) {
                int i = ((hot_ < 0 ? (dir > 0 ? -1 : n) : hot_) + dir * k + n * 2) % n;
                if (Selectable(i) || (i >= 0 && !(menu_.Items()[static_cast<std::size_t>(i)].flags &
                                                  MF_SEPARATOR))) {
                    Highlight(i);
                    return;
                }
            }
        };
        switch (vk) {
        case VK_DOWN:
            step(1);
            break;
        case VK_UP:
            step(-1);
            break;
        case VK_RETURN:
            Choose(hot_);
            break;
        case VK_ESCAPE:
        case VK_LEFT:
            Cancel();
            break;
        default:
            break;
        }
    }
    void Char(wchar_t c) {
        wchar_t lower = crt::ToLowerAZ(c);
        for (int i = 0; i < static_cast<int>(menu_.Items().size()); ++i)
            if (Selectable(i) &&
                ui::MnemonicOf(menu_.Items()[static_cast<std::size_t>(i)].text) == lower) {
                Highlight(i);
                Choose(i);
                return;
            }
    }

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    int OnMouseActivate(CWnd*, UINT, UINT) override { return MA_NOACTIVATE; }
    void OnMouseMove(UINT, CPoint p) override {
        int i = ItemAt(p);
        if (i >= 0 || hot_ >= 0)
            Highlight(Selectable(i) ? i : -1);
    }
    void Press(CPoint p) {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(p))
            Cancel(); // a press outside closes the menu
    }
    void Release(CPoint p, bool right) {
        if (right && !(flags_ & TPM_RIGHTBUTTON))
            return;
        int i = ItemAt(p);
        if (i >= 0)
            Choose(i);
    }
    void OnLButtonDown(UINT, CPoint p) override { Press(p); }
    void OnRButtonDown(UINT, CPoint p) override { Press(p); }
    void OnLButtonUp(UINT, CPoint p) override { Release(p, false); }
    void OnRButtonUp(UINT, CPoint p) override { Release(p, true); }
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, GetSysColor(COLOR_MENU));
        CRect edge = client;
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        dc.SelectObject(ui::ControlFont(this));
        dc.SetBkMode(TRANSPARENT);
        const auto& items = menu_.Items();
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            const CMenu::Item& it = items[static_cast<std::size_t>(i)];
            CRect r = ItemRect(i);
            if (it.flags & MF_SEPARATOR) {
                CRect line(r.left + 1, r.top + kSeparator / 2 - 1, r.right - 1,
                           r.top + kSeparator / 2 + 1);
                dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
                continue;
            }
            bool hot = i == hot_;
            bool grey = it.flags & (MF_GRAYED | MF_DISABLED);
            if (hot)
                dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
            COLORREF text = hot ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_MENUTEXT);
            if (it.flags & MF_CHECKED) {
                CRect mark(r.left + 3, r.top, r.left + 16, r.bottom);
                for (int k = 0; k < 7; ++k) {
                    static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
                    int y = mark.top + (mark.Height() - 7) / 2 + tops[k];
                    dc.FillSolidRect(mark.left + 2 + k, y, 1, 3, text);
                }
            }
            CRect tr(r.left + kTextLeft, r.top, r.right - kTextRight, r.bottom);
            if (grey && !hot) {
                ui::DrawControlText(dc, it.text, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT, false);
            } else {
                dc.SetTextColor(grey ? GetSysColor(COLOR_GRAYTEXT) : text);
                dc.DrawText(it.text, &tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            }
        }
    }

private:
    const CMenu& menu_;
    UINT flags_;
    int hot_ = -1;
};

MenuWindow*& Tracked() {
    static MenuWindow* tracked = nullptr;
    return tracked;
}

} // namespace

namespace ui {
CWnd* TrackedMenuWindow() {
    return Tracked();
}
} // namespace ui

BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu)
        return FALSE;
    m_hMenu = this;
    items_.clear();
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu)
        return FALSE;
    items_.clear();
    m_hMenu = nullptr;
    return TRUE;
}

int CMenu::Find(UINT item, UINT flags) const {
    if (flags & MF_BYPOSITION)
        return item < items_.size() ? static_cast<int>(item) : -1;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (!(items_[i].flags & MF_SEPARATOR) && items_[i].id == item)
            return static_cast<int>(i);
    return -1;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, LPCTSTR text) {
    if (!m_hMenu)
        return FALSE;
    Item it{flags & ~MF_BYPOSITION, static_cast<UINT>(id), text ? text : L""};
    if (!(flags & MF_SEPARATOR) && it.text.IsEmpty())
        it.flags |= MF_SEPARATOR; // an item without text is drawn as a separator
    int at = Find(position, flags);
    if (at < 0)
        items_.push_back(it);
    else
        items_.insert(items_.begin() + at, it);
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCTSTR text) {
    return InsertMenu(static_cast<UINT>(-1), flags | MF_BYPOSITION, id, text);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) {
    int at = Find(position, flags);
    if (!m_hMenu || at < 0)
        return FALSE;
    items_.erase(items_.begin() + at);
    return TRUE;
}

int CMenu::GetMenuItemCount() const {
    return m_hMenu ? static_cast<int>(items_.size()) : -1;
}

UINT CMenu::GetMenuItemID(int position) const {
    if (position < 0 || position >= static_cast<int>(items_.size()))
        return static_cast<UINT>(-1);
    const Item& it = items_[static_cast<std::size_t>(position)];
    return (it.flags & MF_SEPARATOR) ? 0 : it.id;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    int at = Find(item, flags);
    text = at < 0 ? CString() : items_[static_cast<std::size_t>(at)].text;
    return text.GetLength();
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    int at = Find(item, flags);
    return at < 0 ? static_cast<UINT>(-1) : items_[static_cast<std::size_t>(at)].flags;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    int at = Find(item, enable);
    if (at < 0)
        return static_cast<UINT>(-1);
    UINT& f = items_[static_cast<std::size_t>(at)].flags;
    UINT old = f & (MF_GRAYED | MF_DISABLED);
    f = (f & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

DWORD CMenu::CheckMenuItem(UINT item, UINT check) {
    int at = Find(item, check);
    if (at < 0)
        return static_cast<DWORD>(-1);
    UINT& f = items_[static_cast<std::size_t>(at)].flags;
    DWORD old = f & MF_CHECKED;
    f = (f & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT) {
    if (!m_hMenu || items_.empty() || Tracked())
        return FALSE;
    MenuWindow window(*this, flags);
    if (!window.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"#32768", L"", WS_POPUP,
                         CRect(x, y, x + 10, y + 10), wnd, 0))
        return FALSE;
    CSize size = window.Measure();
    // Place by the alignment flags and keep the menu on the screen.
    int left = (flags & TPM_RIGHTALIGN)    ? x - size.cx
               : (flags & TPM_CENTERALIGN) ? x - size.cx / 2
                                           : x;
    int top = y;
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    left = std::clamp(left, 0, std::max(0, sw - size.cx));
    top = std::clamp(top, 0, std::max(0, sh - size.cy));
    window.SetWindowPos(&CWnd::wndTop, left, top, size.cx, size.cy, SWP_NOACTIVATE);
    window.ShowWindow(SW_SHOWNA);
    window.UpdateWindow();
    window.SetCapture();
    Tracked() = &window;
    // The menu takes the keys before any window; it closes when someone takes the mouse away.
    auto keys = [&window](MSG& msg) {
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            window.Key(static_cast<UINT>(msg.wParam));
            TranslateMessage(&msg);
            return true;
        case WM_CHAR:
        case WM_SYSCHAR:
            window.Char(static_cast<wchar_t>(msg.wParam));
            return true;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return true;
        default:
            return false;
        }
    };
    auto done = [&window] {
        if (!window.done && GetCapture() != &window)
            window.Cancel();
        return window.done;
    };
    // Without more input the menu closes without a choice.
    ui::RunModalLoop(&window, done, keys);
    Tracked() = nullptr;
    if (GetCapture() == &window)
        ReleaseCapture();
    window.DestroyWindow();
    UINT choice = window.choice;
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(choice);
    if (choice && wnd && !(flags & TPM_NONOTIFY))
        wnd->PostMessage(WM_COMMAND, MAKEWPARAM(choice, 0), 0);
    return TRUE;
}
