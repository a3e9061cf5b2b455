#include <afxwin.h>

#include <algorithm>
#include <cwchar>

#include "DisplayBackend.h"
#include "WindowClass.h"
#include "WindowSystem.h"

using ui::WindowSystem;

CWnd::CWnd() = default;

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

CWnd::~CWnd() {
    if (m_hWnd)
        DestroyWindow();
    for (auto& dc : dcs_)
        dc->DetachSurface();
}

void AdoptChild(CWnd* parent, std::unique_ptr<CWnd> child) {
    if (parent && child)
        parent->ownedChildren_.push_back(std::move(child));
}

// ---- creation ----

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void*) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void*) {
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs{};
    cs.hwndParent = parent;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = static_cast<LONG>(style);
    cs.dwExStyle = exStyle;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    if (!PreCreateWindow(cs))
        return FALSE;
    style_ = static_cast<DWORD>(cs.style);
    exStyle_ = cs.dwExStyle;
    bool child = style_ & WS_CHILD;
    if (child && (!parent || !parent->m_hWnd))
        return FALSE;
    text_ = cs.lpszName ? cs.lpszName : L"";
    className_ = (cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass)) ? cs.lpszClass : L"";
    // A registered class gives its background and cursor to windows that set none.
    WNDCLASS cls{};
    if (!className_.IsEmpty() && GetClassInfo(nullptr, className_, &cls)) {
        if (!backgroundBrush_ && cls.hbrBackground)
            backgroundBrush_ = ui::ResolveClassBrush(cls.hbrBackground);
        classCursor_ = cls.hCursor;
    }
    rect_ = CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    m_hWnd = this;
    WindowSystem::Live().insert(this);
    if (child) {
        id_ = id;
        parent_ = parent;
        parent->children_.push_back(this);
    } else {
        owner_ = parent;
        WindowSystem::TopLevels().push_back(this);
        WindowSystem::ResizeSurface(this);
    }
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    CRect client = WindowSystem::ClientRect(this);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    SendMessage(WM_MOVE, 0, MAKELPARAM(rect_.left, rect_.top));
    if (style_ & WS_VISIBLE) {
        frameDirty_ = true;
        WindowSystem::Invalidate(this, ui::Region(client), true, true);
        if (!child)
            SetActiveWindow();
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd || destroying_)
        return FALSE;
    destroying_ = true;
    if (parent_ && (style_ & WS_VISIBLE))
        WindowSystem::Invalidate(parent_, ui::Region(rect_), true, true);
    CWnd*& focus = WindowSystem::Focus();
    if (focus && (focus == this || IsChild(focus))) {
        ::SetFocus(nullptr);
    }
    if (WindowSystem::Capture() == this || IsChild(WindowSystem::Capture()))
        ::ReleaseCapture();
    SendMessage(WM_DESTROY);
    std::vector<CWnd*> kids = children_;
    for (CWnd* c : kids)
        if (c->m_hWnd)
            c->DestroyWindow();
    ownedChildren_.clear();
    if (parent_) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    } else {
        auto& tops = WindowSystem::TopLevels();
        tops.erase(std::remove(tops.begin(), tops.end(), this), tops.end());
        if (WindowSystem::Active() == this) {
            WindowSystem::Active() = nullptr;
            for (auto it = tops.rbegin(); it != tops.rend(); ++it)
                if ((*it)->IsWindowVisible() && (*it)->IsWindowEnabled()) {
                    (*it)->SetActiveWindow();
                    break;
                }
        }
    }
    SendMessage(WM_NCDESTROY);
    WindowSystem::ForgetWindow(this);
    WindowSystem::Live().erase(this);
    for (auto& dc : dcs_)
        dc->DetachSurface();
    WindowSystem::DropSurface(this);
    parent_ = nullptr;
    m_hWnd = nullptr;
    destroying_ = false;
    PostNcDestroy();
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    CWnd* old = hwnd;
    if (m_hWnd || !IsWindow(old) || old == this)
        return FALSE;
    parent_ = old->parent_;
    owner_ = old->owner_;
    children_ = std::move(old->children_);
    old->children_.clear();
    for (CWnd* c : children_)
        c->parent_ = this;
    ownedChildren_ = std::move(old->ownedChildren_);
    old->ownedChildren_.clear();
    rect_ = old->rect_;
    style_ = old->style_;
    exStyle_ = old->exStyle_;
    id_ = old->id_;
    text_ = old->text_;
    className_ = old->className_;
    font_ = old->font_;
    update_ = old->update_;
    erase_ = old->erase_;
    frameDirty_ = old->frameDirty_;
    surface_ = old->surface_;
    old->surface_ = nullptr;
    m_hWnd = this;
    if (parent_)
        std::replace(parent_->children_.begin(), parent_->children_.end(), old, this);
    else
        std::replace(WindowSystem::TopLevels().begin(), WindowSystem::TopLevels().end(), old, this);
    WindowSystem::Retarget(old, this);
    TakeStateFrom(*old);
    WindowSystem::Live().erase(old);
    WindowSystem::Live().insert(this);
    old->m_hWnd = nullptr;
    old->parent_ = nullptr;
    if (parent_) {
        auto& owned = parent_->ownedChildren_;
        auto it = std::find_if(owned.begin(), owned.end(),
                               [&](const std::unique_ptr<CWnd>& p) { return p.get() == old; });
        if (it != owned.end())
            owned.erase(it);
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent)
        return FALSE;
    CWnd* item = parent->GetDlgItem(static_cast<int>(id));
    return item ? SubclassWindow(item) : FALSE;
}

CWnd* CWnd::SetParent(CWnd* newParent) {
    if (!m_hWnd || !parent_ || !newParent || !IsWindow(newParent) || newParent == this ||
        IsChild(newParent))
        return nullptr;
    CWnd* old = parent_;
    if (old == newParent)
        return old;
    bool visible = style_ & WS_VISIBLE;
    if (visible)
        WindowSystem::Invalidate(old, ui::Region(rect_), true, true);
    auto& sib = old->children_;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    auto& owned = old->ownedChildren_;
    auto it = std::find_if(owned.begin(), owned.end(),
                           [&](const std::unique_ptr<CWnd>& p) { return p.get() == this; });
    if (it != owned.end()) {
        newParent->ownedChildren_.push_back(std::move(*it));
        owned.erase(it);
    }
    parent_ = newParent;
    newParent->children_.insert(newParent->children_.begin(), this);
    if (visible) {
        frameDirty_ = true;
        WindowSystem::Invalidate(this, ui::Region(WindowSystem::ClientRect(this)), true, true);
    }
    return old;
}

// ---- messages ----

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* item = GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) {
    std::vector<CWnd*> kids = children_;
    for (CWnd* c : kids) {
        if (!IsWindow(c))
            continue;
        c->SendMessage(message, wParam, lParam);
        if (deep && IsWindow(c))
            c->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::Default() {
    const MSG* m = GetCurrentMessage();
    if (!m)
        return 0;
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

const MSG* CWnd::GetCurrentMessage() {
    auto& stack = WindowSystem::CurrentMessages();
    return stack.empty() ? nullptr : &stack.back();
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

// ---- tree ----

CWnd* CWnd::GetTopLevelParent() const {
    const CWnd* w = this;
    while (w->parent_)
        w = w->parent_;
    return const_cast<CWnd*>(w);
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* c : children_)
        if (c->id_ == static_cast<UINT>(id))
            return c;
    return nullptr;
}

int CWnd::SetDlgCtrlID(int id) {
    int old = static_cast<int>(id_);
    id_ = static_cast<UINT>(id);
    return old;
}

CWnd* CWnd::GetWindow(UINT command) const {
    if (command == GW_CHILD)
        return children_.empty() ? nullptr : children_.front();
    const std::vector<CWnd*>& sib = parent_ ? parent_->children_ : WindowSystem::TopLevels();
    auto it = std::find(sib.begin(), sib.end(), this);
    if (it == sib.end())
        return nullptr;
    switch (command) {
    case GW_HWNDFIRST:
        return sib.front();
    case GW_HWNDLAST:
        return sib.back();
    case GW_HWNDNEXT:
        return it + 1 == sib.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return it == sib.begin() ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

BOOL CWnd::IsChild(const CWnd* wnd) const {
    for (const CWnd* w = wnd ? wnd->parent_ : nullptr; w; w = w->parent_)
        if (w == this)
            return TRUE;
    return FALSE;
}

CWnd* CWnd::ChildWindowFromPoint(POINT clientPoint) const {
    for (CWnd* c : children_)
        if ((c->style_ & WS_VISIBLE) && c->rect_.PtInRect(clientPoint))
            return c;
    return CRect(WindowSystem::ClientRect(this)).PtInRect(clientPoint) ? const_cast<CWnd*>(this)
                                                                       : nullptr;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
    std::vector<CWnd*> stops;
    for (CWnd* c : children_)
        if ((c->style_ & WS_TABSTOP) && (c->style_ & WS_VISIBLE) && !(c->style_ & WS_DISABLED))
            stops.push_back(c);
    if (stops.empty())
        return nullptr;
    auto it = std::find(stops.begin(), stops.end(), control);
    if (it == stops.end()) {
        // A control without a tab stop: continue from its place in the z-order.
        if (control && control->parent_ == this) {
            auto pos = std::find(children_.begin(), children_.end(), control);
            if (!previous) {
                for (auto j = pos + 1; j < children_.end(); ++j)
                    if (std::find(stops.begin(), stops.end(), *j) != stops.end())
                        return *j;
                return stops.front();
            }
            for (auto j = pos; j != children_.begin();) {
                --j;
                if (std::find(stops.begin(), stops.end(), *j) != stops.end())
                    return *j;
            }
            return stops.back();
        }
        return previous ? stops.back() : stops.front();
    }
    if (previous)
        return it == stops.begin() ? stops.back() : *(it - 1);
    return it + 1 == stops.end() ? stops.front() : *(it + 1);
}

// ---- state ----

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    DWORD old = style_;
    style_ = (style_ & ~remove) | add;
    if (flags & SWP_FRAMECHANGED)
        frameDirty_ = true;
    return old != style_;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    DWORD old = exStyle_;
    exStyle_ = (exStyle_ & ~remove) | add;
    if (flags & SWP_FRAMECHANGED)
        frameDirty_ = true;
    return old != exStyle_;
}

BOOL CWnd::IsWindowVisible() const {
    return m_hWnd && WindowSystem::IsShown(this);
}

BOOL CWnd::EnableWindow(BOOL enable) {
    bool wasDisabled = style_ & WS_DISABLED;
    if (!m_hWnd || wasDisabled == !enable)
        return wasDisabled;
    if (enable)
        style_ &= ~WS_DISABLED;
    else {
        style_ |= WS_DISABLED;
        CWnd* focus = WindowSystem::Focus();
        if (focus && (focus == this || IsChild(focus)))
            ::SetFocus(nullptr);
    }
    SendMessage(WM_ENABLE, enable);
    return wasDisabled;
}

BOOL CWnd::ShowWindow(int command) {
    bool wasVisible = style_ & WS_VISIBLE;
    bool show = command != SW_HIDE;
    if (!m_hWnd || wasVisible == show)
        return wasVisible;
    SendMessage(WM_SHOWWINDOW, show);
    if (!parent_)
        if (ui::DisplayBackend* backend = ui::GetDisplayBackend())
            backend->WindowShown(this, show);
    if (show) {
        style_ |= WS_VISIBLE;
        frameDirty_ = true;
        WindowSystem::Invalidate(this, ui::Region(WindowSystem::ClientRect(this)), true, true);
        if (!parent_ && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE)
            SetActiveWindow();
    } else {
        CWnd* focus = WindowSystem::Focus();
        if (focus && (focus == this || IsChild(focus)))
            ::SetFocus(nullptr);
        style_ &= ~WS_VISIBLE;
        if (parent_)
            WindowSystem::Invalidate(parent_, ui::Region(rect_), true, true);
        else if (WindowSystem::Active() == this) {
            WindowSystem::Active() = nullptr;
            auto& tops = WindowSystem::TopLevels();
            for (auto it = tops.rbegin(); it != tops.rend(); ++it)
                if (*it != this && (*it)->IsWindowVisible() && (*it)->IsWindowEnabled()) {
                    (*it)->SetActiveWindow();
                    break;
                }
        }
    }
    return wasVisible;
}

void CWnd::SetWindowText(LPCTSTR text) {
    if (m_hWnd)
        SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    else
        text_ = text ? text : L"";
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    if (!buffer || maxCount <= 0)
        return 0;
    int n = std::min(maxCount - 1, text_.GetLength());
    std::wmemcpy(buffer, text_.GetString(), static_cast<std::size_t>(n));
    buffer[n] = L'\0';
    return n;
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    CWnd* item = GetDlgItem(id);
    text = item ? item->text_ : CString();
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    CString s;
    if (isSigned)
        s.Format(L"%i", static_cast<int>(value));
    else
        s.Format(L"%u", value);
    SetDlgItemText(id, s);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL) const {
    CString s;
    GetDlgItemText(id, s);
    s.Trim();
    bool ok = !s.IsEmpty();
    for (int i = 0; i < s.GetLength(); ++i)
        if (!(iswdigit(s[i]) || (i == 0 && s[i] == L'-')))
            ok = false;
    if (translated)
        *translated = ok;
    return ok ? static_cast<UINT>(_wtol(s)) : 0;
}

void CWnd::CheckDlgButton(int id, UINT check) {
    SendDlgItemMessage(id, BM_SETCHECK, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    CWnd* item = GetDlgItem(id);
    return item ? static_cast<UINT>(item->SendMessage(BM_GETCHECK)) : 0;
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

CFont* CWnd::GetFont() const {
    return font_;
}

// ---- geometry ----

void CWnd::GetWindowRect(LPRECT rect) const {
    CPoint o = WindowSystem::ClientOriginOnScreen(this);
    CRect in = WindowSystem::Insets(this);
    *rect = CRect(o.x - in.left, o.y - in.top, o.x - in.left + rect_.Width(),
                  o.y - in.top + rect_.Height());
}

void CWnd::GetClientRect(LPRECT rect) const {
    *rect = WindowSystem::ClientRect(this);
}

void CWnd::ClientToScreen(LPPOINT point) const {
    CPoint o = WindowSystem::ClientOriginOnScreen(this);
    point->x += o.x;
    point->y += o.y;
}

void CWnd::ClientToScreen(LPRECT rect) const {
    CPoint o = WindowSystem::ClientOriginOnScreen(this);
    rect->left += o.x;
    rect->right += o.x;
    rect->top += o.y;
    rect->bottom += o.y;
}

void CWnd::ScreenToClient(LPPOINT point) const {
    CPoint o = WindowSystem::ClientOriginOnScreen(this);
    point->x -= o.x;
    point->y -= o.y;
}

void CWnd::ScreenToClient(LPRECT rect) const {
    CPoint o = WindowSystem::ClientOriginOnScreen(this);
    rect->left -= o.x;
    rect->right -= o.x;
    rect->top -= o.y;
    rect->bottom -= o.y;
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
    for (UINT i = 0; i < count; ++i) {
        ClientToScreen(&points[i]);
        if (to)
            to->ScreenToClient(&points[i]);
    }
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
    ClientToScreen(rect);
    if (to)
        to->ScreenToClient(rect);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    SetWindowPos(nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!m_hWnd)
        return FALSE;
    CRect old = rect_;
    CRect next = rect_;
    if (!(flags & SWP_NOMOVE))
        next = CRect(x, y, x + next.Width(), y + next.Height());
    if (!(flags & SWP_NOSIZE))
        next.right = next.left + std::max(0, cx), next.bottom = next.top + std::max(0, cy);
    if (!(flags & SWP_NOZORDER) && parent_) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
        if (insertAfter == HWND_TOP || insertAfter == &wndTop)
            sib.insert(sib.begin(), this);
        else if (insertAfter == HWND_BOTTOM || insertAfter == &wndBottom)
            sib.push_back(this);
        else {
            auto it = std::find(sib.begin(), sib.end(), insertAfter);
            sib.insert(it == sib.end() ? sib.end() : it + 1, this);
        }
    }
    if (!(flags & SWP_NOZORDER) && !parent_) {
        // Top-level windows: topmost ones stay above all others (hit tests look at them
        // first); bringing one to the top puts it last in the creation order.
        if (insertAfter == &wndTopMost)
            exStyle_ |= WS_EX_TOPMOST;
        else if (insertAfter == &wndNoTopMost)
            exStyle_ &= ~WS_EX_TOPMOST;
        if (insertAfter == HWND_TOP || insertAfter == &wndTop || insertAfter == &wndTopMost) {
            auto& tops = WindowSystem::TopLevels();
            tops.erase(std::remove(tops.begin(), tops.end(), this), tops.end());
            tops.push_back(this);
        }
    }
    bool moved = next.TopLeft() != old.TopLeft();
    bool sized = next.Size() != old.Size();
    rect_ = next;
    if (!parent_ && sized)
        WindowSystem::ResizeSurface(this);
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(SW_SHOWNA);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    if ((moved || sized || (flags & SWP_FRAMECHANGED)) && !(flags & SWP_NOREDRAW) &&
        (style_ & WS_VISIBLE)) {
        if (parent_)
            WindowSystem::Invalidate(parent_, ui::Region(old), true, true);
        frameDirty_ = true;
        WindowSystem::Invalidate(this, ui::Region(WindowSystem::ClientRect(this)), true, true);
    }
    if (moved)
        SendMessage(WM_MOVE, 0, MAKELPARAM(rect_.left, rect_.top));
    if (sized) {
        CRect client = WindowSystem::ClientRect(this);
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    }
    return TRUE;
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    CRect area(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CWnd* owner = alternateOwner ? alternateOwner : GetOwner();
    if (owner && owner->m_hWnd && owner->IsWindowVisible())
        owner->GetWindowRect(&area);
    if (parent_)
        parent_->GetClientRect(&area);
    int x = area.left + (area.Width() - rect_.Width()) / 2;
    int y = area.top + (area.Height() - rect_.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- input ----

CWnd* CWnd::SetFocus() {
    return ::SetFocus(m_hWnd);
}
CWnd* CWnd::GetFocus() {
    return ::GetFocus();
}
CWnd* CWnd::SetCapture() {
    return ::SetCapture(m_hWnd);
}
CWnd* CWnd::GetCapture() {
    return ::GetCapture();
}
CWnd* CWnd::SetActiveWindow() {
    return ::SetActiveWindow(m_hWnd);
}
CWnd* CWnd::GetActiveWindow() {
    return ::GetActiveWindow();
}
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
}
BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}
int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return ::MessageBox(m_hWnd, text, caption, type);
}
