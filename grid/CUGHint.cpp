#include "grid/CUGHint.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

namespace {
constexpr wchar_t kClassName[] = L"HintWnd";
constexpr int kTipBackground = COLOR_INFOBK + 1; // as a class brush
} // namespace

CUGHint::~CUGHint() {
    if (m_hWnd)
        DestroyWindow();
}

int CUGHint::Create(CWnd* parent, int background) {
    WNDCLASS cls{};
    cls.style = CS_SAVEBITS | CS_DBLCLKS;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(
        static_cast<std::intptr_t>(background ? background + 1 : kTipBackground));
    cls.lpszClassName = kClassName;
    if (!AfxRegisterClass(&cls))
        return 0;
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP | WS_BORDER,
                  CRect(0, 0, 0, 0), parent, 0))
        return 0;
    parent_ = parent;
    text_.Empty();
    textColor_ = RGB(0, 0, 0);
    backColor_ = 0xE0FFFF;
    alignment_ = reservedAlignment_ = UG_HINT_LEFT;
    font_ = nullptr;
    lineHeight_ = TextHeight(L"X");
    return 1;
}

int CUGHint::TextHeight(const wchar_t* sample) {
    CClientDC dc(this);
    CFont* old = font_ ? dc.SelectObject(font_) : nullptr;
    int height = dc.GetTextExtent(sample, static_cast<int>(std::wcslen(sample))).cy;
    if (old)
        dc.SelectObject(old);
    return height;
}

void CUGHint::SetFont(CFont* font) {
    font_ = font;
    if (m_hWnd)
        lineHeight_ = TextHeight(L"Xy") + 3;
}

void CUGHint::SetText(LPCTSTR text, int redraw) {
    text_ = text ? text : L"";
    if (redraw && m_hWnd)
        Invalidate();
}

void CUGHint::MoveHintWindow(int x, int y, int width) {
    if (!m_hWnd || !parent_)
        return;
    int textWidth;
    {
        CClientDC dc(this);
        CFont* old = font_ ? dc.SelectObject(font_) : nullptr;
        textWidth = dc.GetTextExtent(text_).cx;
        if (old)
            dc.SelectObject(old);
    }
    width = std::max(width, textWidth + 4);

    CRect r;
    if (alignment_ & UG_HINT_CENTER)
        r.left = x - width / 2;
    else if (alignment_ & UG_HINT_RIGHT)
        r.left = x - width;
    else
        r.left = x;
    r.right = r.left + width;
    if (alignment_ & UG_HINT_VCENTER)
        r.top = y - lineHeight_ / 2;
    else if (alignment_ & UG_HINT_BOTTOM)
        r.top = y - lineHeight_;
    else
        r.top = y;
    r.bottom = r.top + lineHeight_;

    // Inside the parent's client area.
    CRect client;
    parent_->GetClientRect(&client);
    if (r.left < 0)
        r.OffsetRect(-r.left, 0);
    if (r.top < 0)
        r.OffsetRect(0, -r.top);
    if (r.right > client.right)
        r.OffsetRect(client.right - r.right, 0);
    if (r.bottom > client.bottom)
        r.OffsetRect(0, client.bottom - r.bottom);

    parent_->ClientToScreen(&r);
    ShowWindow(SW_HIDE);
    MoveWindow(&r, TRUE);
    ShowWindow(SW_SHOWNA);
    UpdateWindow();
}

void CUGHint::Hide() {
    if (m_hWnd)
        ShowWindow(SW_HIDE);
}

void CUGHint::Show() {
    if (m_hWnd && !IsWindowVisible())
        ShowWindow(SW_SHOWNA);
}

// Drawn through the window's own context, straight away.
void CUGHint::OnPaint() {
    CClientDC dc(this);
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc)); // the class background
    CFont* old = font_ ? dc.SelectObject(font_) : nullptr;
    CRect client;
    GetClientRect(&client);
    dc.SetTextColor(textColor_);
    dc.SetBkColor(backColor_);
    dc.SetBkMode(OPAQUE);
    dc.DrawText(text_, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old)
        dc.SelectObject(old);
    ValidateRect(nullptr);
}
