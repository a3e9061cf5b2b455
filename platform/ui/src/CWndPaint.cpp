// The window's painting members and the default window procedure.

#include <algorithm>
#include <functional>

#include <windows.h>

#include "WindowSystem.h"

// ---- CWnd painting members ----

using ui::WindowSystem;

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
    if (!m_hWnd)
        return;
    ui::Region r(rect ? CRect(rect) : WindowSystem::ClientRect(this));
    WindowSystem::Invalidate(this, r, erase, false);
}

void CWnd::InvalidateRgn(CRgn* region, BOOL erase) {
    if (!region) {
        Invalidate(erase);
        return;
    }
    WindowSystem::Invalidate(this, region->Region(), erase, false);
}

void CWnd::ValidateRect(LPCRECT rect) {
    if (rect)
        update_.Subtract(*rect);
    else
        update_.Clear();
    if (update_.IsEmpty())
        erase_ = false;
}

void CWnd::ValidateRgn(CRgn* region) {
    if (region)
        update_.Subtract(region->Region());
    else
        update_.Clear();
}

void CWnd::UpdateWindow() {
    if (m_hWnd && WindowSystem::NeedsPaint(this))
        WindowSystem::DeliverPaint(this);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, CRgn* region, UINT flags) {
    if (!m_hWnd)
        return FALSE;
    ui::Region r =
        region ? region->Region() : ui::Region(rect ? CRect(rect) : WindowSystem::ClientRect(this));
    if (flags & RDW_INVALIDATE)
        WindowSystem::Invalidate(this, r, flags & RDW_ERASE, flags & RDW_ALLCHILDREN);
    if (flags & RDW_FRAME)
        frameDirty_ = true;
    if (flags & RDW_VALIDATE)
        update_.Subtract(r);
    if (flags & RDW_UPDATENOW) {
        std::function<void(CWnd*)> paint = [&](CWnd* w) {
            w->UpdateWindow();
            if (flags & RDW_ALLCHILDREN || !(flags & RDW_NOCHILDREN)) {
                std::vector<CWnd*> kids(w->children_.rbegin(), w->children_.rend());
                for (CWnd* c : kids)
                    if (c->m_hWnd)
                        paint(c);
            }
        };
        paint(this);
    }
    return TRUE;
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL erase) {
    if (rect)
        *rect = update_.Bounds();
    if (erase && erase_ && !update_.IsEmpty()) {
        CDC dc;
        WindowSystem::PrepareDC(this, dc, false);
        SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc));
        erase_ = false;
    }
    return !update_.IsEmpty();
}

int CWnd::GetUpdateRgn(CRgn* region, BOOL erase) {
    GetUpdateRect(nullptr, erase);
    if (region)
        region->SetRegion(update_);
    return update_.IsEmpty() ? NULLREGION : COMPLEXREGION;
}

CDC* CWnd::BeginPaint(PAINTSTRUCT* paint) {
    auto dc = std::make_unique<CDC>();
    WindowSystem::BeginPaintInto(this, *dc, paint);
    dcs_.push_back(std::move(dc));
    return dcs_.back().get();
}

void CWnd::EndPaint(PAINTSTRUCT* paint) {
    if (paint)
        ReleaseDC(paint->hdc);
}

CDC* CWnd::GetDC() {
    if (!m_hWnd)
        return nullptr;
    auto dc = std::make_unique<CDC>();
    WindowSystem::PrepareDC(this, *dc, false);
    dcs_.push_back(std::move(dc));
    return dcs_.back().get();
}

CDC* CWnd::GetWindowDC() {
    if (!m_hWnd)
        return nullptr;
    auto dc = std::make_unique<CDC>();
    WindowSystem::PrepareDC(this, *dc, true);
    dcs_.push_back(std::move(dc));
    return dcs_.back().get();
}

int CWnd::ReleaseDC(CDC* dc) {
    auto it = std::find_if(dcs_.begin(), dcs_.end(),
                           [&](const std::unique_ptr<CDC>& p) { return p.get() == dc; });
    if (it == dcs_.end())
        return 0;
    dcs_.erase(it);
    return 1;
}

void CWnd::ScrollWindow(int dx, int dy, LPCRECT scroll, LPCRECT clip) {
    if (!m_hWnd)
        return;
    CDC dc;
    WindowSystem::PrepareDC(this, dc, false);
    CRgn uncovered;
    uncovered.CreateRectRgn(0, 0, 0, 0);
    dc.ScrollDC(dx, dy, scroll, clip, &uncovered, nullptr);
    CRect area = scroll ? CRect(scroll) : WindowSystem::ClientRect(this);
    ui::Region moved = update_;
    moved.Intersect(area);
    update_.Subtract(area);
    moved.Offset(dx, dy);
    moved.Intersect(area);
    update_.Add(moved);
    if (!scroll)
        for (CWnd* c : children_)
            c->rect_.OffsetRect(dx, dy);
    WindowSystem::Invalidate(this, uncovered.Region(), true, false);
}

// ---- the default window procedure ----

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        CDC dc;
        PAINTSTRUCT ps;
        WindowSystem::BeginPaintInto(this, dc, &ps);
        return 0;
    }
    case WM_NCPAINT: {
        CDC dc;
        WindowSystem::PrepareDC(this, dc, true);
        WindowSystem::DrawFrame(this, dc);
        return 0;
    }
    case WM_ERASEBKGND: {
        CDC* dc = reinterpret_cast<CDC*>(wParam);
        if (!backgroundBrush_ || !dc)
            return 0;
        CRect client = WindowSystem::ClientRect(this);
        dc->FillRect(&client, backgroundBrush_);
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_NCLBUTTONDOWN:
        closePressed_ = wParam == HTCLOSE;
        return 0;
    case WM_NCLBUTTONUP:
        // The close box acts when it is both pressed and released.
        if (closePressed_ && wParam == HTCLOSE)
            SendMessage(WM_SYSCOMMAND, SC_CLOSE, lParam);
        closePressed_ = false;
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessage(WM_CLOSE);
        return 0;
    case WM_SETTEXT:
        text_ = reinterpret_cast<LPCTSTR>(lParam);
        if ((style_ & WS_CAPTION) == WS_CAPTION)
            frameDirty_ = true;
        return TRUE;
    case WM_GETTEXT:
        return GetWindowText(reinterpret_cast<LPTSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return text_.GetLength();
    case WM_SETFONT:
        font_ = reinterpret_cast<CFont*>(wParam);
        if (lParam)
            Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETREDRAW:
        redraw_ = wParam != 0;
        return 0;
    case WM_NCHITTEST:
        return WindowSystem::FrameHitTest(this, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    case WM_MOUSEACTIVATE:
        if (parent_) {
            LRESULT r = parent_->SendMessage(WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        if (parent_ && parent_->SendMessage(WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (LOWORD(lParam) == HTCLIENT)
            ::SetCursor(classCursor_ ? classCursor_ : ::LoadCursor(nullptr, IDC_ARROW));
        return FALSE;
    case WM_MOUSEWHEEL:
        return parent_ ? parent_->SendMessage(message, wParam, lParam) : 0;
    case WM_CANCELMODE:
        if (::GetCapture() == this)
            ::ReleaseCapture();
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: {
        CDC* dc = reinterpret_cast<CDC*>(wParam);
        if (dc) {
            dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
            dc->SetBkColor(GetSysColor(COLOR_BTNFACE));
        }
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        CDC* dc = reinterpret_cast<CDC*>(wParam);
        if (dc) {
            dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
            dc->SetBkColor(GetSysColor(COLOR_WINDOW));
        }
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4)
            GetTopLevelParent()->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        return 0;
    default:
        return 0;
    }
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return hwnd ? hwnd->DefWindowProc(message, wParam, lParam) : 0;
}
