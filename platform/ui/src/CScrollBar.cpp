#include <afxwin.h>

#include <algorithm>

namespace {
constexpr UINT_PTR kRepeatTimer = 0xFFF0;
constexpr UINT kFirstDelay = 400, kRepeatDelay = 50;
constexpr int kMinThumb = 8;
} // namespace

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"SCROLLBAR", L"", style | WS_CHILD, rect, parent, id);
}

int CScrollBar::MaxPos() const {
    int span = page_ > 0 ? static_cast<int>(page_) - 1 : 0;
    return std::max(min_, max_ - span);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw) {
    if (!info)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        min_ = info->nMin;
        max_ = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE)
        page_ = std::min<UINT>(info->nPage, static_cast<UINT>(max_ - min_ + 1));
    if (info->fMask & SIF_POS)
        pos_ = info->nPos;
    pos_ = std::clamp(pos_, min_, MaxPos());
    if (redraw)
        Invalidate(FALSE);
    return pos_;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) const {
    if (!info)
        return FALSE;
    info->fMask = mask;
    if (mask & SIF_RANGE)
        info->nMin = min_, info->nMax = max_;
    if (mask & SIF_PAGE)
        info->nPage = page_;
    if (mask & SIF_POS)
        info->nPos = pos_;
    if (mask & SIF_TRACKPOS)
        info->nTrackPos = GetTrackPos();
    return TRUE;
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw) {
    int old = pos_;
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(&si, redraw);
    return old;
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(&si, redraw);
}

void CScrollBar::GetScrollRange(LPINT minPos, LPINT maxPos) const {
    if (minPos)
        *minPos = min_;
    if (maxPos)
        *maxPos = max_;
}

LRESULT CScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SBM_SETSCROLLINFO:
        return SetScrollInfo(reinterpret_cast<LPSCROLLINFO>(lParam), static_cast<BOOL>(wParam));
    case SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<LPSCROLLINFO>(lParam);
        return info ? GetScrollInfo(info, info->fMask) : FALSE;
    }
    case SBM_SETPOS:
        return SetScrollPos(static_cast<int>(wParam), static_cast<BOOL>(lParam));
    case SBM_GETPOS:
        return pos_;
    case SBM_SETRANGE:
        SetScrollRange(static_cast<int>(wParam), static_cast<int>(lParam), FALSE);
        return pos_;
    case SBM_GETRANGE:
        GetScrollRange(reinterpret_cast<LPINT>(wParam), reinterpret_cast<LPINT>(lParam));
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// ---- geometry ----

int CScrollBar::Length() const {
    CRect r;
    GetClientRect(&r);
    return Vertical() ? r.Height() : r.Width();
}

int CScrollBar::Thickness() const {
    CRect r;
    GetClientRect(&r);
    return Vertical() ? r.Width() : r.Height();
}

int CScrollBar::ArrowSize() const {
    int arrow = GetSystemMetrics(Vertical() ? SM_CYVSCROLL : SM_CXHSCROLL);
    return std::min(arrow, Length() / 2);
}

void CScrollBar::ThumbSpan(int& start, int& size) const {
    int arrow = ArrowSize();
    int track = Length() - 2 * arrow;
    int range = max_ - min_ + 1;
    size = page_ > 0 ? MulDiv(track, static_cast<int>(page_), range)
                     : GetSystemMetrics(Vertical() ? SM_CYVTHUMB : SM_CXHTHUMB);
    size = std::max(size, kMinThumb);
    if (!Scrollable() || size > track) {
        start = arrow;
        size = 0; // no thumb: nothing to scroll or no room
        return;
    }
    int span = MaxPos() - min_;
    int at = dragging_ ? trackPos_ : pos_;
    start = arrow + (span > 0 ? MulDiv(track - size, at - min_, span) : 0);
}

int CScrollBar::PosFromThumb(int thumbStart) const {
    int arrow = ArrowSize();
    int start, size;
    ThumbSpan(start, size);
    int room = Length() - 2 * arrow - size;
    if (room <= 0)
        return min_;
    int offset = std::clamp(thumbStart - arrow, 0, room);
    return min_ + MulDiv(offset, MaxPos() - min_, room);
}

CRect CScrollBar::PartRect(Part part) const {
    int arrow = ArrowSize(), length = Length(), thick = Thickness();
    int start, size;
    ThumbSpan(start, size);
    int a = 0, b = 0;
    switch (part) {
    case Part::LineUp:
        a = 0, b = arrow;
        break;
    case Part::LineDown:
        a = length - arrow, b = length;
        break;
    case Part::Thumb:
        a = start, b = start + size;
        break;
    case Part::PageUp:
        a = arrow, b = size ? start : arrow;
        break;
    case Part::PageDown:
        a = size ? start + size : length - arrow, b = length - arrow;
        break;
    case Part::None:
        return CRect();
    }
    return Vertical() ? CRect(0, a, thick, b) : CRect(a, 0, b, thick);
}

CScrollBar::Part CScrollBar::PartAt(CPoint point) const {
    for (Part p : {Part::LineUp, Part::LineDown, Part::Thumb, Part::PageUp, Part::PageDown})
        if (PartRect(p).PtInRect(point))
            return p;
    return Part::None;
}

// ---- input ----

void CScrollBar::Send(UINT code, int pos) {
    CWnd* to = GetParent();
    if (!to)
        return;
    to->SendMessage(Vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)),
                    reinterpret_cast<LPARAM>(this));
}

void CScrollBar::Repeat() {
    switch (pressed_) {
    case Part::LineUp:
        Send(SB_LINEUP);
        break;
    case Part::LineDown:
        Send(SB_LINEDOWN);
        break;
    case Part::PageUp:
        // Page areas stop once the thumb reaches the pointer.
        if (PartAt(lastPoint_) == Part::PageUp)
            Send(SB_PAGEUP);
        break;
    case Part::PageDown:
        if (PartAt(lastPoint_) == Part::PageDown)
            Send(SB_PAGEDOWN);
        break;
    default:
        break;
    }
}

void CScrollBar::OnLButtonDown(UINT, CPoint point) {
    if (!Scrollable())
        return;
    if (GetStyle() & WS_TABSTOP)
        SetFocus();
    pressed_ = PartAt(point);
    if (pressed_ == Part::None)
        return;
    SetCapture();
    lastPoint_ = point;
    pressedInside_ = true;
    if (pressed_ == Part::Thumb) {
        dragging_ = true;
        trackPos_ = pos_;
        CRect thumb = PartRect(Part::Thumb);
        dragOffset_ = Vertical() ? point.y - thumb.top : point.x - thumb.left;
    } else {
        Repeat();
        SetTimer(kRepeatTimer, kFirstDelay);
    }
    Invalidate(FALSE);
}

void CScrollBar::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CScrollBar::OnMouseMove(UINT, CPoint point) {
    if (pressed_ == Part::None)
        return;
    lastPoint_ = point;
    if (dragging_) {
        int along = (Vertical() ? point.y : point.x) - dragOffset_;
        int newPos = PosFromThumb(along);
        if (newPos != trackPos_) {
            trackPos_ = newPos;
            Invalidate(FALSE);
            Send(SB_THUMBTRACK, trackPos_);
        }
        return;
    }
    bool inside = PartRect(pressed_).PtInRect(point);
    if (inside != pressedInside_) {
        pressedInside_ = inside;
        Invalidate(FALSE);
    }
}

void CScrollBar::OnLButtonUp(UINT, CPoint) {
    if (pressed_ == Part::None)
        return;
    KillTimer(kRepeatTimer);
    bool wasDragging = dragging_;
    int finalPos = trackPos_;
    pressed_ = Part::None;
    dragging_ = false;
    if (GetCapture() == this)
        ReleaseCapture();
    if (wasDragging)
        Send(SB_THUMBPOSITION, finalPos);
    Send(SB_ENDSCROLL);
    Invalidate(FALSE);
}

void CScrollBar::OnTimer(UINT_PTR id) {
    if (id != kRepeatTimer) {
        CWnd::OnTimer(id);
        return;
    }
    KillTimer(kRepeatTimer);
    if (pressed_ == Part::None || dragging_)
        return;
    if (pressedInside_ || pressed_ == Part::PageUp || pressed_ == Part::PageDown)
        Repeat();
    SetTimer(kRepeatTimer, kRepeatDelay);
}

void CScrollBar::OnCaptureChanged(CWnd*) {
    if (pressed_ != Part::None && GetCapture() != this) {
        KillTimer(kRepeatTimer);
        if (dragging_)
            Send(SB_THUMBPOSITION, trackPos_);
        pressed_ = Part::None;
        dragging_ = false;
        Invalidate(FALSE);
    }
}

void CScrollBar::OnKeyDown(UINT key, UINT, UINT) {
    UINT code;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        code = SB_LINEUP;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        code = SB_LINEDOWN;
        break;
    case VK_PRIOR:
        code = SB_PAGEUP;
        break;
    case VK_NEXT:
        code = SB_PAGEDOWN;
        break;
    case VK_HOME:
        code = SB_TOP;
        break;
    case VK_END:
        code = SB_BOTTOM;
        break;
    default:
        return;
    }
    Send(code);
    Send(SB_ENDSCROLL);
}

void CScrollBar::OnEnable(BOOL) {
    Invalidate(FALSE);
}

UINT CScrollBar::OnGetDlgCode() {
    return DLGC_WANTARROWS;
}

BOOL CScrollBar::OnEraseBkgnd(CDC*) {
    return TRUE;
}

// ---- painting ----

void CScrollBar::OnPaint() {
    CPaintDC dc(this);
    bool active = Scrollable();
    UINT inactive = active ? 0 : DFCS_INACTIVE;
    auto arrow = [&](Part part, UINT kind) {
        CRect r = PartRect(part);
        UINT pushed = (pressed_ == part && pressedInside_) ? DFCS_PUSHED | DFCS_FLAT : 0;
        dc.DrawFrameControl(&r, DFC_SCROLL, kind | pushed | inactive);
    };
    arrow(Part::LineUp, Vertical() ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
    arrow(Part::LineDown, Vertical() ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    // The track: the classic half-tone of highlight and scroll bar colour; a pressed page
    // area is shown dark.
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), base = GetSysColor(COLOR_SCROLLBAR);
    for (Part part : {Part::PageUp, Part::PageDown}) {
        CRect r = PartRect(part);
        if (r.IsRectEmpty())
            continue;
        if (pressed_ == part && pressedInside_ && PartAt(lastPoint_) == part) {
            dc.FillSolidRect(&r, GetSysColor(COLOR_3DDKSHADOW));
            continue;
        }
        dc.FillSolidRect(&r, base);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left + ((r.left + y) & 1); x < r.right; x += 2)
                dc.SetPixel(x, y, light);
    }
    CRect thumb = PartRect(Part::Thumb);
    if (!thumb.IsRectEmpty())
        dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}
