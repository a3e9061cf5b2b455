#include "WindowSystem.h"

#include <algorithm>
#include <cairo.h>
#include <functional>

#include <windows.h>

#include "DisplayBackend.h"
#include "MessageQueue.h"
#include "Timers.h"

namespace ui {

std::vector<CWnd*>& WindowSystem::TopLevels() {
    static std::vector<CWnd*> tops;
    return tops;
}
CWnd*& WindowSystem::Focus() {
    static CWnd* focus = nullptr;
    return focus;
}
CWnd*& WindowSystem::Capture() {
    static CWnd* capture = nullptr;
    return capture;
}
CWnd*& WindowSystem::Active() {
    static CWnd* active = nullptr;
    return active;
}
std::vector<CWnd*>& WindowSystem::Modal() {
    static std::vector<CWnd*> modal;
    return modal;
}
std::unordered_set<const CWnd*>& WindowSystem::Live() {
    static std::unordered_set<const CWnd*> live;
    return live;
}
std::vector<MSG>& WindowSystem::CurrentMessages() {
    static std::vector<MSG> stack;
    return stack;
}

// ---- geometry ----

CRect WindowSystem::Insets(const CWnd* w) {
    int edge = 0;
    bool captioned = (w->style_ & WS_CAPTION) == WS_CAPTION;
    if (captioned || (w->style_ & WS_DLGFRAME) || (w->exStyle_ & WS_EX_DLGMODALFRAME))
        edge = 3;
    else if (w->style_ & WS_BORDER)
        edge = 1;
    if (w->exStyle_ & WS_EX_CLIENTEDGE)
        edge += 2;
    if (w->exStyle_ & WS_EX_STATICEDGE)
        edge += 1;
    return CRect(edge, edge + (captioned ? 19 : 0), edge, edge);
}

CRect WindowSystem::ClientRect(const CWnd* w) {
    CRect in = Insets(w);
    return CRect(0, 0, std::max(0, w->rect_.Width() - in.left - in.right),
                 std::max(0, w->rect_.Height() - in.top - in.bottom));
}

CPoint WindowSystem::ClientOriginOnScreen(const CWnd* w) {
    CRect in = Insets(w);
    CPoint o(w->rect_.left + in.left, w->rect_.top + in.top);
    if (w->parent_)
        o += ClientOriginOnScreen(w->parent_) - CPoint(0, 0);
    return o;
}

CPoint WindowSystem::WindowOriginInSurface(const CWnd* w) {
    if (!w->parent_)
        return {0, 0};
    CPoint p = ClientOriginInSurface(w->parent_);
    return {p.x + w->rect_.left, p.y + w->rect_.top};
}

CPoint WindowSystem::ClientOriginInSurface(const CWnd* w) {
    CPoint o = WindowOriginInSurface(w);
    CRect in = Insets(w);
    return {o.x + in.left, o.y + in.top};
}

bool WindowSystem::IsShown(const CWnd* w) {
    for (; w; w = w->parent_)
        if (!(w->style_ & WS_VISIBLE) || !w->m_hWnd)
            return false;
    return true;
}

Region WindowSystem::VisibleRegion(const CWnd* w, bool clientOnly) {
    if (!IsShown(w))
        return Region();
    CPoint origin = clientOnly ? ClientOriginInSurface(w) : WindowOriginInSurface(w);
    CRect area = clientOnly ? ClientRect(w) : CRect(0, 0, w->rect_.Width(), w->rect_.Height());
    area.OffsetRect(origin);
    Region r(area);
    for (const CWnd* a = w; a->parent_; a = a->parent_) {
        CRect pc = ClientRect(a->parent_);
        pc.OffsetRect(ClientOriginInSurface(a->parent_));
        r.Intersect(pc);
        if (a->style_ & WS_CLIPSIBLINGS) {
            CPoint po = ClientOriginInSurface(a->parent_);
            for (const CWnd* s : a->parent_->children_) {
                if (s == a)
                    break;
                if (s->style_ & WS_VISIBLE) {
                    CRect sr = s->rect_;
                    sr.OffsetRect(po);
                    r.Subtract(sr);
                }
            }
        }
    }
    if (clientOnly && (w->style_ & WS_CLIPCHILDREN)) {
        CPoint co = ClientOriginInSurface(w);
        for (const CWnd* c : w->children_)
            if (c->style_ & WS_VISIBLE) {
                CRect cr = c->rect_;
                cr.OffsetRect(co);
                r.Subtract(cr);
            }
    }
    return r;
}

cairo_surface_t* WindowSystem::Surface(const CWnd* w) {
    return w->GetTopLevelParent()->surface_;
}

void WindowSystem::ResizeSurface(CWnd* top) {
    int width = std::max(1, top->rect_.Width()), height = std::max(1, top->rect_.Height());
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    // A fresh surface shows the button face until the window paints.
    cairo_t* cr = cairo_create(s);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    cairo_set_source_rgb(cr, GetRValue(face) / 255.0, GetGValue(face) / 255.0,
                         GetBValue(face) / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    if (top->surface_)
        cairo_surface_destroy(top->surface_);
    top->surface_ = s;
    top->frameDirty_ = true;
    top->update_ = Region(ClientRect(top));
    top->erase_ = true;
}

void WindowSystem::DropSurface(CWnd* top) {
    if (top->surface_)
        cairo_surface_destroy(top->surface_);
    top->surface_ = nullptr;
}

// ---- painting ----

void WindowSystem::Invalidate(CWnd* w, const Region& clientRegion, bool erase, bool allChildren) {
    if (!w || !w->m_hWnd)
        return;
    Region r = clientRegion;
    r.Intersect(ClientRect(w));
    if (r.IsEmpty())
        return;
    w->update_.Add(r);
    if (erase)
        w->erase_ = true;
    if (!allChildren && (w->style_ & WS_CLIPCHILDREN))
        return;
    for (CWnd* c : w->children_) {
        if (!(c->style_ & WS_VISIBLE) || !r.Intersects(c->rect_))
            continue;
        CRect in = Insets(c);
        if (in.left || in.top || in.right || in.bottom)
            c->frameDirty_ = true;
        Region cr = r;
        cr.Intersect(c->rect_);
        cr.Offset(-c->rect_.left - in.left, -c->rect_.top - in.top);
        Invalidate(c, cr, erase, allChildren);
    }
}

bool WindowSystem::NeedsPaint(const CWnd* w) {
    return w->m_hWnd && w->redraw_ && (!w->update_.IsEmpty() || w->frameDirty_) && IsShown(w);
}

namespace {
CWnd* FindPaint(CWnd* w, HWND filter) {
    if (WindowSystem::NeedsPaint(w) && (!filter || filter == w || filter->IsChild(w)))
        return w;
    if (!(w->GetStyle() & WS_VISIBLE))
        return nullptr;
    const auto& kids = w->Children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if (CWnd* found = FindPaint(*it, filter))
            return found;
    return nullptr;
}
} // namespace

CWnd* WindowSystem::FindWindowToPaint(HWND filter) {
    for (CWnd* top : TopLevels())
        if (CWnd* w = FindPaint(top, filter))
            return w;
    return nullptr;
}

void WindowSystem::DeliverPaint(CWnd* w) {
    if (!w || !w->m_hWnd)
        return;
    if (w->frameDirty_) {
        w->frameDirty_ = false;
        w->SendMessage(WM_NCPAINT, 1);
    }
    if (w->m_hWnd && !w->update_.IsEmpty()) {
        w->SendMessage(WM_PAINT);
        // A paint handler that neither begins painting nor defers to the default one would
        // be asked again forever; what it left is taken as painted.
        if (w->m_hWnd) {
            w->update_.Clear();
            w->erase_ = false;
        }
    }
    if (DisplayBackend* backend = GetDisplayBackend(); backend && w->m_hWnd)
        backend->Present(w->GetTopLevelParent());
}

void WindowSystem::PaintAll() {
    for (int guard = 0; guard < 100000; ++guard) {
        CWnd* w = FindWindowToPaint(nullptr);
        if (!w)
            return;
        DeliverPaint(w);
    }
}

void WindowSystem::PrepareDC(CWnd* w, CDC& dc, bool wholeWindow) {
    CPoint origin = wholeWindow ? WindowOriginInSurface(w) : ClientOriginInSurface(w);
    // Like every new context on the desktop it starts with the system font, whatever font
    // the window was given (controls select theirs when they paint).
    dc.AttachSurface(Surface(w), origin, VisibleRegion(w, !wholeWindow), w);
}

void WindowSystem::BeginPaintInto(CWnd* w, CDC& dc, PAINTSTRUCT* ps) {
    Region update = w->update_;
    bool erase = w->erase_;
    w->update_.Clear();
    w->erase_ = false;
    CPoint origin = ClientOriginInSurface(w);
    Region visible = VisibleRegion(w, true);
    Region inSurface = update;
    inSurface.Offset(origin.x, origin.y);
    visible.Intersect(inSurface);
    dc.AttachSurface(Surface(w), origin, visible, w);
    BOOL erased = FALSE;
    if (erase)
        erased = static_cast<BOOL>(w->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc)));
    if (ps) {
        ps->hdc = &dc;
        ps->fErase = !erased;
        ps->rcPaint = update.Bounds();
    }
}

CRect WindowSystem::CloseBoxRect(const CWnd* w) {
    int right = w->rect_.Width() - 3 - 2;
    return CRect(right - 16, 3 + 2, right, 3 + 2 + 14);
}

void WindowSystem::DrawFrame(CWnd* w, CDC& dc) {
    CRect r(0, 0, w->rect_.Width(), w->rect_.Height());
    bool captioned = (w->style_ & WS_CAPTION) == WS_CAPTION;
    if (captioned || (w->style_ & WS_DLGFRAME) || (w->exStyle_ & WS_EX_DLGMODALFRAME)) {
        dc.DrawEdge(&r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
        r.DeflateRect(1, 1);
    } else if (w->style_ & WS_BORDER) {
        dc.Draw3dRect(&r, RGB(0, 0, 0), RGB(0, 0, 0));
        r.DeflateRect(1, 1);
    }
    if (captioned) {
        CRect cap(r.left, r.top, r.right, r.top + 18);
        bool active = Active() == w;
        COLORREF from =
            active ? GetSysColor(COLOR_ACTIVECAPTION) : GetSysColor(COLOR_INACTIVECAPTION);
        COLORREF to = active ? GetSysColor(COLOR_GRADIENTACTIVECAPTION)
                             : GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
        for (int x = cap.left; x < cap.right; ++x) {
            double t = cap.Width() > 1 ? double(x - cap.left) / (cap.Width() - 1) : 0;
            auto mix = [&](int a, int b) { return static_cast<int>(a + (b - a) * t + 0.5); };
            dc.FillSolidRect(x, cap.top, 1, cap.Height(),
                             RGB(mix(GetRValue(from), GetRValue(to)),
                                 mix(GetGValue(from), GetGValue(to)),
                                 mix(GetBValue(from), GetBValue(to))));
        }
        dc.FillSolidRect(r.left, cap.bottom, r.Width(), 1, GetSysColor(COLOR_BTNFACE));
        static CFont captionFont;
        if (!captionFont.GetSafeHandle())
            captionFont.CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
        CFont* oldFont = dc.SelectObject(&captionFont);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        CRect text(cap.left + 4, cap.top, cap.right - 22, cap.bottom);
        dc.DrawText(w->text_, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        dc.SelectObject(oldFont);
        if (w->style_ & WS_SYSMENU) {
            CRect box = CloseBoxRect(w);
            dc.DrawFrameControl(&box, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        }
        r.top = cap.bottom + 1;
    }
    if (w->exStyle_ & WS_EX_CLIENTEDGE)
        dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (w->exStyle_ & WS_EX_STATICEDGE)
        dc.DrawEdge(&r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

int WindowSystem::FrameHitTest(const CWnd* w, POINT screen) {
    CRect window;
    w->GetWindowRect(&window);
    if (!window.PtInRect(screen))
        return HTNOWHERE;
    CPoint local(screen.x - window.left, screen.y - window.top);
    CRect in = Insets(w);
    CRect client(in.left, in.top, window.Width() - in.right, window.Height() - in.bottom);
    if (client.PtInRect(local))
        return HTCLIENT;
    if ((w->style_ & WS_CAPTION) == WS_CAPTION && local.y >= 3 && local.y < 3 + 18) {
        if ((w->style_ & WS_SYSMENU) && CloseBoxRect(w).PtInRect(local))
            return HTCLOSE;
        return HTCAPTION;
    }
    return HTBORDER;
}

// ---- input ----

void WindowSystem::ForgetWindow(CWnd* w) {
    ForgetTimers(w);
    ForgetMessages(w);
    for (CWnd** held : {&Focus(), &Capture(), &Active()})
        if (*held == w)
            *held = nullptr;
}

void WindowSystem::Retarget(CWnd* from, CWnd* to) {
    RetargetTimers(from, to);
    RetargetMessages(from, to);
    for (CWnd** held : {&Focus(), &Capture(), &Active()})
        if (*held == from)
            *held = to;
    std::replace(Modal().begin(), Modal().end(), from, to);
}

CWnd* WindowSystem::WindowFromScreenPoint(POINT screen) {
    CWnd* top = nullptr;
    auto& tops = TopLevels();
    CWnd* active = Active();
    for (auto it = tops.rbegin(); !top && it != tops.rend(); ++it)
        if (((*it)->exStyle_ & WS_EX_TOPMOST) && (*it)->IsWindowVisible() &&
            FrameHitTest(*it, screen) != HTNOWHERE &&
            (*it)->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) != HTTRANSPARENT)
            top = *it; // a tip lets the mouse through to what lies below
    if (!top && active && active->IsWindowVisible() && FrameHitTest(active, screen) != HTNOWHERE)
        top = active;
    for (auto it = tops.rbegin(); !top && it != tops.rend(); ++it)
        if ((*it)->IsWindowVisible() && FrameHitTest(*it, screen) != HTNOWHERE)
            top = *it;
    if (!top || !top->IsWindowEnabled())
        return nullptr;
    CWnd* w = top;
    for (bool descended = true; descended;) {
        descended = false;
        CPoint local = screen;
        w->ScreenToClient(&local);
        for (CWnd* c : w->children_) {
            if (!(c->style_ & WS_VISIBLE) || !c->rect_.PtInRect(local))
                continue;
            if (c->style_ & WS_DISABLED)
                break;
            if (c->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT)
                continue;
            w = c;
            descended = true;
            break;
        }
    }
    return w;
}

} // namespace ui
