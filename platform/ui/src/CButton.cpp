#include <afxwin.h>

#include <algorithm>

#include "ControlPaint.h"

BOOL CButton::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"BUTTON", text, style | WS_CHILD, rect, parent, id);
}

void CButton::SetCheck(int check) {
    if (check_ != check) {
        check_ = check;
        Invalidate(FALSE);
    }
}

UINT CButton::GetState() const {
    return static_cast<UINT>(check_) | (pushed_ ? BST_PUSHED : 0) |
           (GetFocus() == this ? BST_FOCUS : 0);
}

void CButton::SetState(BOOL pushed) {
    if (pushed_ != (pushed != 0)) {
        pushed_ = pushed != 0;
        Invalidate(FALSE);
    }
}

void CButton::SetButtonStyle(UINT style, BOOL redraw) {
    ModifyStyle(0xFF, style & 0xFF);
    if (redraw)
        Invalidate(FALSE);
}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return check_;
    case BM_SETCHECK:
        SetCheck(static_cast<int>(wParam));
        return 0;
    case BM_GETSTATE:
        return GetState();
    case BM_SETSTATE:
        SetState(static_cast<BOOL>(wParam));
        return 0;
    case BM_SETSTYLE:
        SetButtonStyle(static_cast<UINT>(wParam), static_cast<BOOL>(lParam));
        return 0;
    case BM_CLICK: {
        CRect r;
        GetClientRect(&r);
        LPARAM at = MAKELPARAM(r.Width() / 2, r.Height() / 2);
        SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessage(WM_LBUTTONUP, 0, at);
        return 0;
    }
    case WM_SETTEXT: {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        Invalidate();
        return r;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CButton::Clicked() {
    if (Kind() == BS_AUTOCHECKBOX)
        SetCheck(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    else if (Kind() == BS_AUTO3STATE)
        SetCheck((check_ + 1) % 3);
    else if (Kind() == BS_AUTORADIOBUTTON)
        CheckInGroup();
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                            reinterpret_cast<LPARAM>(this));
}

// An automatic radio button takes the check from the others of its group: the siblings
// from the last WS_GROUP at or before it up to the next WS_GROUP.
void CButton::CheckInGroup() {
    CWnd* parent = GetParent();
    if (!parent)
        return;
    const auto& kids = parent->Children();
    auto self = std::find(kids.begin(), kids.end(), this);
    if (self == kids.end())
        return;
    auto first = self;
    while (first != kids.begin() && !((*first)->GetStyle() & WS_GROUP))
        --first;
    for (auto it = first; it != kids.end(); ++it) {
        if (it != first && ((*it)->GetStyle() & WS_GROUP))
            break;
        auto* radio = dynamic_cast<CButton*>(*it);
        if (radio && radio->Kind() == BS_AUTORADIOBUTTON)
            radio->SetCheck(radio == this ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CButton::OnLButtonDown(UINT, CPoint) {
    if (Kind() == BS_GROUPBOX)
        return;
    SetFocus();
    SetCapture();
    tracking_ = true;
    SetState(TRUE);
}

void CButton::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}

void CButton::OnMouseMove(UINT, CPoint point) {
    if (!tracking_)
        return;
    CRect r;
    GetClientRect(&r);
    SetState(r.PtInRect(point));
}

void CButton::OnLButtonUp(UINT, CPoint point) {
    if (!tracking_)
        return;
    tracking_ = false;
    CRect r;
    GetClientRect(&r);
    bool inside = r.PtInRect(point) && pushed_;
    SetState(FALSE);
    if (GetCapture() == this)
        ReleaseCapture();
    if (inside)
        Clicked();
}

void CButton::OnCaptureChanged(CWnd*) {
    if (tracking_) {
        tracking_ = false;
        SetState(FALSE);
    }
}

void CButton::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE && Kind() != BS_GROUPBOX)
        SetState(TRUE);
}

void CButton::OnKeyUp(UINT key, UINT, UINT) {
    if (key == VK_SPACE && pushed_) {
        SetState(FALSE);
        Clicked();
    }
}

void CButton::OnSetFocus(CWnd*) {
    Invalidate(FALSE);
}

void CButton::OnKillFocus(CWnd*) {
    if (pushed_ && !tracking_)
        SetState(FALSE);
    Invalidate(FALSE);
}

void CButton::OnEnable(BOOL) {
    Invalidate(FALSE);
}

UINT CButton::OnGetDlgCode() {
    switch (Kind()) {
    case BS_PUSHBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    default:
        return DLGC_BUTTON;
    }
}

LRESULT CButton::OnNcHitTest(CPoint point) {
    if (Kind() == BS_GROUPBOX)
        return HTTRANSPARENT;
    return CWnd::OnNcHitTest(point);
}

void CButton::TakeStateFrom(CWnd& old) {
    if (auto* button = dynamic_cast<CButton*>(&old))
        check_ = button->check_;
}

BOOL CButton::OnEraseBkgnd(CDC*) {
    return TRUE; // painting covers everything
}

void CButton::OnPaint() {
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    CRect client;
    GetClientRect(&client);
    dc->SelectObject(ui::ControlFont(this));
    CWnd* parent = GetParent();
    HBRUSH brush =
        parent ? reinterpret_cast<HBRUSH>(parent->SendMessage(
                     WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(this)))
               : nullptr;
    if (Kind() != BS_GROUPBOX) {
        if (brush)
            dc->FillRect(&client, brush);
        else
            dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    }
    if (IsPush())
        PaintPush(*dc, client);
    else if (Kind() == BS_GROUPBOX)
        PaintGroup(*dc, client);
    else
        PaintCheck(*dc, client);
    EndPaint(&ps);
}

void CButton::PaintPush(CDC& dc, const CRect& client) {
    CRect r = client;
    dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    bool isDefault = Kind() == BS_DEFPUSHBUTTON;
    if (isDefault) {
        dc.Draw3dRect(&r, RGB(0, 0, 0), RGB(0, 0, 0));
        r.DeflateRect(1, 1);
    }
    if (pushed_)
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    else
        dc.DrawEdge(&r, EDGE_RAISED, BF_RECT | BF_SOFT);
    CRect text = client;
    text.DeflateRect(4, 2);
    if (pushed_)
        text.OffsetRect(1, 1);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    ui::DrawControlText(dc, GetWindowText(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                        IsWindowEnabled());
    if (GetFocus() == this) {
        CRect focus = client;
        focus.DeflateRect(4, 4);
        dc.DrawFocusRect(&focus);
    }
}

void CButton::PaintCheck(CDC& dc, const CRect& client) {
    CRect box(0, 0, 13, client.Height());
    bool radio = Kind() == BS_RADIOBUTTON || Kind() == BS_AUTORADIOBUTTON;
    dc.DrawFrameControl(&box, DFC_BUTTON,
                        (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) |
                            (check_ ? DFCS_CHECKED : 0) | (pushed_ ? DFCS_PUSHED : 0) |
                            (IsWindowEnabled() ? 0 : DFCS_INACTIVE));
    CRect text(17, 0, client.right, client.bottom);
    CDC* cdc = &dc;
    cdc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    CRect drawn = ui::DrawControlText(dc, GetWindowText(), text,
                                      DT_LEFT | DT_VCENTER | DT_SINGLELINE, IsWindowEnabled());
    if (GetFocus() == this && !GetWindowText().IsEmpty()) {
        int h = drawn.Height();
        CRect focus(16, (client.Height() - h) / 2 - 1, 18 + drawn.Width(),
                    (client.Height() - h) / 2 + h + 1);
        dc.DrawFocusRect(&focus);
    }
}

void CButton::PaintGroup(CDC& dc, const CRect& client) {
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    CString text = GetWindowText();
    int top = text.IsEmpty() ? 0 : tm.tmHeight / 2;
    CRect frame(client.left, client.top + top, client.right, client.bottom);
    dc.Draw3dRect(frame.left, frame.top, frame.Width() - 1, frame.Height() - 1,
                  GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    dc.Draw3dRect(frame.left + 1, frame.top + 1, frame.Width() - 1, frame.Height() - 1,
                  GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT));
    // Re-draw the inner shadow corner so the etched frame reads as on the desktop.
    dc.FillSolidRect(frame.left + 1, frame.top + 1, frame.Width() - 3, 1,
                     GetSysColor(COLOR_BTNHIGHLIGHT));
    if (!text.IsEmpty()) {
        CRect box(8, 0, client.right - 8, tm.tmHeight);
        CRect size = box;
        dc.DrawText(text, &size, DT_SINGLELINE | DT_CALCRECT);
        dc.FillSolidRect(6, 0, size.Width() + 4, tm.tmHeight, GetSysColor(COLOR_BTNFACE));
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        ui::DrawControlText(dc, text, box, DT_LEFT | DT_SINGLELINE, IsWindowEnabled());
    }
}
