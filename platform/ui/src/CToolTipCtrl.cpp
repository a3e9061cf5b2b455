#include <afxcmn.h>

#include <algorithm>
#include <memory>

#include "ControlPaint.h"
#include "PopupWindows.h"

namespace {

struct TipState {
    std::unique_ptr<CToolTipCtrl> window;
    TOOLINFO tool{};
    bool hasTool = false;
    bool suppressed = false; // a click pops the tip until the pointer reaches another tool
    UINT_PTR timer = 0;
    POINT lastScreen{0, 0};
};

TipState& Tips() {
    static TipState state;
    return state;
}

CToolTipCtrl* TipWindow() {
    TipState& t = Tips();
    if (!t.window || !t.window->m_hWnd) {
        t.window = std::make_unique<CToolTipCtrl>();
        t.window->Create(nullptr);
    }
    return t.window.get();
}

void StopTimer() {
    TipState& t = Tips();
    if (t.timer) {
        ::KillTimer(nullptr, t.timer);
        t.timer = 0;
    }
}

void Hide() {
    TipState& t = Tips();
    if (t.window && t.window->m_hWnd)
        t.window->Pop();
}

void ShowNow() {
    TipState& t = Tips();
    if (!t.hasTool || !IsWindow(t.tool.hwnd))
        return;
    CString text;
    if (t.tool.lpszText == LPSTR_TEXTCALLBACK) {
        NMTTDISPINFO info{};
        info.hdr.hwndFrom = TipWindow();
        info.hdr.idFrom = t.tool.uId;
        info.hdr.code = TTN_NEEDTEXTW;
        info.uFlags = t.tool.uFlags;
        t.tool.hwnd->SendMessage(WM_NOTIFY, static_cast<WPARAM>(t.tool.uId),
                                 reinterpret_cast<LPARAM>(&info));
        text = info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK ? CString(info.lpszText)
                                                                    : CString(info.szText);
    } else if (t.tool.lpszText) {
        text = t.tool.lpszText;
    }
    if (text.IsEmpty())
        return;
    // Below the pointer, clear of the cursor's shape.
    TipWindow()->ShowTip(text, CPoint(t.lastScreen.x, t.lastScreen.y + 20));
}

void OnDelay(HWND, UINT, UINT_PTR, DWORD) {
    StopTimer();
    ShowNow();
}

} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"tooltips_class32", L"",
                    WS_POPUP | WS_BORDER | style, CRect(0, 0, 0, 0), parent, 0);
}

void CToolTipCtrl::ShowTip(const CString& text, CPoint screen) {
    if (!active_)
        return;
    SetWindowText(text);
    CClientDC dc(this);
    dc.SelectObject(ui::ControlFont(this));
    CRect r(0, 0, 0, 0);
    dc.DrawText(text, &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    int width = r.Width() + 6 + 2, height = r.Height() + 4 + 2;
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    int x = std::max(0, std::min<int>(screen.x, sw - width));
    int y = std::max(0, std::min<int>(screen.y, sh - height));
    SetWindowPos(&CWnd::wndTop, x, y, width, height, SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    Invalidate();
    UpdateWindow();
}

void CToolTipCtrl::Pop() {
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

BOOL CToolTipCtrl::Activate(BOOL activate) {
    active_ = activate != 0;
    if (!active_)
        Pop();
    return TRUE;
}

BOOL CToolTipCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

LRESULT CToolTipCtrl::OnNcHitTest(CPoint) {
    return HTTRANSPARENT;
}

int CToolTipCtrl::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_NOACTIVATE;
}

void CToolTipCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_INFOBK));
    dc.SelectObject(ui::ControlFont(this));
    dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    dc.SetBkMode(TRANSPARENT);
    CRect text = client;
    text.DeflateRect(3, 2, 3, 2);
    dc.DrawText(GetWindowText(), &text, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
}

// ---- the windows' side ----

BOOL CWnd::EnableToolTips(BOOL enable) {
    BOOL old = toolTips_;
    toolTips_ = enable != 0;
    if (!enable && Tips().hasTool && Tips().tool.hwnd == this)
        CancelToolTips();
    return old;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* ti) const {
    CWnd* child = ChildWindowFromPoint(point);
    if (!child || child == this || !ti)
        return -1;
    ti->hwnd = const_cast<CWnd*>(this);
    ti->uId = reinterpret_cast<UINT_PTR>(child);
    ti->uFlags = TTF_IDISHWND | TTF_NOTBUTTON;
    ti->lpszText = LPSTR_TEXTCALLBACK;
    return child->GetDlgCtrlID();
}

void CWnd::CancelToolTips(BOOL) {
    StopTimer();
    Hide();
    Tips().hasTool = false;
}

namespace ui {

CWnd* VisibleToolTip() {
    TipState& t = Tips();
    return t.window && t.window->m_hWnd && t.window->IsWindowVisible() ? t.window.get() : nullptr;
}

void RelayToolTipMouse(const MSG& msg) {
    TipState& t = Tips();
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST || msg.message == WM_MOUSEWHEEL)
        return;
    CWnd* owner = msg.hwnd;
    while (owner && IsWindow(owner) && !owner->ToolTipsEnabled())
        owner = owner->GetParent();
    if (!owner || !IsWindow(owner)) {
        if (t.hasTool)
            CWnd::CancelToolTips();
        return;
    }
    t.lastScreen = msg.pt;
    if (msg.message != WM_MOUSEMOVE) {
        // A click pops the tip; it comes back only over another tool.
        StopTimer();
        Hide();
        t.suppressed = true;
        return;
    }
    CPoint at(msg.pt);
    owner->ScreenToClient(&at);
    TOOLINFO ti{};
    ti.cbSize = sizeof(TOOLINFO);
    INT_PTR hit = owner->OnToolHitTest(at, &ti);
    if (hit == -1) {
        StopTimer();
        Hide();
        t.hasTool = false;
        t.suppressed = false;
        return;
    }
    if (t.hasTool && t.tool.hwnd == ti.hwnd && t.tool.uId == ti.uId)
        return; // still the same tool: the tip stays (or keeps waiting)
    StopTimer();
    Hide();
    t.tool = ti;
    t.hasTool = true;
    t.suppressed = false;
    t.timer = ::SetTimer(nullptr, 0, kToolTipDelay, OnDelay);
}

} // namespace ui
