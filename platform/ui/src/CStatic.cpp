#include <afxwin.h>

#include "ControlPaint.h"

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"STATIC", text, style | WS_CHILD, rect, parent, id);
}

BOOL CStatic::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.style & SS_SUNKEN)
        cs.dwExStyle |= WS_EX_STATICEDGE;
    return TRUE;
}

LRESULT CStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT r = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT)
        Invalidate();
    return r;
}

BOOL CStatic::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CStatic::OnEnable(BOOL) {
    Invalidate();
}

UINT CStatic::OnGetDlgCode() {
    return DLGC_STATIC;
}

LRESULT CStatic::OnNcHitTest(CPoint point) {
    if (!(GetStyle() & SS_NOTIFY))
        return HTTRANSPARENT;
    return CWnd::OnNcHitTest(point);
}

void CStatic::OnPaint() {
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    CRect client;
    GetClientRect(&client);
    dc->SelectObject(ui::ControlFont(this));
    dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    dc->SetBkColor(GetSysColor(COLOR_BTNFACE));
    CWnd* parent = GetParent();
    HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(
                                parent->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(this)))
                          : nullptr;
    DWORD kind = GetStyle() & SS_TYPEMASK;
    if (kind == SS_BLACKRECT || kind == SS_GRAYRECT || kind == SS_WHITERECT) {
        COLORREF c = kind == SS_BLACKRECT  ? RGB(0, 0, 0)
                     : kind == SS_GRAYRECT ? GetSysColor(COLOR_BTNSHADOW)
                                           : GetSysColor(COLOR_BTNHIGHLIGHT);
        dc->FillSolidRect(&client, c);
        EndPaint(&ps);
        return;
    }
    if (brush)
        dc->FillRect(&client, brush);
    CRect text = client;
    UINT format = DT_LEFT | DT_WORDBREAK;
    if (kind == SS_CENTER)
        format = DT_CENTER | DT_WORDBREAK;
    else if (kind == SS_RIGHT)
        format = DT_RIGHT | DT_WORDBREAK;
    else if (kind == SS_LEFTNOWORDWRAP || kind == SS_SIMPLE)
        format = DT_LEFT | DT_SINGLELINE;
    if (GetStyle() & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    ui::DrawControlText(*dc, GetWindowText(), text, format, IsWindowEnabled());
    EndPaint(&ps);
}
